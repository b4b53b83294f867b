#include "weight_balance_report.h"

#include "message.h"
#include "report_lines.h"

#include <initializer_list>

namespace centrafix {
namespace {

constexpr Message kTotal{"Gewicht und Schwerpunkt: Gesamtmasse %1", "Weight and balance: total mass %1"};
constexpr Message kCg{"Schwerpunkt aus den Massen x = %1", "C.G. from the masses x = %1"};
constexpr Message kMargin{"  Stabilitätsmaß %1 %", "  static margin %1 %"};
constexpr Message kInside{"  im Schwerpunktbereich", "  inside the C.G. range"};
constexpr Message kTooFarForward{"  außerhalb: zu weit vorn (kopflastig)", "  outside: too far forward (nose-heavy)"};
constexpr Message kTooFarAft{"  außerhalb: zu weit hinten (schwanzlastig)", "  outside: too far aft (tail-heavy)"};
constexpr Message kMove{"Abhilfe: \"%1\" um %2 verschieben, nach x = %3", "Fix: move \"%1\" by %2, to x = %3"};
constexpr Message kBallast{"Abhilfe: Ballast %1 bei x = %2", "Fix: ballast %1 at x = %2"};
constexpr Message kThen{"  Schwerpunkt dann x = %1 (Mitte des Bereichs)", "  C.G. then x = %1 (middle of the range)"};
constexpr Message kBallastCannotHelp{"Ballast bei x = %1 hilft nicht: er liegt auf der falschen Seite",
                                     "Ballast at x = %1 cannot help: it lies on the wrong side"};
constexpr Message kItemCannotHelp{"\"%1\" hat keine Masse; es zu verschieben hilft nicht",
                                  "\"%1\" has no mass; moving it cannot help"};


std::string_view NameOf(const aero::MassList& items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return {};
    return items[static_cast<std::size_t>(index)].name;
}

void AddAdvice(ReportLines& lines, const aero::WeightAdvice& advice, const aero::MassList& items)
{
    switch (advice.kind) {
    case aero::AdviceKind::None: return;
    case aero::AdviceKind::MoveItem:
        lines.add(kMove, {NameOf(items, advice.item), lines.length(advice.shift), lines.length(advice.x)});
        lines.add(kThen, {lines.length(advice.cgX)});
        return;
    case aero::AdviceKind::Ballast:
        lines.add(kBallast, {lines.mass(advice.ballastMass), lines.length(advice.x)});
        lines.add(kThen, {lines.length(advice.cgX)});
        return;
    case aero::AdviceKind::BallastCannotHelp: lines.add(kBallastCannotHelp, {lines.length(advice.x)}); return;
    case aero::AdviceKind::ItemCannotHelp: lines.add(kItemCannotHelp, {NameOf(items, advice.item)}); return;
    }
}

} // namespace

std::string WeightBalanceLines(const aero::WeightBalance& weighed, const aero::MassList& items, int languageIndex,
                               std::string_view decimalSeparator, std::string_view unit)
{
    ReportLines lines(languageIndex, decimalSeparator, unit);
    lines.add(kTotal, {lines.mass(weighed.totalMass)});
    lines.add(kCg, {lines.length(weighed.cgX)});
    lines.add(kMargin, {lines.fixed(weighed.staticMargin, 1)});
    if (weighed.inside)
        lines.add(kInside);
    else
        lines.add(weighed.cgX < weighed.targetX ? kTooFarForward : kTooFarAft);
    AddAdvice(lines, weighed.advice, items);
    return lines.take();
}

} // namespace centrafix
