#include "match_count.h"

namespace centrafix {
namespace {

constexpr Message kFewMatched{"Warnung: nur %1 Pixel passen zu den Farben,",
                              "Warning: only %1 pixels match a ticked color,"};
constexpr Message kStrayAfterFew{"%1 deutlich farbige Pixel zu keiner.", "%1 clearly colored pixels match none."};
constexpr Message kStrayAfterNone{"%1 deutlich farbige Pixel passen zu keiner.",
                                  "%1 clearly colored pixels match none."};
constexpr Message kWindowHelp{"Abhilfe: Bild > Farben bereinigen oder größere Toleranz.",
                              "Try Picture > Clean up colors or a higher tolerance."};
constexpr Message kBatchHelp{"Abhilfe: --clean-up oder eine größere --tolerance.",
                             "Try --clean-up or a higher --tolerance."};

} // namespace

MatchVerdict JudgeMatches(const MatchCount& count)
{
    if (count.matched <= 0)
        return MatchVerdict::NoColourFound;
    // A clean drawing has no stray pixels at all, a scan or JPEG a fringe
    // along its edges, a few in a hundred; one for every four matched is
    // more than a fringe, and the areas are off by as much.
    if (count.stray * 4 > count.matched)
        return MatchVerdict::FewMatched;
    return MatchVerdict::Fine;
}

std::vector<std::string> MatchWarningLines(const MatchCount& count, int languageIndex, MatchAdvice advice)
{
    const std::string stray = std::to_string(count.stray);
    std::vector<std::string> lines;
    switch (JudgeMatches(count)) {
    case MatchVerdict::Fine: return lines;
    case MatchVerdict::NoColourFound:
        lines.emplace_back(Tr(kNoColourFound, languageIndex));
        if (count.stray == 0)
            return lines;
        lines.push_back(Tr(kStrayAfterNone, languageIndex, {stray}));
        break;
    case MatchVerdict::FewMatched:
        lines.push_back(Tr(kFewMatched, languageIndex, {std::to_string(count.matched)}));
        lines.push_back(Tr(kStrayAfterFew, languageIndex, {stray}));
        break;
    }
    lines.emplace_back(Tr(advice == MatchAdvice::Window ? kWindowHelp : kBatchHelp, languageIndex));
    return lines;
}

std::string MatchWarningText(const MatchCount& count, int languageIndex, MatchAdvice advice)
{
    std::string text;
    for (const std::string& line : MatchWarningLines(count, languageIndex, advice)) {
        if (!text.empty())
            text += ' ';
        text += line;
    }
    return text;
}

} // namespace centrafix
