#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace centrafix {

// A text value of an INI file in the form QSettings gives it, read and written
// without QSettings: its reader turns "@Variant(...)" values into nested
// variants by recursion, so a poisoned file could overflow the stack. Plain
// texts are all the window keeps; these functions know nothing else.

// The text a value stands for, as QSettings reads a string: quotes kept
// together, backslash escapes (\" \\ \n \t \xHHHH, octal...) decoded, blanks
// around an unquoted value dropped, "@@" read as "@", and "@String(...)" as its
// content. Nothing for a value that holds no plain text: a list (an unquoted
// comma) or any other "@" type.
std::optional<QString> DecodeIniText(QByteArrayView raw);

// The value as QSettings writes a string, so that it (and DecodeIniText)
// read back exactly `text`.
QByteArray EncodeIniText(const QString& text);

// A key or section name as written in the file: "%XX" and "%UXXXX" stand for
// one character, "\" for "/".
QString DecodeIniKey(QByteArrayView raw);

} // namespace centrafix
