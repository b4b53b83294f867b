#include "picture/formats/device_input.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/row_reader.h"
#include "picture/formats/working_words.h"

#include <spng.h>

#include <new>
#include <string>
#include <vector>

namespace centrafix {
namespace {

// Text and colour profiles are inflated whole when met; a chunk of a
// megabyte can inflate to a gigabyte. Real profiles and texts are far
// smaller than these.
constexpr std::size_t kMostChunkBytes = 16 << 20;
constexpr std::size_t kMostMetadataBytes = 32 << 20;

// Deflate's longest match (258 bytes) coded in two bits: no compressed
// stream inflates by more.
constexpr qint64 kMostInflation = 1032;

constexpr Message kMetadataTooLarge{
    "beschädigtes oder feindseliges PNG-Bild: Text oder Farbprofil sind größer als die gelesenen %1 MB",
    "damaged or hostile PNG picture: its text or colour profile is larger than the %1 MB we read"};

int Channels(std::uint8_t colorType)
{
    switch (colorType) {
    case SPNG_COLOR_TYPE_TRUECOLOR: return 3;
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return 2;
    case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA: return 4;
    default: return 1; // grey, palette
    }
}

// Whether `bytes` of file can hold the pixels the header announces: their
// filtered rows deflate to no less than this.
bool CanHold(const spng_ihdr& header, qint64 bytes)
{
    const qint64 rowBytes = (qint64{header.width} * Channels(header.color_type) * header.bit_depth + 7) / 8;
    return bytes >= qint64{header.height} * (rowBytes + 1) / kMostInflation;
}

// PNG through libspng, which decodes a fifth faster than Qt's reader and
// hands out one row at a time. Taken are the kinds whose pixels are plain
// 8-bit values, as Qt reads them too: no 16-bit samples (Qt rounds those its
// own way), no interlacing (its rows come in seven passes) and no single
// transparent colour outside a palette.
class PngRows : public RowReader {
public:
    PngRows(QIODevice* device, const QString& name) : m_input(device), m_name(name), m_context(spng_ctx_new(0)) {}
    ~PngRows() override { spng_ctx_free(m_context); }
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    // LeftToQt, with no error, for a kind Qt reads.
    Result<Taking> open(SizeRule rule)
    {
        if (!m_context)
            return PictureMemoryError(m_name);
        spng_set_png_stream(m_context, &PngRows::readBytes, this);
        // A damaged text chunk is skipped, as libpng does for Qt.
        spng_set_crc_action(m_context, SPNG_CRC_ERROR, SPNG_CRC_DISCARD);
        spng_set_chunk_limits(m_context, kMostChunkBytes, kMostMetadataBytes);
        spng_ihdr header{};
        if (const int code = spng_get_ihdr(m_context, &header))
            return failure(code);
        spng_trns transparency{};
        const int noTransparency = spng_get_trns(m_context, &transparency);
        if (noTransparency != 0 && noTransparency != SPNG_ECHUNKAVAIL)
            return failure(noTransparency);
        const bool palette = header.color_type == SPNG_COLOR_TYPE_INDEXED;
        const bool grey = header.color_type == SPNG_COLOR_TYPE_GRAYSCALE;
        const bool mine = header.interlace_method == 0 && header.bit_depth <= 8 &&
                          (header.bit_depth == 8 || palette || grey) && (noTransparency != 0 || palette);
        if (mine) {
            if (std::optional<Error> problem = rule(m_name, header.width, header.height))
                return *problem;
        }
        // Judged for Qt's kinds too: its reader would take the picture's
        // memory before finding the data missing.
        if (!CanHold(header, m_input.size()))
            return CutShortPictureError(m_name, "PNG");
        if (!mine)
            return Taking::LeftToQt;
        m_width = static_cast<int>(header.width);
        m_height = static_cast<int>(header.height);
        return Taking::Rows;
    }

    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        try {
            if (!m_started) {
                if (const int code = spng_decode_image(m_context, nullptr, 0, SPNG_FMT_RGBA8,
                                                       SPNG_DECODE_PROGRESSIVE | SPNG_DECODE_TRNS))
                    return failure(code);
                m_rgba.resize(static_cast<std::size_t>(m_width) * 4);
                m_started = true;
            }
            for (int r = 0; r < count; ++r, ++m_row) {
                const int code = spng_decode_row(m_context, m_rgba.data(), m_rgba.size());
                if (code != 0 && !(code == SPNG_EOI && m_row == m_height - 1))
                    return failure(code);
                RgbaToWorkingWords(m_rgba.data(), out + r * stride, m_width);
            }
            // What follows the pixels must be there too, up to the end chunk,
            // as Qt's reader reads it.
            if (m_row == m_height) {
                if (const int code = spng_decode_chunks(m_context))
                    return failure(code);
                if (m_input.ranOut())
                    return failure(SPNG_EIO);
            }
        } catch (const std::bad_alloc&) {
            return PictureMemoryError(m_name);
        }
        return std::nullopt;
    }

private:
    static int readBytes(spng_ctx*, void* user, void* data, std::size_t length)
    {
        auto* self = static_cast<PngRows*>(user);
        auto* bytes = static_cast<char*>(data);
        std::size_t got = 0;
        while (got < length) {
            const qint64 n = self->m_input.read(bytes + got, static_cast<qint64>(length - got));
            if (n <= 0)
                return SPNG_IO_EOF;
            got += static_cast<std::size_t>(n);
        }
        return 0;
    }

    Error failure(int code) const
    {
        if (m_input.ranOut())
            return CutShortPictureError(m_name, "PNG");
        if (code == SPNG_EMEM || code == SPNG_EOVERFLOW)
            return PictureMemoryError(m_name);
        if (code == SPNG_ECHUNK_LIMITS)
            return PictureError(m_name, ErrorArg(kMetadataTooLarge, {std::to_string(kMostMetadataBytes >> 20)}));
        return UnreadablePictureError(m_name, "PNG", spng_strerror(code));
    }

    DeviceInput m_input;
    QString m_name;
    spng_ctx* m_context;
    std::vector<unsigned char> m_rgba;
    bool m_started = false;
    int m_row = 0;
};

} // namespace

Result<std::unique_ptr<RowReader>> OpenPngRows(QIODevice* device, const QString& name, SizeRule rule)
{
    return OpenFormatRows<PngRows>(device, name, rule);
}

} // namespace centrafix
