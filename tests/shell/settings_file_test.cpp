// The settings file read and written without QSettings, yet as QSettings
// reads and writes it: what it wrote reads back exactly, what we write it
// reads back exactly, and nothing else in the file is touched.

#include "shell/window_settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace centrafix;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("settings.ini")) const { return dir.filePath(name); }

    QByteArray bytes(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void setBytes(const QByteArray& content) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    // The line of `key` in the file, as written.
    QByteArray line(const QString& file, const QByteArray& key) const
    {
        for (const QByteArray& l : bytes(file).split('\n'))
            if (l.startsWith(key + '='))
                return l;
        return {};
    }

    QTemporaryDir dir;
};

TEST_F(SettingsFile, TextsReadAndWriteExactlyAsQSettingsDoes)
{
    const QString withNul = QStringLiteral("1") + QChar(0) + QStringLiteral("2a");
    for (const QString& text :
         {QStringLiteral("1,5 \"x\""), QStringLiteral(" 1/50 "), QStringLiteral("@Variant(x)"), QStringLiteral("@@"),
          QStringLiteral("a\tb\nc\\d"), withNul,
          QStringLiteral("\x01"
                         "abc"),
          QStringLiteral("Höhe ≈ 😀"), QStringLiteral("x;y=z"), QStringLiteral("%41"), QString()}) {
        SCOPED_TRACE(text.toStdString());
        QFile::remove(path("theirs.ini"));
        QSettings(path("theirs.ini"), QSettings::IniFormat).setValue("Centrafix/Scale", text);
        EXPECT_EQ(ReadStoredSettings(path("theirs.ini")).values.scale, text);

        StoredSettings values;
        values.scale = text;
        QFile::remove(path());
        ASSERT_FALSE(WriteStoredSettings(path(), values, "/opt/centrafix"));
        EXPECT_EQ(line(path(), "Scale"), line(path("theirs.ini"), "Scale"));
        EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value("Centrafix/Scale").toString(), text);
    }
}

TEST_F(SettingsFile, OnlyOurKeysAreRewrittenAndEverythingElseStaysByteForByte)
{
    const QByteArray head =
        "\xEF\xBB\xBF; written by hand\r\n[General]\r\nScale=9\r\n\r\n"
        "[Centrafix]\n; kept\nTheme=dark ; someone else's\n";
    const QByteArray middle = "Note=\"two\n[lines]\"\n[Other]\ncolor_w_1=7\n[Cen%74rafix]\n";
    setBytes(head + "Language=2\nAltitude=5\n  Scale = \"1,5 \\\"x\\\"\" ; typed by hand\n" + middle +
             "Altitude=1\nExtra=1");

    const SettingsRead read = ReadStoredSettings(path());
    EXPECT_FALSE(read.unreadable);
    EXPECT_EQ(read.values.languageIndex, kEnglish);
    EXPECT_EQ(read.values.scale, "1,5 \"x\"");
    EXPECT_EQ(read.values.altitude, "1") << "a later part of the section counts, as for QSettings";
    EXPECT_EQ(read.values.mach, "0.85");
    EXPECT_EQ(read.values.weights[1], 1.0) << "another section's key";

    StoredSettings values = read.values;
    values.mach = "0.7";
    values.weights[3] = 2.5;
    ASSERT_FALSE(WriteStoredSettings(path(), values, "/opt/centrafix"));
    EXPECT_EQ(bytes(path()),
              head +
                  "Language=2\nName=Simple Centrafix\nPath=/opt/centrafix\nScale=\"1,5 \\\"x\\\"\"\n"
                  "Mach=0.7\nAltitude=1\nTolerance=10\ncolor_w_1=1\ncolor_w_2=1\ncolor_w_3=2.5\ncolor_w_4=1\n"
                  "color_w_5=1\ncolor_w_6=1\ncolor_w_7=1\n" +
                  middle + "Extra=1");
    QSettings theirs(path(), QSettings::IniFormat);
    EXPECT_EQ(theirs.value("Centrafix/Theme").toString(), "dark");
    EXPECT_EQ(theirs.value("Centrafix/Note").toString(), "two\n[lines]");
    EXPECT_EQ(theirs.value("Centrafix/Altitude").toString(), "1");
    EXPECT_EQ(theirs.value("Other/color_w_1").toString(), "7");

    // A file without our section gets one at its end.
    setBytes("[Other]\nx=1");
    ASSERT_FALSE(WriteStoredSettings(path(), values, "/opt/centrafix"));
    EXPECT_TRUE(bytes(path()).startsWith("[Other]\nx=1\n\n[Centrafix]\nLanguage=2\n"));
}

