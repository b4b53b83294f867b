#include "report_paper.h"

#include <QLocale>

namespace centrafix {

Paper PaperForLocale(const QLocale& locale)
{
    const QLocale::Territory territory = locale.territory();
    if (territory == QLocale::UnitedStates || territory == QLocale::Canada)
        return Paper::Letter;
    // Britain measures in imperial units too, but on A4.
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
}

std::optional<Paper> PaperNamed(const QString& name)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("a4"))
        return Paper::A4;
    if (key == QLatin1String("letter"))
        return Paper::Letter;
    return std::nullopt;
}

QString PaperName(Paper paper)
{
    return paper == Paper::Letter ? QStringLiteral("letter") : QStringLiteral("a4");
}

QPageSize::PageSizeId PageSizeIdOf(Paper paper)
{
    return paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4;
}

double CheckBarMillimetres(Paper paper)
{
    return paper == Paper::Letter ? 4 * 25.4 : 100.0;
}

QString CheckBarLabel(Paper paper)
{
    return paper == Paper::Letter ? QStringLiteral("4 in") : QStringLiteral("100 mm");
}

} // namespace centrafix
