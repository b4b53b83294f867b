#pragma once

// What the user guide's Markdown holds that the tests keep true: the pictures
// it shows and the console examples it gives.

#include <QString>
#include <QStringList>

#include <vector>

namespace centrafix::guide {

// One command of a console example and what the guide says it prints.
struct ConsoleStep {
    QString command;
    QStringList expected;
    int line = 0; // in the Markdown, from 1
};

QString ReadText(const QString& path);

// The targets of every ![text](target) in the page, in order.
QStringList PictureTargets(const QString& markdown);

// The steps of every fenced block marked `console`, in order. "$ " begins a
// command; a line ending in " \" goes on on the next; the lines up to the
// next command or the block's end are its output.
std::vector<ConsoleStep> ConsoleSteps(const QString& markdown);

// Whether the printed lines are those expected: lines compared without
// trailing white space and empty lines at the end left out; an expected line
// "..." stands for any number of lines.
bool OutputMatches(const QStringList& expected, const QStringList& printed);

} // namespace centrafix::guide
