#include "picture/formats/device_input.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/row_reader.h"
#include "picture/formats/working_words.h"

#include "picture/formats/decoder_damage.h"
#include "picture/formats/decoder_log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include <tiffio.h>

namespace centrafix {
namespace {

// libtiff asks for exactly the bytes a header, directory, value or strip
// takes.
tmsize_t ReadProc(thandle_t handle, void* data, tmsize_t size)
{
    auto* input = static_cast<DeviceInput*>(handle);
    const qint64 got = input->read(data, size);
    if (got < size)
        input->noteShortRead();
    return static_cast<tmsize_t>(got);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t)
{
    return -1;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* input = static_cast<DeviceInput*>(handle);
    qint64 target = static_cast<qint64>(offset);
    if (whence == SEEK_CUR)
        target += input->position();
    else if (whence == SEEK_END)
        target += input->size();
    // A directory or strip placed beyond the end means the file was cut.
    if (target < 0 || !input->seek(target))
        return static_cast<toff_t>(-1);
    return static_cast<toff_t>(target);
}

int CloseProc(thandle_t)
{
    return 0;
}

toff_t SizeProc(thandle_t handle)
{
    return static_cast<toff_t>(static_cast<DeviceInput*>(handle)->size());
}

int KeepWords(TIFF*, void* user, const char*, const char* format, va_list arguments)
{
    char line[512];
    std::vsnprintf(line, sizeof line, format, arguments);
    static_cast<std::vector<std::string>*>(user)->emplace_back(line);
    return 1; // said here, not on the terminal
}

// How many times its size a strip or tile can grow when decoded, by its
// compression: PackBits repeats a byte at most 128 times for two, LZW's
// longest string is under 3500 bytes for a 9-bit code at least, deflate's
// longest match of 258 bytes takes two bits at least, and JPEG at least a
// bit for each 8 x 8 block of samples. Others are given a generous bound.
qint64 MostExpansion(std::uint16_t compression)
{
    switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;
    case COMPRESSION_LZW: return 3500;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE: return 1032;
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG: return 1024;
    default: return 65536;
    }
}

constexpr Message kNoColourTable{"beschädigtes TIFF-Bild: die Farbtabelle seiner Palette fehlt",
                                 "damaged TIFF picture: the colour table of its palette is missing"};

// The photometric interpretation the first directory stores, from the file's
// own bytes: libtiff makes an 8-bit palette picture without its colour table
// a grey one, without a word. Nothing where the directory does not say.
std::optional<std::uint16_t> StoredPhotometric(DeviceInput& input)
{
    QByteArray header(16, '\0');
    if (!input.seek(0) || input.read(header.data(), 16) < 8)
        return std::nullopt;
    const bool little = header.startsWith("II");
    const auto number = [little](const char* bytes, int size) {
        quint64 value = 0;
        for (int i = 0; i < size; ++i)
            value |= quint64(static_cast<unsigned char>(bytes[little ? i : size - 1 - i])) << (8 * i);
        return value;
    };
    const bool big = number(header.constData() + 2, 2) == 43;
    const int countBytes = big ? 8 : 2, entryBytes = big ? 20 : 12;
    const qint64 directory =
        static_cast<qint64>(big ? number(header.constData() + 8, 8) : number(header.constData() + 4, 4));
    QByteArray count(countBytes, '\0');
    if (directory < 0 || !input.seek(directory) || input.read(count.data(), countBytes) != countBytes)
        return std::nullopt;
    const qint64 entries = static_cast<qint64>(std::min<quint64>(number(count.constData(), countBytes), 4096));
    QByteArray table(static_cast<qsizetype>(entries * entryBytes), '\0');
    if (input.read(table.data(), table.size()) != table.size())
        return std::nullopt;
    for (qint64 e = 0; e < entries; ++e) {
        const char* entry = table.constData() + e * entryBytes;
        if (number(entry, 2) == TIFFTAG_PHOTOMETRIC && number(entry + 2, 2) == TIFF_SHORT)
            return static_cast<std::uint16_t>(number(entry + (big ? 12 : 8), 2));
    }
    return std::nullopt;
}

// TIFF through libtiff, strip by strip or a row of tiles at a time. Taken
// are 8-bit RGB and grey pictures stored pixel by pixel and the right way
// up, whose samples Qt's reader copies unchanged; anything else (alpha,
// palettes, 16 bits, other orientations) is left to it.
class TiffRows : public RowReader {
public:
    TiffRows(QIODevice* device, const QString& name) : m_input(device), m_name(name) {}
    ~TiffRows() override
    {
        if (m_tiff)
            TIFFClose(m_tiff);
    }
    TiffRows(const TiffRows&) = delete;
    TiffRows& operator=(const TiffRows&) = delete;

