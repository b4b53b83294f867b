// Pictures read row by row (PNG, JPEG, TIFF, plain bitmaps) against Qt's
// readers, and a picture measured as it is read against the same picture
// loaded whole: whichever way the batch command takes a file, the user gets
// the same pixels and the same results.

#include "engine/analysis_run.h"
#include "picture/files/result_facts.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/qt_decode.h"
#include "picture/formats/row_reader.h"
#include "picture/picture_source.h"
#include "picture/streamed_sweep.h"

#include "address_space_limit.h"
#include "object_totals_print.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QJsonDocument>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <random>
#include <vector>

using namespace centrafix;

namespace {

// Flat areas in the object colours with soft, noisy edges and some
// transparency, so compositing, palettes and rounding all show.
QImage Drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 0, 0));
        painter.drawEllipse(QRectF(width * 0.1, height * 0.2, width * 0.5, height * 0.6));
        painter.setBrush(QColor(0, 0, 255));
        painter.drawRect(QRectF(width * 0.55, height * 0.1, width * 0.3, height * 0.35));
        painter.setBrush(QColor(0, 255, 0, 128));
        painter.drawRect(QRectF(width * 0.3, height * 0.7, width * 0.6, height * 0.2));
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-6, 6), alpha(0, 40);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            auto shift = [&](int c) { return std::clamp(c + noise(random), 0, 255); };
            const int a = y % 9 == 4 ? 215 + alpha(random) : qAlpha(row[x]);
            row[x] = qRgba(shift(qRed(row[x])), shift(qGreen(row[x])), shift(qBlue(row[x])), a);
        }
    }
    return image;
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes;
}

struct Kind {
    const char* name;
    const char* format;
    QImage::Format pixels;
};

// The kinds a scanner or drawing program writes, each read row by row.
const Kind kKinds[] = {
    {"PNG, colour", "png", QImage::Format_RGB32},
    {"PNG, colour and transparency", "png", QImage::Format_ARGB32},
    {"PNG, grey", "png", QImage::Format_Grayscale8},
    {"PNG, palette with transparent entries", "png", QImage::Format_Indexed8},
    {"PNG, black and white", "png", QImage::Format_Mono},
    {"JPEG, colour", "jpeg", QImage::Format_RGB32},
    {"JPEG, grey", "jpeg", QImage::Format_Grayscale8},
    {"TIFF, colour", "tiff", QImage::Format_RGB32},
    {"TIFF, grey", "tiff", QImage::Format_Grayscale8},
    {"bitmap, colour", "bmp", QImage::Format_RGB32},
    {"bitmap, colour table", "bmp", QImage::Format_Indexed8},
    {"bitmap, black and white", "bmp", QImage::Format_Mono},
};

// Kinds whose pixels Qt's readers turn out their own way, and so keep.
const Kind kLeftToQt[] = {
    {"PNG, 16 bits", "png", QImage::Format_RGBA64},
    {"TIFF, colour and transparency", "tiff", QImage::Format_ARGB32},
    {"TIFF, palette", "tiff", QImage::Format_Indexed8},
};

QImage InKind(const QImage& drawing, QImage::Format pixels)
{
    if (pixels == QImage::Format_Indexed8) {
        QImage indexed = drawing.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        QList<QRgb> table = indexed.colorTable();
        for (qsizetype i = 0; i < table.size(); i += 3)
            table[i] = qRgba(qRed(table[i]), qGreen(table[i]), qBlue(table[i]), 100);
        indexed.setColorTable(table);
        return indexed;
    }
    return drawing.convertToFormat(pixels);
}

// A file whose reading fails past `limit` bytes, as a disk or a network
// share that gives out part way.
class FailingFile : public QBuffer {
public:
    FailingFile(QByteArray* bytes, qint64 limit) : QBuffer(bytes), m_limit(limit) {}

protected:
    qint64 readData(char* data, qint64 most) override
    {
        if (pos() >= m_limit)
            return -1;
        return QBuffer::readData(data, std::min(most, m_limit - pos()));
    }

private:
    qint64 m_limit;
};

