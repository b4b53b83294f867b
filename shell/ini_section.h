#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <utility>
#include <vector>

namespace centrafix {

// One section of an INI file as QSettings lays the file out, found and
// rewritten in place: the file is split into lines as QSettings splits it
// (comments, ";" ending a line outside quotes), except that no line reaches
// past its end of line, so a value typed with an unclosed quote or a trailing
// backslash spoils only its own line. Nothing outside the section's own keys
// is decoded at all, and a rewrite replaces only their lines.

struct IniEntry {
    QString key;         // decoded
    QByteArray value;    // as written, for DecodeIniText
    qsizetype begin = 0; // its whole lines in the file, end of line included
    qsizetype end = 0;
};

struct IniSection {
    std::vector<IniEntry> entries; // of every part of the file with this name, in file order
    qsizetype bodyStart = -1;      // just after the first header; -1 when there is none
};

// The section `name` (other than "General") of `text`, the file's bytes.
IniSection FindIniSection(QByteArrayView text, const QString& name);

// `text` with the keys of `entries` given these values in the section `name`,
// in this order: every earlier line of those keys is taken out, the new ones
// stand where the first of them stood (or right after the section's header,
// or in a new section at the end), and every other byte stays as it was.
// Keys and name must be plain (letters, digits, "_"): they are written as
// they are.
using IniValues = std::vector<std::pair<QString, QString>>;
QByteArray ReplaceIniEntries(QByteArrayView text, const QString& name, const IniValues& entries);

} // namespace centrafix
