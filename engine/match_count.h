#pragma once

#include <cstdint>
#include <string>

namespace centrafix {

// How much of a picture the run's colours matched: the pixels of the ticked
// objects, and the clearly coloured pixels that match none of the seven
// colours (IsStrayPixel). A noisy scan or JPEG measured without clean-up, or
// with too small a tolerance, has many of the second kind, and its results
// look plausible while they leave much of each object out.
struct MatchCount {
    std::int64_t matched = 0;
    std::int64_t stray = 0;
};

// What the counts say about the results.
enum class MatchVerdict {
    Fine,
    NoColourFound, // no pixel of any ticked colour: there is nothing to show
    FewMatched,    // more than one stray pixel for every four matched
};

MatchVerdict JudgeMatches(const MatchCount& count);

// The sentence the report, the window's status bar and the batch command's
// warning give for the verdict, with the counts; empty when it is Fine.
std::string MatchWarningText(const MatchCount& count, int languageIndex);

} // namespace centrafix
