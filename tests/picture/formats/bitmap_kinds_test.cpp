// Bitmaps whose stored bytes leave something out: colour tables shorter
// than announced, run lengths that skip pixels. Each is measured the same
// every time, whichever way it is read; complete ones as Qt reads them.

#include "metafile_expect.h"
#include "picture/formats/row_reader.h"
#include "picture/metafile/wmf_player.h"
#include "picture/picture_source.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace centrafix;
using test::Le;

namespace {

constexpr quint32 kBlackWord = 0xFF000000u, kWhiteWord = 0xFFFFFFFFu;

const QList<quint32> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};

std::string Why(const PictureLoad& load)
{
    return load.ok() ? std::string() : ErrorText(load.error(), kEnglish);
}

// Stored rows, bottom-up and padded, of `index(x, y)` at `bits` a pixel.
template <class Index>
QByteArray StoredRows(int width, int height, int bits, Index index)
{
    const int rowBytes = (width * bits + 31) / 32 * 4;
    QByteArray rows;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const int bit = x * bits;
            row[bit / 8] = static_cast<char>(row[bit / 8] | index(x, y) << (8 - bits - bit % 8));
        }
        rows += row;
    }
    return rows;
}

struct ShortTable {
    const char* what;
    int bits;
    QByteArray file;
    int stored;  // colours stored
    int indices; // indices the pixels use: 0 .. indices - 1
};

std::vector<std::uint32_t> Words(const QImage& image)
{
    std::vector<std::uint32_t> words;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        words.insert(words.end(), row, row + image.width());
    }
    return words;
}

// The rows as the row reader gives them, or nothing when it leaves the file.
std::vector<std::uint32_t> Streamed(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Result<std::unique_ptr<RowReader>> reader =
        OpenRowReader(&buffer, bytes.left(64), QStringLiteral("drawing"), StreamedPictureSizeProblem);
    if (!reader.ok() || !*reader)
        return {};
    std::vector<std::uint32_t> words(static_cast<std::size_t>((*reader)->width()) * (*reader)->height());
    if ((*reader)->readRows(words.data(), (*reader)->width(), (*reader)->height()))
        return {};
    return words;
}

PictureLoad LoadBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return Error{};
    file.close();
    return LoadPictureFile(path);
}

} // namespace

TEST(BitmapKinds, AColourTableShorterThanAnnouncedGivesBlackForWhatIsMissing)
{
    constexpr int kWidth = 64, kHeight = 48;
    const auto index = [](int modulo) { return [modulo](int x, int y) { return (x / 4 + y / 4) % modulo; }; };
    const QList<quint32> five = kColours;
    const ShortTable cases[] = {
        {"8 bits, 256 announced", 8,
         test::PaletteBitmap(kWidth, kHeight, 8, 256, five, StoredRows(kWidth, kHeight, 8, index(8))), 5, 8},
        {"8 bits, all announced", 8,
         test::PaletteBitmap(kWidth, kHeight, 8, 0, five, StoredRows(kWidth, kHeight, 8, index(8))), 5, 8},
        {"4 bits, 16 announced", 4,
         test::PaletteBitmap(kWidth, kHeight, 4, 16, five.mid(0, 3), StoredRows(kWidth, kHeight, 4, index(6))), 3, 6},
        {"1 bit, 2 announced", 1,
         test::PaletteBitmap(kWidth, kHeight, 1, 2, five.mid(0, 1), StoredRows(kWidth, kHeight, 1, index(2))), 1, 2},
        {"OS/2, 8 bits", 8, test::CoreBitmap(kWidth, kHeight, 8, five, StoredRows(kWidth, kHeight, 8, index(8))), 5, 8},
        {"OS/2, 4 bits, whole table", 4,
         test::CoreBitmap(kWidth, kHeight, 4, five + five + five + five.mid(0, 1),
                          StoredRows(kWidth, kHeight, 4, index(16))),
         16, 16},
    };
    QTemporaryDir dir;
    for (const ShortTable& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint32_t> want;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int i = index(c.indices)(x, y);
                want.push_back(i < c.stored ? kBlackWord | kColours[i % 5] : kBlackWord);
            }
        }
        const PictureLoad whole = LoadBytes(dir.filePath("short.bmp"), c.file);
        ASSERT_TRUE(whole.ok()) << Why(whole);
        EXPECT_EQ(Words(*whole), want);
        EXPECT_EQ(Streamed(c.file), want) << "measured as read";
    }
}