// A value typed by hand with a quote left open or a backslash at its end
// spoils its own line and no other: the sections after it are still read, and
// one start and close later still there, byte for byte.
TEST_F(SettingsFile, AnUnclosedQuoteOrATrailingBackslashStaysOnItsOwnLine)
{
    const QByteArray others = "[Other]\npath=C:\\temp\\\nkeep=\"a;b\r\n[Third]\nx=\"open ; still x\n";
    setBytes("[Centrafix]\nScale=\"1/50\nUnit=mm\\\nTheme=\"dark\n" + others +
             "[Centrafix]\nAltitude=5=6\r\nMach=0.5\\\n");
    const SettingsRead read = ReadStoredSettings(path());
    EXPECT_EQ(read.values.scale, "1/50");
    EXPECT_EQ(read.values.altitude, "5=6") << "the first \"=\" ends the key";
    EXPECT_EQ(read.values.unit, "mm");
    EXPECT_EQ(read.values.mach, "0.5");
    ASSERT_FALSE(WriteStoredSettings(path(), read.values, "/opt/centrafix"));
    const QByteArray written = bytes(path());
    EXPECT_TRUE(written.startsWith("[Centrafix]\nLanguage=1\n")) << written.toStdString();
    EXPECT_TRUE(written.endsWith("Unit=mm\nTheme=\"dark\n" + others + "[Centrafix]\n")) << written.toStdString();
    EXPECT_EQ(ReadStoredSettings(path()).values.scale, "1/50");

    // A backslash at the end of another section's line ends that line there:
    // the section after it is ours, not part of a path.
    setBytes("[Other]\npath=C:\\temp\\\n[Centrafix]\nScale=2\nWho=\"me\n[Last]\nz=1\n");
    EXPECT_EQ(ReadStoredSettings(path()).values.scale, "2");
    ASSERT_FALSE(WriteStoredSettings(path(), read.values, "/opt/centrafix"));
    EXPECT_EQ(bytes(path()).count("[Centrafix]"), 1);
    EXPECT_TRUE(bytes(path()).startsWith("[Other]\npath=C:\\temp\\\n[Centrafix]\nLanguage=1\n"));
    EXPECT_TRUE(bytes(path()).endsWith("\nWho=\"me\n[Last]\nz=1\n"));
}

TEST_F(SettingsFile, WhatHoldsNoPlainTextKeepsItsDefaultAndATooLargeFileIsLeftAlone)
{
    setBytes(
        "[Centrafix]\nScale=1,5\nMach=@ByteArray(0.5)\nAltitude=@String(7)\ncolor_w_1=@Invalid()\n"
        "color_w_2=@@2\nLanguage=\"2\"\n");
    SettingsRead read = ReadStoredSettings(path());
    EXPECT_TRUE(read.unreadable);
    EXPECT_EQ(read.values.scale, "1.0") << "an unquoted comma makes a list";
    EXPECT_EQ(read.values.mach, "0.85");
    EXPECT_EQ(read.values.altitude, "7");
    EXPECT_EQ(read.values.weights[1], 1.0);
    EXPECT_EQ(read.values.weights[2], 0.0) << "\"@2\" reads as leniently as an edited weight";
    EXPECT_EQ(read.values.languageIndex, kEnglish);

    const QByteArray large = "; " + QByteArray(1 << 20, 'x') + "\n[Centrafix]\nScale=2\n";
    setBytes(large);
    read = ReadStoredSettings(path());
    EXPECT_TRUE(read.unreadable);
    EXPECT_EQ(read.values.scale, "1.0");
    EXPECT_TRUE(WriteStoredSettings(path(), read.values, "/opt/centrafix"));
    EXPECT_EQ(bytes(path()), large);

    EXPECT_FALSE(ReadStoredSettings(path("missing.ini")).unreadable) << "a first start";
    EXPECT_TRUE(ReadStoredSettings(dir.path()).unreadable);
}

TEST_F(SettingsFile, TheUsersFileIsTheOneQSettingsKept)
{
    EXPECT_EQ(SettingsFilePath({}),
              QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vantorel", "Vantorel").fileName());
    EXPECT_EQ(SettingsFilePath(path()), path());
}

} // namespace