// A plain 32-bit bitmap (blue, green, red and a byte nobody reads), which
// no encoder we have writes.
QByteArray Bitmap32(const QImage& image)
{
    const qint64 rowBytes = image.width() * 4;
    QByteArray bytes = "BM" + test::Le(54 + rowBytes * image.height(), 4) + test::Le(0, 4) + test::Le(54, 4) +
                       test::Le(40, 4) + test::Le(image.width(), 4) + test::Le(image.height(), 4) + test::Le(1, 2) +
                       test::Le(32, 2) + test::Le(0, 4) + test::Le(rowBytes * image.height(), 4) + test::Le(2835, 4) +
                       test::Le(2835, 4) + test::Le(0, 4) + test::Le(0, 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            bytes += static_cast<char>(qBlue(pixel));
            bytes += static_cast<char>(qGreen(pixel));
            bytes += static_cast<char>(qRed(pixel));
            bytes += static_cast<char>(x * 37 + y);
        }
    }
    return bytes;
}

// The rows as the row reader gives them, asked for in uneven bands.
std::vector<std::uint32_t> ReadInBands(RowReader& reader)
{
    std::vector<std::uint32_t> words(static_cast<std::size_t>(reader.width()) * reader.height());
    for (int first = 0, rows = 1; first < reader.height(); first += rows, rows = rows % 7 + 2) {
        rows = std::min(rows, reader.height() - first);
        const std::optional<Error> error =
            reader.readRows(words.data() + static_cast<std::size_t>(first) * reader.width(), reader.width(), rows);
        EXPECT_FALSE(error) << ErrorText(*error, kEnglish);
    }
    return words;
}

} // namespace

namespace {

// The file read row by row (or all rows at once) gives the very pixels
// Qt's reader gives.
void ExpectQtsPixels(QByteArray bytes, const char* format, bool atOnce = false)
{
    QBuffer qtBuffer(&bytes);
    qtBuffer.open(QIODevice::ReadOnly);
    const PictureLoad qt = DecodeWithQt(&qtBuffer, format, QStringLiteral("drawing"));
    ASSERT_TRUE(qt.ok()) << ErrorText(qt.error(), kEnglish);
    ASSERT_EQ(qt->format(), QImage::Format_RGB32);

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Result<std::unique_ptr<RowReader>> reader =
        OpenRowReader(&buffer, bytes.left(64), QStringLiteral("drawing"), PictureSizeProblem);
    ASSERT_TRUE(reader.ok()) << ErrorText(reader.error(), kEnglish);
    ASSERT_TRUE(*reader) << "left to Qt";
    ASSERT_EQ((*reader)->width(), qt->width());
    ASSERT_EQ((*reader)->height(), qt->height());
    std::vector<std::uint32_t> words(static_cast<std::size_t>(qt->width()) * qt->height());
    if (atOnce)
        EXPECT_FALSE((*reader)->readRows(words.data(), qt->width(), qt->height()));
    else
        words = ReadInBands(**reader);
    for (int y = 0; y < qt->height(); ++y) {
        const auto* want = reinterpret_cast<const std::uint32_t*>(qt->constScanLine(y));
        for (int x = 0; x < qt->width(); ++x)
            ASSERT_EQ(words[static_cast<std::size_t>(y) * qt->width() + x], want[x]) << x << ", " << y;
    }
}

} // namespace

TEST(RowReader, GivesThePixelsOfQtsReaders)
{
    const QImage drawing = Drawing(97, 61);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        ExpectQtsPixels(Encoded(InKind(drawing, kind.pixels), kind.format), kind.format);
    }
    SCOPED_TRACE("bitmap, 32 bits");
    ExpectQtsPixels(Bitmap32(Drawing(23, 9).convertToFormat(QImage::Format_RGB32)), "bmp");
}

