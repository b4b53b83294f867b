#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

class QLocale;

namespace centrafix {

// The paper a report is printed on. Builders in the US and Canada buy
// Letter, everyone else A4; the check bar on the 1:1 pages follows the
// paper (100 mm on A4, 4 in on Letter) so it reads in the ruler at hand.
enum class Paper { A4, Letter };

// The paper for a locale: Letter where the territory is the US or Canada or
// the measurement system is the US's, A4 elsewhere (Britain too).
Paper PaperForLocale(const QLocale& locale);

// "a4" or "letter" in any case, with blanks around; none for anything else.
std::optional<Paper> PaperNamed(const QString& name);

// The name PaperNamed reads and the settings keep ("a4", "letter").
QString PaperName(Paper paper);

QPageSize::PageSizeId PageSizeIdOf(Paper paper);

// The check bar's length in millimetres and its label ("100 mm", "4 in").
double CheckBarMillimetres(Paper paper);
QString CheckBarLabel(Paper paper);

} // namespace centrafix
