#include "about_text.h"

#include "help_texts.h"
#include "user_guide.h"

#include <QtGlobal>

namespace centrafix {

namespace {

struct Library {
    const char* name;
    const char* licence;
};

// The libraries the programs link, with the licence each is used under (as
// their Debian packages state it).
constexpr Library kLibraries[] = {
    {"Qt 6: Core, Gui, Widgets, Svg, PrintSupport", "LGPL-3.0 / GPL-2.0 / GPL-3.0"},
    {"Qt Charts", "GPL-3.0"},
    {"Qt PDF", "LGPL-3.0 / GPL-2.0 / GPL-3.0"},
    {"PDFium", "BSD-3-Clause"},
    {"muparser", "BSD-2-Clause"},
    {"Eigen", "MPL-2.0"},
    {"Highway", "Apache-2.0"},
    {"libspng", "BSD-2-Clause"},
    {"libpng", "libpng License"},
    {"libjpeg-turbo", "IJG License, BSD-3-Clause"},
    {"LibTIFF", "libtiff License"},
};

QString Paragraph(const Message& message, int languageIndex, std::initializer_list<std::string_view> args = {})
{
    return QStringLiteral("<p>%1</p>").arg(QString::fromStdString(Tr(message, languageIndex, args)).toHtmlEscaped());
}

} // namespace

QString AboutText(int languageIndex)
{
    QString text = QStringLiteral("<h3>Centrafix</h3>");
    text += Paragraph(kAboutSummary, languageIndex);
    text += Paragraph(kAboutVersion, languageIndex, {CENTRAFIX_VERSION, qVersion()});
    text += Paragraph(kAboutLicence, languageIndex);
    text += Paragraph(kAboutLibraries, languageIndex);
    text += QStringLiteral("<table>");
    for (const Library& library : kLibraries)
        text += QStringLiteral("<tr><td>%1</td><td>&nbsp;&nbsp;%2</td></tr>")
                    .arg(QString::fromUtf8(library.name).toHtmlEscaped(),
                         QString::fromUtf8(library.licence).toHtmlEscaped());
    text += QStringLiteral("</table>");
    const QString page = UserGuidePage(languageIndex);
    const std::string where = (page.isEmpty() ? UserGuideFolder() : page).toStdString();
    text += Paragraph(page.isEmpty() ? kAboutGuideMissing : kAboutGuideAt, languageIndex, {where});
    return text;
}

} // namespace centrafix
