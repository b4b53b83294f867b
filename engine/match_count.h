#pragma once

#include "message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace centrafix {

// How much of a picture the run's colours matched: the pixels of the ticked
// objects, and the clearly coloured pixels that match no colour, white
// included (IsStrayPixel). A noisy scan or JPEG measured without clean-up, or
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

// Where a run found none of the ticked colours, the grid's total row says this
// instead of a total of 0 at 100 %.
inline constexpr Message kNoColourFound{"Keine Farbe gefunden.", "No color found."};

// What the warning points to: the window's menu entry, or the batch
// command's options.
enum class MatchAdvice { Window, Batch };

// The report's lines for the verdict, short enough for its column; none when
// it is Fine.
std::vector<std::string> MatchWarningLines(const MatchCount& count, int languageIndex,
                                           MatchAdvice advice = MatchAdvice::Window);

// The same as one line, for the window's status bar and the batch command's
// warning; empty when the verdict is Fine.
std::string MatchWarningText(const MatchCount& count, int languageIndex, MatchAdvice advice = MatchAdvice::Window);

} // namespace centrafix