TEST(BitmapKinds, WhatRunLengthsSkipIsWhite)
{
    // 6 x 4, stored from the bottom: a red run, the end of the row; three
    // literal indices, the end of the row; a jump two right and one up, a
    // blue run; the end of the bitmap, with the row jumped over never drawn.
    const QByteArray rle8 = QByteArray("\x03\x00\x00\x00", 4) + QByteArray("\x00\x03\x01\x02\x00\x00", 6) +
                            QByteArray("\x00\x00", 2) + QByteArray("\x00\x02\x02\x01", 4) +
                            QByteArray("\x02\x02\x00\x01", 4);
    // The same in four bits: runs of alternating pairs, literals two to a byte.
    const QByteArray rle4 = QByteArray("\x03\x00\x00\x00", 4) + QByteArray("\x00\x03\x12\x00\x00\x00", 6) +
                            QByteArray("\x00\x02\x02\x01", 4) + QByteArray("\x02\x22\x00\x01", 4);
    const QList<quint32> table = {0xFF0000, 0x00FF00, 0x0000FF};
    const auto file = [&](int bits, const QByteArray& pixels) {
        QByteArray palette;
        for (const quint32 c : table)
            palette += Le(c, 4);
        const qint64 offset = 54 + palette.size();
        return "BM" + Le(offset + pixels.size(), 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(6, 4) + Le(4, 4) +
               Le(1, 2) + Le(bits, 2) + Le(bits == 8 ? 1 : 2, 4) + Le(pixels.size(), 4) + Le(0, 4) + Le(0, 4) +
               Le(table.size(), 4) + Le(0, 4) + palette + pixels;
    };
    const std::uint32_t w = kWhiteWord, r = 0xFFFF0000u, g = 0xFF00FF00u, b = 0xFF0000FFu;
    const std::vector<std::uint32_t> want = {w, w, b, b, w, w, //
                                             w, w, w, w, w, w, //
                                             g, b, r, w, w, w, //
                                             r, r, r, w, w, w};
    QTemporaryDir dir;
    for (const auto& [bits, pixels] : {std::pair{8, rle8}, std::pair{4, rle4}}) {
        SCOPED_TRACE(bits);
        const PictureLoad load = LoadBytes(dir.filePath("skips.bmp"), file(bits, pixels));
        ASSERT_TRUE(load.ok()) << Why(load);
        EXPECT_EQ(Words(*load), want);
    }

    // A metafile's bitmap that ends at once: drawn white, not from memory.
    test::Metafile m = test::Sample();
    m.raw(test::kStretchDib, test::Words({0x0020, 0x00CC, 0, 4, 4, 0, 0, 40, 40, 10, 10}) + test::RunLengthDib(4, 4));
    test::ExpectPicture(m, QSize(200, 100), {{20, 20, test::kWhite}, {45, 45, test::kWhite}}, {test::kWhite});
}

TEST(BitmapKinds, CompleteRunLengthBitmapsGiveQtsPixels)
{
    QImage drawing(37, 23, QImage::Format_Indexed8);
    drawing.setColorTable({qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < drawing.height(); ++y)
        for (int x = 0; x < drawing.width(); ++x)
            drawing.setPixel(x, y, (x / 5 + y / 3 + x * y / 40) % 4);
    QTemporaryDir dir;
    for (const int bits : {8, 4}) {
        SCOPED_TRACE(bits);
        const QByteArray bytes = test::RleBitmap(drawing, bits);
        const QImage qt = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(qt.isNull());
        const PictureLoad load = LoadBytes(dir.filePath("rle.bmp"), bytes);
        ASSERT_TRUE(load.ok()) << Why(load);
        EXPECT_EQ(Words(*load), Words(qt));
    }
}
