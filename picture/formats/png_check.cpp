#include "picture/formats/png_check.h"

#include <QByteArray>
#include <QIODevice>

#include <png.h>

#include <vector>

namespace centrafix {
namespace {

struct Reading {
    QIODevice* device = nullptr;
    QByteArray* copy = nullptr;
    PngCheck check;
};

void Warn(png_structp png, png_const_charp text)
{
    static_cast<Reading*>(png_get_error_ptr(png))->check.said.emplace_back(text);
}

[[noreturn]] void Fail(png_structp png, png_const_charp text)
{
    Warn(png, text);
    png_longjmp(png, 1);
}

// As Qt's reader reads: a short read is libpng's "Read Error".
void Read(png_structp png, png_bytep data, png_size_t length)
{
    auto* reading = static_cast<Reading*>(png_get_io_ptr(png));
    while (length > 0) {
        const qint64 got = reading->device->read(reinterpret_cast<char*>(data), static_cast<qint64>(length));
        if (got <= 0) {
            reading->check.cutShort = true;
            png_error(png, "Read Error");
        }
        if (reading->copy)
            reading->copy->append(reinterpret_cast<const char*>(data), got);
        data += got;
        length -= static_cast<png_size_t>(got);
    }
}

// Everything that may be destroyed after a longjmp lives outside the
// function that calls setjmp.
bool ReadThrough(png_structp png, png_infop info, std::vector<png_byte>& row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
#if defined(PNG_SET_OPTION_SUPPORTED) && defined(PNG_MAXIMUM_INFLATE_WINDOW)
    png_set_option(png, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON); // as Qt's reader reads
#endif
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    row.resize(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, row.data(), nullptr);
    }
    png_read_end(png, info);
    return true;
}

} // namespace

PngCheck CheckPngData(QIODevice& device, QByteArray* copy)
{
    Reading reading;
    reading.device = &device;
    reading.copy = copy;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reading, Fail, Warn);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        reading.check.damaged = true;
        reading.check.said.emplace_back("Insufficient memory");
        return reading.check;
    }
    png_set_read_fn(png, &reading, Read);
    std::vector<png_byte> row;
    try {
        reading.check.damaged = !ReadThrough(png, info, row);
    } catch (...) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return reading.check;
}

} // namespace centrafix
