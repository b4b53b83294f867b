#include "picture/formats/decoder_damage.h"
#include "picture/formats/device_input.h"
#include "picture/formats/picture_load.h"
#include "picture/formats/row_reader.h"
#include "picture/formats/working_words.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include <jpeglib.h>

// The message codes depend on what jpeglib.h configured.
#include <jerror.h>

namespace centrafix {
namespace {

constexpr std::size_t kInputBytes = 64 * 1024;

// A progressive picture is decoded from coefficients kept for the whole
// picture, two bytes a sample: a 4:2:0 picture of 700 megapixels, or a
// grey one of a thousand, stays below this.
constexpr long kMostCoefficientBytes = 2L << 30;

constexpr Message kProgressiveTooLarge{
    "ein progressives JPEG-Bild von %1 x %2 Pixeln braucht zum Entschlüsseln mehr als %3 MB; bitte als "
    "einfaches (nicht progressives) JPEG oder als PNG speichern",
    "a progressive JPEG picture of %1 x %2 pixels needs more than %3 MB to decode; save it as a baseline "
    "(not progressive) JPEG or as a PNG"};

// libjpeg's error manager, leaving by longjmp; its words are kept for the
// refusal. The first warning that says the data is missing or damaged is
// kept too: libjpeg goes on after it and fills what it could not decode
// with grey.
struct ErrorManager {
    jpeg_error_mgr base{};
    std::jmp_buf escape{};
    char words[JMSG_LENGTH_MAX] = {};
    Damage damage = Damage::None;
    char damageWords[JMSG_LENGTH_MAX] = {};
};

void ExitWithWords(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->words);
    std::longjmp(manager->escape, 1);
}

// Everything libjpeg would print is kept by the two hooks above and below.
void SayNothing(j_common_ptr)
{}

void NoteDamage(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level >= 0 || manager->damage != Damage::None)
        return; // a remark, or damage already noted
    manager->damage = JpegWarningDamage(info->err->msg_code);
    if (manager->damage != Damage::None)
        info->err->format_message(info, manager->damageWords);
}

// Whether every bit of every coefficient of a progressive picture arrived:
// a file that ends (properly, with its end marker) after some of its scans
// decodes without a warning to a picture with blurred edges and shifted
// colours.
bool AllScansArrived(const jpeg_decompress_struct& info)
{
    if (!info.progressive_mode || info.coef_bits == nullptr)
        return true;
    for (int c = 0; c < info.num_components; ++c) {
        for (int k = 0; k < DCTSIZE2; ++k) {
            if (info.coef_bits[c][k] != 0)
                return false;
        }
    }
    return true;
}

// The fewest bytes the coded blocks can take: with Huffman codes every block
// of a component costs a bit at least, in its first scan. Arithmetic coding
// has no such floor.
qint64 LeastScanBytes(const jpeg_decompress_struct& info)
{
    if (info.arith_code)
        return 0;
    qint64 least = -1;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const qint64 blocks = qint64{component.width_in_blocks} * component.height_in_blocks;
        least = least < 0 ? blocks : std::min(least, blocks);
    }
    return std::max<qint64>(least, 0) / 8;
}

// The device as libjpeg's source of bytes.
struct Source {
    jpeg_source_mgr base{};
    DeviceInput* input = nullptr;
    JOCTET bytes[kInputBytes];
};

void StartSource(j_decompress_ptr)
{}
void EndSource(j_decompress_ptr)
{}

