#include "chart_format.h"

#include <QFileInfo>

namespace centrafix {
namespace {

constexpr Message kNotPngOrSvg{"ein Diagramm wird als PNG oder SVG geschrieben; der Name muss auf .png oder .svg enden",
                               "a chart is written as PNG or SVG; the name must end in .png or .svg"};

} // namespace

Result<ChartFormat> ChartFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ChartFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ChartFormat::Svg;
    return Described(path.toStdString(), kNotPngOrSvg);
}

} // namespace centrafix
