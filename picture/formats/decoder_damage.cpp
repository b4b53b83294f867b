#include "picture/formats/decoder_damage.h"

#include <array>
#include <cstdio>

#include <jpeglib.h>

// The message codes depend on what jpeglib.h configured.
#include <jerror.h>

namespace centrafix {

namespace {

constexpr std::array kJpegMissing{JWRN_HIT_MARKER, JWRN_JPEG_EOF};
constexpr std::array kJpegCorrupt{JWRN_HUFF_BAD_CODE, JWRN_ARITH_BAD_CODE, JWRN_MUST_RESYNC, JWRN_BOGUS_PROGRESSION};

// A message of libjpeg's table up to its first argument: what every line
// made from it starts with.
std::string_view JpegWords(int code)
{
    static const jpeg_error_mgr table = [] {
        jpeg_error_mgr manager{};
        jpeg_std_error(&manager);
        return manager;
    }();
    if (code < 0 || code > table.last_jpeg_message)
        return {};
    const std::string_view words = table.jpeg_message_table[code];
    return words.substr(0, words.find('%'));
}

// The TIFF tags whose loss changes the pixels; libtiff drops any tag it
// cannot read with a warning that names it and ends "tag ignored".
constexpr std::array<std::string_view, 18> kPixelTags{
    "\"ColorMap\"",         "\"StripOffsets\"",    "\"StripByteCounts\"", "\"TileOffsets\"",  "\"TileByteCounts\"",
    "\"BitsPerSample\"",    "\"SamplesPerPixel\"", "\"Compression\"",     "\"Photometric",    "\"RowsPerStrip\"",
    "\"PlanarConfig",       "\"ExtraSamples\"",    "\"Predictor\"",       "\"SampleFormat\"", "\"JPEGTables\"",
    "\"YCbCrSubsampling\"", "\"FillOrder\"",       "\"Orientation\""};

} // namespace

Damage JpegWarningDamage(int messageCode)
{
    for (const int code : kJpegMissing) {
        if (code == messageCode)
            return Damage::Missing;
    }
    for (const int code : kJpegCorrupt) {
        if (code == messageCode)
            return Damage::Corrupt;
    }
    return Damage::None;
}

DamageRemark JpegRemarksDamage(const std::vector<std::string>& remarks)
{
    for (const std::string& line : remarks) {
        for (const int code : kJpegMissing) {
            if (line.find(JpegWords(code)) != std::string::npos)
                return {Damage::Missing, line};
        }
        for (const int code : kJpegCorrupt) {
            if (line.find(JpegWords(code)) != std::string::npos)
                return {Damage::Corrupt, line};
        }
    }
    return {};
}

DamageRemark TiffRemarksDamage(const std::vector<std::string>& remarks)
{
    for (const std::string& line : remarks) {
        // libtiff's words for a read that came back short.
        if (line.find("IO error during reading") != std::string::npos || line.find("Read error") != std::string::npos)
            return {Damage::Missing, line};
        if (line.find("tag ignored") == std::string::npos)
            continue;
        for (const std::string_view tag : kPixelTags) {
            if (line.find(tag) != std::string::npos)
                return {Damage::Corrupt, line};
        }
    }
    return {};
}

} // namespace centrafix
