// File names are bytes; every byte string must come back as it went in, and
// what is UTF-8 in it must read as the characters it spells.

#include "picture/files/local_path.h"

#include <gtest/gtest.h>

namespace centrafix {
namespace {

QString Escaped(unsigned char byte)
{
    return QString(QChar(static_cast<char16_t>(0xDC00 + byte)));
}

TEST(LocalPath, EveryByteStringComesBackAndItsUtf8ReadsAsCharacters)
{
    const struct {
        QByteArray bytes;
        QString read;
    } names[] = {
        {"plain/a.png", "plain/a.png"},
        {"Fl\xC3\xBCgel.png", QString::fromUtf8("Flügel.png")},
        // Latin-1 beside a character of four bytes, which stays one character.
        {"Fl\xFCgel \xF0\x9F\x98\x80.png",
         "Fl" + Escaped(0xFC) + "gel " + QString::fromUtf8("\xF0\x9F\x98\x80") + ".png"},
        // Cut sequences, a stray continuation byte, an overlong "/", an
        // encoded surrogate and bytes no sequence starts with: each byte kept.
        {"a\xE2\x82", "a" + Escaped(0xE2) + Escaped(0x82)},
        {"\x80x", Escaped(0x80) + "x"},
        {"\xC0\xAF", Escaped(0xC0) + Escaped(0xAF)},
        {"\xED\xA0\x80", Escaped(0xED) + Escaped(0xA0) + Escaped(0x80)},
        {"\xF5\xFF\xFE", Escaped(0xF5) + Escaped(0xFF) + Escaped(0xFE)},
        {"\xE2\x82\xAC\xE9", QString::fromUtf8("\xE2\x82\xAC") + Escaped(0xE9)},
    };
    for (const auto& [bytes, read] : names) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(FileNameFromBytes(bytes), read);
        EXPECT_EQ(FileNameBytes(FileNameFromBytes(bytes)), bytes);
    }
    // A character beyond U+FFFF whose second half looks like an escaped
    // byte is that character, not a byte.
    const QString beyond = QString::fromUtf8("\xF0\x90\x82\x80"); // U+10080: D800 DC80
    ASSERT_EQ(beyond.size(), 2);
    EXPECT_EQ(FileNameBytes(beyond), QByteArray("\xF0\x90\x82\x80"));
    EXPECT_EQ(FileNameBytes(Escaped(0xE9) + beyond), QByteArray("\xE9\xF0\x90\x82\x80"));
}

} // namespace
} // namespace centrafix
