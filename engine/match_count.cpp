#include "match_count.h"

#include "message.h"

namespace centrafix {
namespace {

constexpr Message kNoColourFound{"Keine Farbe gefunden: keine der angekreuzten Farben kommt im Bild vor.",
                                 "No colour found: none of the ticked colours is in the picture."};
constexpr Message kNoColourFoundButStray{
    "Keine Farbe gefunden: %1 deutlich farbige Pixel passen zu keiner der sieben Farben. Bild > Farben "
    "bereinigen... (--clean-up) oder eine größere Toleranz hilft.",
    "No colour found: %1 clearly coloured pixels match none of the seven colours. Try Picture > Clean up "
    "colours... (--clean-up) or a higher tolerance."};
constexpr Message kFewMatched{
    "Nur %1 Pixel passen zu den angekreuzten Farben, %2 deutlich farbige Pixel zu keiner Farbe: die Ergebnisse "
    "lassen Teile der Objekte aus. Bild > Farben bereinigen... (--clean-up) oder eine größere Toleranz hilft.",
    "Only %1 pixels match the ticked colours, while %2 clearly coloured pixels match no colour: the results "
    "leave parts of the objects out. Try Picture > Clean up colours... (--clean-up) or a higher tolerance."};

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

std::string MatchWarningText(const MatchCount& count, int languageIndex)
{
    const std::string matched = std::to_string(count.matched);
    const std::string stray = std::to_string(count.stray);
    switch (JudgeMatches(count)) {
    case MatchVerdict::Fine: break;
    case MatchVerdict::NoColourFound:
        if (count.stray > 0)
            return Tr(kNoColourFoundButStray, languageIndex, {stray});
        return std::string(Tr(kNoColourFound, languageIndex));
    case MatchVerdict::FewMatched: return Tr(kFewMatched, languageIndex, {matched, stray});
    }
    return {};
}

} // namespace centrafix