    Result<Taking> open(SizeRule rule)
    {
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        if (!options)
            return PictureMemoryError(m_name);
        TIFFOpenOptionsSetErrorHandlerExtR(options, KeepWords, &m_words);
        TIFFOpenOptionsSetWarningHandlerExtR(options, KeepWords, &m_warnings);
        m_tiff = TIFFClientOpenExt("picture", "rm", &m_input, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                   nullptr, nullptr, options);
        TIFFOpenOptionsFree(options);
        if (!m_tiff)
            return failure();
        std::uint32_t width = 0, height = 0;
        std::uint16_t photometric = 0, bits = 1, samples = 1, planar = PLANARCONFIG_CONTIG, orientation = 1;
        TIFFGetField(m_tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(m_tiff, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetField(m_tiff, TIFFTAG_PHOTOMETRIC, &photometric);
        TIFFGetFieldDefaulted(m_tiff, TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetFieldDefaulted(m_tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted(m_tiff, TIFFTAG_PLANARCONFIG, &planar);
        TIFFGetFieldDefaulted(m_tiff, TIFFTAG_ORIENTATION, &orientation);
        const bool rgb = photometric == PHOTOMETRIC_RGB && samples == 3;
        m_grey = photometric == PHOTOMETRIC_MINISBLACK && samples == 1;
        const bool mine =
            (rgb || m_grey) && bits == 8 && planar == PLANARCONFIG_CONTIG && orientation == ORIENTATION_TOPLEFT;
        if (mine) {
            if (std::optional<Error> problem = rule(m_name, width, height))
                return *problem;
        }
        // Judged for Qt's kinds too, which its reader would take as libtiff
        // leaves them.
        if (std::optional<Error> damage = damageFound())
            return *damage;
        if (photometric != PHOTOMETRIC_PALETTE && StoredPhotometric(m_input) == PHOTOMETRIC_PALETTE)
            return PictureError(m_name, ErrorArg(kNoColourTable));
        if (!dataCanHold(height, bits))
            return CutShortPictureError(m_name, "TIFF");
        if (!mine)
            return Taking::LeftToQt;
        m_width = static_cast<int>(width);
        m_height = static_cast<int>(height);
        return Taking::Rows;
    }

    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        try {
            for (int r = 0; r < count; ++r, ++m_row) {
                const unsigned char* samples = TIFFIsTiled(m_tiff) ? tiledRow() : strippedRow();
                if (!samples)
                    return failure();
                if (m_grey)
                    GreyToWorkingWords(samples, out + r * stride, m_width);
                else
                    RgbToWorkingWords(samples, out + r * stride, m_width);
            }
        } catch (const std::bad_alloc&) {
            return PictureMemoryError(m_name);
        }
        return std::nullopt;
    }

private:
    std::size_t pixelBytes() const { return m_grey ? 1 : 3; }

    const unsigned char* strippedRow()
    {
        m_band.resize(static_cast<std::size_t>(TIFFScanlineSize64(m_tiff)));
        if (m_band.size() < static_cast<std::size_t>(m_width) * pixelBytes() ||
            TIFFReadScanline(m_tiff, m_band.data(), static_cast<std::uint32_t>(m_row), 0) < 0)
            return nullptr;
        return m_band.data();
    }

    // A row of tiles is decoded whole into the band, which then serves its rows.
    const unsigned char* tiledRow()
    {
        std::uint32_t tileWidth = 0, tileHeight = 0;
        TIFFGetField(m_tiff, TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(m_tiff, TIFFTAG_TILELENGTH, &tileHeight);
        const std::size_t rowBytes = static_cast<std::size_t>(m_width) * pixelBytes();
        if (tileWidth == 0 || tileHeight == 0)
            return nullptr;
        const auto inBand = static_cast<std::uint32_t>(m_row) % tileHeight;
        if (inBand == 0 && !readTileRow(tileWidth, tileHeight, rowBytes))
            return nullptr;
        return m_band.data() + inBand * rowBytes;
    }

    bool readTileRow(std::uint32_t tileWidth, std::uint32_t tileHeight, std::size_t rowBytes)
    {
        const std::size_t tileBytes = static_cast<std::size_t>(TIFFTileSize64(m_tiff));
        const std::size_t tileRowBytes = static_cast<std::size_t>(tileWidth) * pixelBytes();
        if (tileBytes < tileRowBytes * tileHeight)
            return false;
        m_tile.resize(tileBytes);
        m_band.resize(rowBytes * tileHeight);
        const auto top = static_cast<std::uint32_t>(m_row);
        for (std::uint32_t left = 0; left < static_cast<std::uint32_t>(m_width); left += tileWidth) {
            if (TIFFReadTile(m_tiff, m_tile.data(), left, top, 0, 0) < 0)
                return false;
            const std::size_t bytes = std::min<std::size_t>(tileRowBytes, rowBytes - left * pixelBytes());
            for (std::uint32_t y = 0; y < tileHeight; ++y)
                std::copy_n(m_tile.data() + y * tileRowBytes, bytes,
                            m_band.data() + y * rowBytes + left * pixelBytes());
        }
        return true;
    }

    // A file libtiff opened but had to mend: a value it could not read
    // (cut off, or of a wrong count) is dropped with a warning, and a
    // palette picture without its colour table becomes a grey one.
    std::optional<Error> damageFound() const
    {
        if (m_input.ranOut())
            return CutShortPictureError(m_name, "TIFF");
        const DamageRemark damage = TiffRemarksDamage(m_warnings);
        if (damage.damage == Damage::Missing)
            return CutShortPictureError(m_name, "TIFF");
        if (damage.damage == Damage::Corrupt)
            return UnreadablePictureError(m_name, "TIFF", damage.words);
        return std::nullopt;
    }

    // Whether the strips or tiles lie inside the file and their bytes can
    // decode to the picture's: a header may announce gigabytes of pixels in
    // a file of a hundred bytes, and a tile is decoded whole.
    bool dataCanHold(std::uint32_t height, std::uint16_t bits) const
    {
        std::uint16_t compression = COMPRESSION_NONE;
        TIFFGetFieldDefaulted(m_tiff, TIFFTAG_COMPRESSION, &compression);
        const std::uint32_t pieces = TIFFIsTiled(m_tiff) ? TIFFNumberOfTiles(m_tiff) : TIFFNumberOfStrips(m_tiff);
        qint64 stored = 0;
        for (std::uint32_t i = 0; i < pieces; ++i) {
            const qint64 offset = static_cast<qint64>(TIFFGetStrileOffset(m_tiff, i));
            const qint64 bytes = static_cast<qint64>(TIFFGetStrileByteCount(m_tiff, i));
            if (offset < 0 || bytes < 0 || offset > m_input.size() || bytes > m_input.size() - offset)
                return false;
            stored += bytes;
        }
        // Bilevel codes (fax) have no useful bound.
        if (bits < 8)
            return true;
        const qint64 decoded = TIFFIsTiled(m_tiff) ? static_cast<qint64>(TIFFTileSize64(m_tiff)) * pieces
                                                   : static_cast<qint64>(TIFFScanlineSize64(m_tiff)) * height;
        return decoded / MostExpansion(compression) <= stored;
    }

    Error failure() const
    {
        if (std::optional<Error> damage = damageFound())
            return *damage;
        if (TiffRemarksDamage(m_words).damage == Damage::Missing)
            return CutShortPictureError(m_name, "TIFF");
        const std::string words = JoinedDecoderLines(m_words);
        return UnreadablePictureError(m_name, "TIFF", words.empty() ? "libtiff" : words);
    }

    DeviceInput m_input;
    QString m_name;
    TIFF* m_tiff = nullptr;
    std::vector<std::string> m_words;
    std::vector<std::string> m_warnings;
    std::vector<unsigned char> m_band;
    std::vector<unsigned char> m_tile;
    int m_row = 0;
    bool m_grey = false;
};

} // namespace

Result<std::unique_ptr<RowReader>> OpenTiffRows(QIODevice* device, const QString& name, SizeRule rule)
{
    return OpenFormatRows<TiffRows>(device, name, rule);
}

} // namespace centrafix