boolean FillSource(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<Source*>(info->src);
    const qint64 got = source->input->read(source->bytes, kInputBytes);
    if (got <= 0)
        ERREXIT(info, JERR_INPUT_EOF); // the file ended before the picture did
    source->base.next_input_byte = source->bytes;
    source->base.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void SkipSource(j_decompress_ptr info, long count)
{
    auto* source = reinterpret_cast<Source*>(info->src);
    while (count > static_cast<long>(source->base.bytes_in_buffer)) {
        count -= static_cast<long>(source->base.bytes_in_buffer);
        FillSource(info);
    }
    source->base.next_input_byte += count;
    source->base.bytes_in_buffer -= static_cast<std::size_t>(count);
}

// JPEG through libjpeg-turbo, which writes the working copy's words itself
// (blue, green, red, pad) and so saves Qt's conversion pass. Decoded with
// libjpeg's defaults, as Qt's reader does at its default quality. Grey and
// colour pictures are taken; CMYK is left to Qt, which inverts it its own way.
class JpegRows : public RowReader {
public:
    JpegRows(QIODevice* device, const QString& name) : m_input(device), m_name(name)
    {
        m_info.err = jpeg_std_error(&m_errors.base);
        m_errors.base.error_exit = ExitWithWords;
        m_errors.base.emit_message = NoteDamage;
        m_errors.base.output_message = SayNothing;
        m_source.input = &m_input;
        m_source.base.init_source = StartSource;
        m_source.base.fill_input_buffer = FillSource;
        m_source.base.skip_input_data = SkipSource;
        m_source.base.resync_to_restart = jpeg_resync_to_restart;
        m_source.base.term_source = EndSource;
    }
    ~JpegRows() override
    {
        if (m_created)
            jpeg_destroy_decompress(&m_info);
    }
    JpegRows(const JpegRows&) = delete;
    JpegRows& operator=(const JpegRows&) = delete;

    Result<Taking> open(SizeRule rule)
    {
        if (setjmp(m_errors.escape))
            return failure();
        jpeg_create_decompress(&m_info);
        m_created = true;
        m_info.src = &m_source.base;
        jpeg_read_header(&m_info, TRUE);
        m_info.mem->max_memory_to_use = kMostCoefficientBytes;
        const bool mine = m_info.num_components == 1 || m_info.num_components == 3;
        if (mine) {
            if (std::optional<Error> problem = rule(m_name, m_info.image_width, m_info.image_height))
                return *problem;
        }
        // Judged for Qt's kinds too: its reader would take the picture's
        // memory (a progressive one's coefficients) before finding the data
        // missing.
        if (m_input.size() < LeastScanBytes(m_info))
            return CutShortPictureError(m_name, "JPEG");
        if (!mine)
            return Taking::LeftToQt;
        m_grey = m_info.num_components == 1;
        m_info.out_color_space = m_grey ? JCS_GRAYSCALE : JCS_EXT_BGRX;
        m_width = static_cast<int>(m_info.image_width);
        m_height = static_cast<int>(m_info.image_height);
        return Taking::Rows;
    }

    std::optional<Error> readRows(std::uint32_t* out, std::ptrdiff_t stride, int count) override
    {
        if (m_grey && m_greyRow.empty()) {
            try {
                m_greyRow.resize(static_cast<std::size_t>(m_width));
            } catch (const std::bad_alloc&) {
                return PictureMemoryError(m_name);
            }
        }
        if (setjmp(m_errors.escape))
            return failure();
        if (!m_started) {
            // A progressive picture is read whole here.
            jpeg_start_decompress(&m_info);
            m_started = true;
            if (!AllScansArrived(m_info))
                return DataEndsEarlyPictureError(m_name, "JPEG");
        }
        for (int r = 0; r < count; ++r) {
            auto* target = reinterpret_cast<JSAMPLE*>(out + r * stride);
            JSAMPROW row = m_grey ? m_greyRow.data() : target;
            if (jpeg_read_scanlines(&m_info, &row, 1) != 1)
                ERREXIT(&m_info, JERR_INPUT_EOF);
            if (m_grey)
                GreyToWorkingWords(m_greyRow.data(), out + r * stride, m_width);
            else
                PadToWorkingWords(out + r * stride);
        }
        // The end marker must be there too, as Qt's reader reads it.
        if (m_info.output_scanline == m_info.output_height)
            jpeg_finish_decompress(&m_info);
        if (m_errors.damage != Damage::None)
            return damaged();
        return std::nullopt;
    }

private:
    void PadToWorkingWords(std::uint32_t* row) const
    {
        for (int x = 0; x < m_width; ++x)
            row[x] |= 0xFF000000u;
    }

    Error failure() const
    {
        if (m_input.ranOut())
            return CutShortPictureError(m_name, "JPEG");
        if (m_errors.base.msg_code == JERR_OUT_OF_MEMORY)
            return PictureMemoryError(m_name);
        if (m_errors.base.msg_code == JERR_NO_BACKING_STORE) // past max_memory_to_use
            return PictureError(m_name, ErrorArg(kProgressiveTooLarge, {std::to_string(m_info.image_width),
                                                                        std::to_string(m_info.image_height),
                                                                        std::to_string(kMostCoefficientBytes >> 20)}));
        return UnreadablePictureError(m_name, "JPEG", m_errors.words);
    }

    Error damaged() const
    {
        if (m_errors.damage == Damage::Missing)
            return DataEndsEarlyPictureError(m_name, "JPEG");
        return UnreadablePictureError(m_name, "JPEG", m_errors.damageWords);
    }

    DeviceInput m_input;
    QString m_name;
    ErrorManager m_errors;
    Source m_source;
    jpeg_decompress_struct m_info{};
    std::vector<JSAMPLE> m_greyRow;
    bool m_created = false;
    bool m_started = false;
    bool m_grey = false;
};

} // namespace

Result<std::unique_ptr<RowReader>> OpenJpegRows(QIODevice* device, const QString& name, SizeRule rule)
{
    return OpenFormatRows<JpegRows>(device, name, rule);
}

} // namespace centrafix
