#include "guide_page.h"

#include <QFile>
#include <QRegularExpression>

namespace centrafix::guide {

namespace {

QString TrimEnd(const QString& line)
{
    qsizetype end = line.size();
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    return line.left(end);
}

QStringList Normalised(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out.append(TrimEnd(line));
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

bool MatchFrom(const QStringList& expected, qsizetype e, const QStringList& printed, qsizetype p)
{
    if (e == expected.size())
        return p == printed.size();
    if (expected.at(e) == QLatin1String("...")) {
        for (qsizetype skip = p; skip <= printed.size(); ++skip)
            if (MatchFrom(expected, e + 1, printed, skip))
                return true;
        return false;
    }
    return p < printed.size() && expected.at(e) == printed.at(p) && MatchFrom(expected, e + 1, printed, p + 1);
}

} // namespace

QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList PictureTargets(const QString& markdown)
{
    static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(\s*([^)\s]+))"));
    QStringList targets;
    for (const QRegularExpressionMatch& match : picture.globalMatch(markdown))
        targets.append(match.captured(1));
    return targets;
}

std::vector<ConsoleStep> ConsoleSteps(const QString& markdown)
{
    static const QRegularExpression fence(QStringLiteral(R"(^\s*(```|~~~)\s*(\S*))"));
    std::vector<ConsoleStep> steps;
    bool inBlock = false;
    bool console = false;
    bool continued = false;
    const QStringList lines = markdown.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i);
        const QRegularExpressionMatch opening = fence.match(line);
        if (opening.hasMatch()) {
            console = !inBlock && opening.captured(2) == QLatin1String("console");
            inBlock = !inBlock;
            continued = false;
            continue;
        }
        if (!inBlock || !console)
            continue;
        if (continued) {
            steps.back().command += QLatin1Char('\n') + line;
        } else if (line.startsWith(QLatin1String("$ "))) {
            steps.push_back({line.mid(2), {}, int(i + 1)});
        } else if (!steps.empty()) {
            steps.back().expected.append(line);
            continue;
        }
        continued = TrimEnd(line).endsWith(QLatin1Char('\\'));
    }
    return steps;
}

bool OutputMatches(const QStringList& expected, const QStringList& printed)
{
    return MatchFrom(Normalised(expected), 0, Normalised(printed), 0);
}

} // namespace centrafix::guide
