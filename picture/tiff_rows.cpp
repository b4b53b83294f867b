#include "device_input.h"
#include "picture_load.h"
#include "row_reader.h"
#include "working_words.h"

#include "decoder_log.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include <tiffio.h>

namespace centrafix {
namespace {

tmsize_t ReadProc(thandle_t handle, void* data, tmsize_t size)
{
    return static_cast<tmsize_t>(static_cast<DeviceInput*>(handle)->read(data, size));
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

    Result<bool> open(SizeRule rule)
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
        if (std::optional<ErrorArg> problem = rule(width, height))
            return PictureError(m_name, std::move(*problem));
        const bool rgb = photometric == PHOTOMETRIC_RGB && samples == 3;
        m_grey = photometric == PHOTOMETRIC_MINISBLACK && samples == 1;
        if (!(rgb || m_grey) || bits != 8 || planar != PLANARCONFIG_CONTIG || orientation != ORIENTATION_TOPLEFT)
            return false;
        m_width = static_cast<int>(width);
        m_height = static_cast<int>(height);
        return true;
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
                std::copy_n(m_tile.data() + y * tileRowBytes, bytes, m_band.data() + y * rowBytes + left * pixelBytes());
        }
        return true;
    }

    Error failure() const
    {
        if (m_input.ranOut())
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