TEST(RowReader, ReadsTilesLowBitGreyAndLongRunsOfRows)
{
    {
        SCOPED_TRACE("TIFF in tiles of 16 x 16, the last ones partly past the picture");
        constexpr quint32 kWidth = 40, kHeight = 20, kTile = 16, kTileBytes = kTile * kTile * 3;
        QByteArray tiles;
        QList<quint32> offsets, counts;
        for (quint32 top = 0; top < kHeight; top += kTile) {
            for (quint32 left = 0; left < kWidth; left += kTile) {
                offsets.append(8 + static_cast<quint32>(tiles.size()));
                counts.append(kTileBytes);
                for (quint32 y = top; y < top + kTile; ++y)
                    for (quint32 x = left; x < left + kTile; ++x)
                        tiles.append(char(x * 6)).append(char(y * 12)).append(char((x + y) * 3));
            }
        }
        // Qt's reader refuses tiles of three samples; the pixels are known.
        QByteArray bytes = test::TiffFile({{256, 4, {kWidth}},
                                           {257, 4, {kHeight}},
                                           {258, 3, {8, 8, 8}},
                                           {259, 3, {1}},
                                           {262, 3, {2}},
                                           {277, 3, {3}},
                                           {322, 4, {kTile}},
                                           {323, 4, {kTile}},
                                           {324, 4, offsets},
                                           {325, 4, counts}},
                                          tiles);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        Result<std::unique_ptr<RowReader>> reader =
            OpenRowReader(&buffer, bytes.left(64), QStringLiteral("tiles"), StreamedPictureSizeProblem);
        ASSERT_TRUE(reader.ok() && *reader);
        const std::vector<std::uint32_t> words = ReadInBands(**reader);
        for (quint32 y = 0; y < kHeight; ++y)
            for (quint32 x = 0; x < kWidth; ++x)
                ASSERT_EQ(words[y * kWidth + x], qRgb(int(x * 6 % 256), int(y * 12 % 256), int((x + y) * 3 % 256)))
                    << x << ", " << y;
    }
    {
        SCOPED_TRACE("PNG, grey, one bit a pixel");
        QByteArray rows, ihdr(13, '\0');
        for (int y = 0; y < 5; ++y)
            rows.append('\0').append(char(0xA5 >> y)).append(char(0xF0 << y));
        qToBigEndian<quint32>(13, ihdr.data());
        qToBigEndian<quint32>(5, ihdr.data() + 4);
        ihdr[8] = 1; // bits, grey
        ExpectQtsPixels(QByteArray("\x89PNG\r\n\x1a\n", 8) + test::PngChunk("IHDR", ihdr) +
                            test::PngChunk("IDAT", test::Zlib(rows)) + test::PngChunk("IEND", {}),
                        "png");
    }
    SCOPED_TRACE("bitmap, 9 MB of rows asked for at once");
    ExpectQtsPixels(Encoded(Drawing(3000, 1000).convertToFormat(QImage::Format_RGB32), "bmp"), "bmp", true);
}

TEST(RowReader, AFileThatCannotBeReadToTheEndIsRefusedNotFilledIn)
{
    const QImage drawing = Drawing(97, 61);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        QByteArray bytes = Encoded(InKind(drawing, kind.pixels), kind.format);
        FailingFile file(&bytes, bytes.size() * 3 / 4);
        file.open(QIODevice::ReadOnly);
        Result<std::unique_ptr<RowReader>> reader =
            OpenRowReader(&file, bytes.left(64), QStringLiteral("drawing"), PictureSizeProblem);
        if (!reader.ok()) {
            // Refused at once, as it should be.
            EXPECT_TRUE(ErrorText(reader.error(), kEnglish).ends_with("the file ends before the picture does"));
            continue;
        }
        ASSERT_TRUE(*reader);
        std::vector<std::uint32_t> row(static_cast<std::size_t>((*reader)->width()));
        std::optional<Error> error;
        for (int y = 0; y < (*reader)->height() && !error; ++y)
            error = (*reader)->readRows(row.data(), (*reader)->width(), 1);
        ASSERT_TRUE(error);
        EXPECT_TRUE(ErrorText(*error, kEnglish).ends_with("the file ends before the picture does"))
            << ErrorText(*error, kEnglish);
    }
}

