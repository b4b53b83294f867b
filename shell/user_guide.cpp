#include "user_guide.h"

#include "engine/message.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace centrafix {

QString UserGuideFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../") +
                           QStringLiteral(CENTRAFIX_GUIDE_DIR));
}

QString UserGuidePage(int languageIndex)
{
    const QString wanted = languageIndex == kEnglish ? QStringLiteral("en") : QStringLiteral("de");
    const QString other = languageIndex == kEnglish ? QStringLiteral("de") : QStringLiteral("en");
    for (const QString& language : {wanted, other}) {
        const QString page = UserGuideFolder() + QLatin1Char('/') + language + QStringLiteral("/guide.html");
        if (QFileInfo(page).isFile())
            return page;
    }
    return {};
}

} // namespace centrafix
