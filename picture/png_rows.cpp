#include "device_input.h"
#include "picture_load.h"
#include "row_reader.h"
#include "working_words.h"

#include <spng.h>

#include <new>
#include <vector>

namespace centrafix {
namespace {

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

    // False, with no error, for a kind left to Qt.
    Result<bool> open(SizeRule rule)
    {
        if (!m_context)
            return PictureMemoryError(m_name);
        spng_set_png_stream(m_context, &PngRows::readBytes, this);
        // A damaged text chunk is skipped, as libpng does for Qt.
        spng_set_crc_action(m_context, SPNG_CRC_ERROR, SPNG_CRC_DISCARD);
        spng_ihdr header{};
        if (const int code = spng_get_ihdr(m_context, &header))
            return failure(code);
        if (std::optional<ErrorArg> problem = rule(header.width, header.height))
            return PictureError(m_name, std::move(*problem));
        spng_trns transparency{};
        const int noTransparency = spng_get_trns(m_context, &transparency);
        if (noTransparency != 0 && noTransparency != SPNG_ECHUNKAVAIL)
            return failure(noTransparency);
        const bool palette = header.color_type == SPNG_COLOR_TYPE_INDEXED;
        const bool grey = header.color_type == SPNG_COLOR_TYPE_GRAYSCALE;
        if (header.interlace_method != 0 || header.bit_depth > 8 || (header.bit_depth < 8 && !palette && !grey) ||
            (noTransparency == 0 && !palette))
            return false;
        m_width = static_cast<int>(header.width);
        m_height = static_cast<int>(header.height);
        return true;
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