TEST(RowReader, LeavesToQtWhatItReadsItsOwnWay)
{
    const QImage drawing = Drawing(20, 10);
    std::vector<std::pair<const char*, QByteArray>> files = {{"GIF", QByteArray("GIF89a\x14\0\x0a\0\0\0\0", 13)}};
    for (const Kind& kind : kLeftToQt)
        files.emplace_back(kind.name, Encoded(InKind(drawing, kind.pixels), kind.format));
    for (auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const Result<std::unique_ptr<RowReader>> reader =
            OpenRowReader(&buffer, bytes.left(64), QStringLiteral("drawing"), PictureSizeProblem);
        ASSERT_TRUE(reader.ok()) << ErrorText(reader.error(), kEnglish);
        EXPECT_FALSE(*reader);
        EXPECT_EQ(buffer.pos(), 0) << "Qt's reader starts where the file does";
    }
}

// The batch command's JSON of the picture file at `path`, measured as read
// (streamed) or loaded whole.
QByteArray JsonOf(const QString& path, bool streamed, const char* tolerance = "30")
{
    AnalysisInputs in;
    in.ticked.fill(true);
    in.toleranceText = tolerance;
    in.scaleText = "0.01";
    in.OriginRow = 20;
    in.OriginY = 0.2;
    const RunSetup setup = *PrepareRun(in);
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    AnalysisObserver quiet;
    AnalysisResult result;
    if (streamed) {
        Result<std::optional<SweptPicture>> swept = SweepPictureFile(path, in.ticked, setup.Tolerance, EdgeColours(in.ticked, in.balance));
        EXPECT_TRUE(swept.ok() && *swept) << "read whole";
        if (!swept.ok() || !*swept)
            return {};
        result = RunAnalysisOfSwept(**swept, objects, setup, in, quiet);
    } else {
        const PictureLoad picture = LoadPictureFile(path);
        EXPECT_TRUE(picture.ok());
        if (!picture.ok())
            return {};
        result = RunAnalysis(RasterViewOf(*picture), objects, setup, in, quiet);
    }
    const ResultFacts facts{in, 0.0, 20.0, setup, objects, result};
    return QJsonDocument(ResultJson(facts)).toJson();
}

TEST(StreamedSweep, GivesTheJsonOfTheWholePicture)
{
    QTemporaryDir dir;
    // Taller than a band, so bands meet inside objects.
    const QImage drawing = Drawing(1500, 1100);
    for (const Kind& kind : {kKinds[1], kKinds[5], kKinds[7], kKinds[9]}) {
        SCOPED_TRACE(kind.name);
        const QString path = dir.filePath(QStringLiteral("drawing.") + kind.format);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(Encoded(InKind(drawing, kind.pixels), kind.format));
        }
        const QByteArray whole = JsonOf(path, false);
        ASSERT_FALSE(whole.isEmpty());
        EXPECT_EQ(JsonOf(path, true), whole);
    }
    // A tolerance that takes a sweep per object: the measuring is slower
    // than the decoding, which must then wait for bands to come back. The
    // last band has a black foot, so each band counts.
    QImage footed = drawing.convertToFormat(QImage::Format_RGB32);
    QPainter(&footed).fillRect(0, 1000, 1500, 100, Qt::black);
    const QString path = dir.filePath(QStringLiteral("footed.bmp"));
    ASSERT_TRUE(footed.save(path, "BMP"));
    const QByteArray whole = JsonOf(path, false, "200");
    ASSERT_FALSE(whole.isEmpty());
    EXPECT_EQ(JsonOf(path, true, "200"), whole);
}

TEST(StreamedSweep, OneThreadByTurnsMeasuresWhatTwoDo)
{
    // 1024 words a row make bands of 256 rows: four whole bands, and four
    // and a bit.
    for (const int height : {1024, 1100}) {
        SCOPED_TRACE(height);
        QByteArray bytes = Encoded(Drawing(1024, height).convertToFormat(QImage::Format_RGB32), "bmp");
        std::array<bool, 8> ticked{};
        ticked.fill(true);
        const auto sweep = [&](StreamThreads threads) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            Result<std::unique_ptr<RowReader>> reader =
                OpenRowReader(&buffer, bytes.left(64), QStringLiteral("drawing"), StreamedPictureSizeProblem);
            EXPECT_TRUE(reader.ok() && *reader);
            return SweepRows(**reader, ticked, 30.0, threads);
        };
        const Result<SweptPicture> two = sweep(StreamThreads::Two), one = sweep(StreamThreads::One);
        ASSERT_TRUE(two.ok() && one.ok());
        EXPECT_EQ(one->height, height);
        EXPECT_GT(one->sweep.objects[2].count, 0); // red
        EXPECT_EQ(one->sweep.objects, two->sweep.objects);
        EXPECT_EQ(one->sweep.rowChords, two->sweep.rowChords);
    }
}

