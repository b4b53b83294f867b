// A file is replaced whole or not at all, and why a write failed is told
// after the file's name in the user's language, the system's words kept.

#include "picture/files/atomic_file.h"
#include "picture/files/local_path.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace centrafix {
namespace {

constexpr Message kCannotWriteTest{"%1 kann nicht geschrieben werden", "cannot write %1"};
constexpr Message kStopped{"vom Test angehalten", "stopped by the test"};

QByteArray Content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

TEST(AtomicFile, AFailingWriterLeavesTheOldFileAndIsToldAfterItsName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old table\n");
    }
    const auto halfThenStop = [](ErrorArg reason) {
        return [reason](QIODevice& device) -> std::optional<Error> {
            if (std::optional<Error> failed = WriteAll(device, "half a new", 10))
                return failed;
            return Because(reason);
        };
    };
    const std::optional<Error> named = WriteFileSafely(path, kCannotWriteTest, halfThenStop(ErrorArg(kStopped)));
    ASSERT_TRUE(named);
    const std::string file = path.toStdString();
    EXPECT_EQ(ErrorText(*named, kEnglish), file + ": cannot write stopped by the test");
    EXPECT_EQ(ErrorText(*named, kGerman), file + ": vom Test angehalten kann nicht geschrieben werden");
    // A reason in the system's or Qt's words is shown as they are.
    const std::optional<Error> worded = WriteFileSafely(path, kCannotWriteTest, halfThenStop("Qt's own words"));
    ASSERT_TRUE(worded);
    EXPECT_EQ(ErrorText(*worded, kGerman), file + ": Qt's own words kann nicht geschrieben werden");

    EXPECT_EQ(Content(path), "old table\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"table.csv"}) << "no part left";

    EXPECT_FALSE(
        WriteFileSafely(path, kCannotWriteTest, [](QIODevice& device) { return WriteAll(device, "new\n", 4); }));
    EXPECT_EQ(Content(path), "new\n");
}

TEST(AtomicFile, AFullDiskIsToldInTheUsersLanguage)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const QByteArray bytes(256 * 1024, 'x');
    const std::optional<Error> full = WriteFileSafely("/dev/full", kCannotWriteTest, [&bytes](QIODevice& device) {
        return WriteAll(device, bytes.constData(), bytes.size());
    });
    ASSERT_TRUE(full);
    EXPECT_EQ(ErrorText(*full, kEnglish), "/dev/full: cannot write no space left on the disk");
    EXPECT_EQ(ErrorText(*full, kGerman),
              "/dev/full: kein Platz mehr auf dem Datenträger kann nicht geschrieben werden");
}

TEST(AtomicFile, AFileThatCannotBeOpenedIsToldInTheSystemsWords)
{
    QTemporaryDir dir;
    QFile file;
    const std::optional<Error> missing = OpenForReading(file, dir.filePath("gone.png"));
    ASSERT_TRUE(missing);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(ErrorText(*missing, kGerman), "No such file or directory");

    const QString there = dir.filePath("there.png");
    QFile(there).open(QIODevice::WriteOnly);
    EXPECT_FALSE(OpenForReading(file, there));
    EXPECT_TRUE(file.isOpen());
}

} // namespace
} // namespace centrafix
