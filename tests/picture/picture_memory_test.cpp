// Tiny files whose headers announce pictures of gigabytes: the memory taken
// follows the data that arrives, so each is refused for what it is (too
// short, too large to take) on a machine with little memory to spare, never
// for want of memory.

#include "address_space_limit.h"
#include "picture/picture_source.h"
#include "picture/streamed_sweep.h"
#include "picture_bytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

using namespace centrafix;

namespace {

QByteArray PngHeader(quint32 width, quint32 height)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian(width, ihdr.data());
    qToBigEndian(height, ihdr.data() + 4);
    ihdr[8] = 8; // bits
    ihdr[9] = 2; // RGB
    return ihdr;
}

// A 2 x 2 white PNG whose colour profile inflates to `bytes`.
QByteArray PngWithProfile(qsizetype bytes)
{
    const QByteArray pixels = test::Zlib(QByteArray("\0\xFF\xFF\xFF\xFF\xFF\xFF", 7).repeated(2));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + test::PngChunk("IHDR", PngHeader(2, 2)) +
           test::PngChunk("iCCP", QByteArray("icc\0\0", 5) + test::Zlib(QByteArray(bytes, '\0'))) +
           test::PngChunk("IDAT", pixels) + test::PngChunk("IEND", {});
}

// An 8-bit RGB TIFF of one strip or one tile, of `data` stored bytes.
QByteArray TiffAnnouncing(quint32 width, quint32 height, bool tiled, quint16 compression, const QByteArray& data)
{
    QList<test::TiffField> fields = {{256, 4, {width}},       {257, 4, {height}}, {258, 3, {8, 8, 8}},
                                     {259, 3, {compression}}, {262, 3, {2}},      {277, 3, {3}}};
    const quint32 stored = static_cast<quint32>(data.size());
    if (tiled)
        fields += {{322, 4, {width}}, {323, 4, {height}}, {324, 4, {8}}, {325, 4, {stored}}};
    else
        fields += {{273, 4, {8}}, {278, 4, {height}}, {279, 4, {stored}}};
    return test::TiffFile(fields, data);
}

struct Hostile {
    const char* name;
    QByteArray bytes;
    const char* reason; // in the refusal
};

std::vector<Hostile> HostileFiles(quint16 side)
{
    QImage drawing(171, 246, QImage::Format_RGB32);
    drawing.fill(Qt::white);
    QPainter(&drawing).fillRect(20, 30, 100, 150, Qt::red);
    const QByteArray progressive = test::Encoded(drawing, "jpeg", true);
    const char* const incomplete = "the file ends before the picture does";
    static const QByteArray profile = PngWithProfile(128 << 20);
    return {
        {"square.png", test::PngHeaderOnly(side, side), incomplete},
        {"tall.png", test::PngHeaderOnly(1, 900'000), incomplete},
        {"tall.tif", TiffAnnouncing(1, 900'000, false, 1, QByteArray(4, '\0')), incomplete},
        {"tile.tif", TiffAnnouncing(side, side, true, 8, test::Zlib(QByteArray(100, '\0'))), incomplete},
        {"progressive.jpg", test::JpegAnnouncing(progressive, side, side), incomplete},
        {"profile.png", profile, "its text or colour profile is larger than the 32 MB we read"},
    };
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

TEST(PictureMemory, ATinyFileIsRefusedForWhatItIsNotForWantOfMemory)
{
    if (!test::AddressSpaceLimit::kAvailable)
        GTEST_SKIP() << "the address sanitizer cannot run under an address-space limit";
    QTemporaryDir dir;
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    // Within the window's limit (20000 x 20000), and past it, where only
    // the batch command reads (30000 x 30000).
    for (const quint16 side : {20000, 30000}) {
        for (const Hostile& file : HostileFiles(side)) {
            SCOPED_TRACE(std::string(file.name) + " at " + std::to_string(side));
            const QString path = dir.filePath(file.name);
            Write(path, file.bytes);
            const test::AddressSpaceLimit limit(64u << 20);
            const Result<std::optional<SweptPicture>> swept = SweepPictureFile(path, ticked, 10.0);
            ASSERT_FALSE(swept.ok());
            EXPECT_NE(swept.error().kind, ErrorKind::OutOfMemory);
            EXPECT_NE(ErrorText(swept.error(), kEnglish).find(file.reason), std::string::npos)
                << ErrorText(swept.error(), kEnglish);
            if (side > 20000)
                continue;
            const PictureLoad whole = LoadPictureFile(path);
            ASSERT_FALSE(whole.ok());
            EXPECT_NE(whole.error().kind, ErrorKind::OutOfMemory);
            EXPECT_NE(ErrorText(whole.error(), kEnglish).find(file.reason), std::string::npos)
                << ErrorText(whole.error(), kEnglish);
        }
    }
}