namespace {

// Announces ten million rows of one pixel and gives a band of them before
// its data runs out.
class StoppingRows : public RowReader {
public:
    StoppingRows()
    {
        m_width = 1;
        m_height = 10'000'000;
    }
    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        if (m_given > 0)
            return CutShortPictureError(QStringLiteral("tall.png"), "PNG");
        for (int r = 0; r < count; ++r)
            out[r * stride] = 0xFF000000u;
        m_given += count;
        return std::nullopt;
    }

private:
    int m_given = 0;
};

} // namespace

TEST(StreamedSweep, KeepsNumbersOnlyForTheRowsThatArrive)
{
    if (!test::AddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    for (const double tolerance : {10.0, 200.0}) { // one sweep for all, one per colour
        for (const StreamThreads threads : {StreamThreads::Two, StreamThreads::One}) {
            StoppingRows reader;
            const test::AddressSpaceLimit limit(64u << 20);
            const Result<SweptPicture> swept = SweepRows(reader, ticked, tolerance, threads);
            ASSERT_FALSE(swept.ok());
            EXPECT_EQ(ErrorText(swept.error(), kEnglish),
                      "tall.png: damaged or incomplete PNG picture: the file ends before the picture does");
        }
    }
}

TEST(StreamedSweep, RefusesADamagedFileAsTheWholePictureReaderDoes)
{
    QTemporaryDir dir;
    const QImage drawing = Drawing(300, 200);
    for (const char* format : {"png", "jpeg", "tiff", "bmp"}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("cut.") + format);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            const QByteArray bytes = Encoded(drawing.convertToFormat(QImage::Format_RGB32), format);
            file.write(bytes.left(bytes.size() * 2 / 3));
        }
        std::array<bool, 8> ticked{};
        ticked.fill(true);
        const Result<std::optional<SweptPicture>> swept = SweepPictureFile(path, ticked, 10.0);
        const PictureLoad whole = LoadPictureFile(path);
        ASSERT_FALSE(whole.ok());
        ASSERT_FALSE(swept.ok());
        EXPECT_EQ(ErrorText(swept.error(), kGerman), ErrorText(whole.error(), kGerman));
    }
}

TEST(StreamedSweep, TakesPicturesPastTheWindowsLimitUpToTwoGigapixels)
{
    QTemporaryDir dir;
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    const auto refusal = [&](quint32 width, quint32 height) {
        const QString path = dir.filePath(QStringLiteral("header-%1x%2.png").arg(width).arg(height));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(test::PngHeaderOnly(width, height));
        file.close();
        const Result<std::optional<SweptPicture>> swept = SweepPictureFile(path, ticked, 10.0);
        EXPECT_FALSE(swept.ok());
        return swept.ok() ? std::string() : ErrorText(swept.error(), kEnglish);
    };
    // 750 megapixels: read until the pixels run out, as any picture.
    const std::string past = refusal(30000, 25000);
    EXPECT_NE(past.find("PNG picture"), std::string::npos) << past;
    EXPECT_EQ(past.find("megapixel"), std::string::npos) << past;
    EXPECT_NE(refusal(100000, 100000).find("at most 1000000 pixels a side and 2000 megapixels"), std::string::npos);
    EXPECT_NE(refusal(1, 100'000'000).find("at most 1000000 pixels a side"), std::string::npos);

    // The window holds the picture whole, and says where larger ones can go.
    const QString path = dir.filePath(QStringLiteral("header.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::PngHeaderOnly(30000, 25000));
    file.close();
    const PictureLoad whole = LoadPictureFile(path);
    ASSERT_FALSE(whole.ok());
    EXPECT_NE(ErrorText(whole.error(), kEnglish)
                  .find("600-megapixel limit for a picture held whole; the batch command "
                        "(centrafix-cli) without --annotated measures"),
              std::string::npos);
}
