#include "picture/edits/resample.h"

#include "engine/color_object.h"
#include "engine/raster.h"
#include "engine/row_strips.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace centrafix {

namespace {

constexpr std::uint32_t kWhiteWord = 0xFFFFFFFFu;

struct SourceRows {
    const uchar* bits;
    qsizetype bytesPerLine;
    int width;
    int height;

    const std::uint32_t* row(int y) const { return reinterpret_cast<const std::uint32_t*>(bits + y * bytesPerLine); }
};

// Two 8-bit channels packed 16 bits apart, weighted a : 256 - a, rounded: a
// channel both sides share comes back unchanged.
inline std::uint32_t Mix(std::uint32_t p, std::uint32_t q, std::uint32_t a)
{
    return ((p * (256 - a) + q * a + 0x00800080u) >> 8) & 0x00FF00FFu;
}

inline std::uint32_t Bilinear(const SourceRows& src, double sx, double sy)
{
    // Weights in 1/256 of a pixel. A point is never more than half a pixel
    // left of or above the first pixel centre, so a pixel's worth added
    // makes truncation the floor (std::floor is a library call on plain
    // x86-64).
    const auto qx = static_cast<std::int64_t>(sx * 256.0 + 256.5) - 256;
    const auto qy = static_cast<std::int64_t>(sy * 256.0 + 256.5) - 256;
    const int x0 = static_cast<int>(qx >> 8), y0 = static_cast<int>(qy >> 8);
    const auto wx = static_cast<std::uint32_t>(qx & 255), wy = static_cast<std::uint32_t>(qy & 255);
    const int xa = std::max(x0, 0), xb = std::min(x0 + 1, src.width - 1);
    const std::uint32_t* rowA = src.row(std::max(y0, 0));
    const std::uint32_t* rowB = src.row(std::min(y0 + 1, src.height - 1));
    const std::uint32_t p00 = rowA[xa], p01 = rowA[xb], p10 = rowB[xa], p11 = rowB[xb];
    const std::uint32_t rbTop = Mix(p00 & 0x00FF00FFu, p01 & 0x00FF00FFu, wx);
    const std::uint32_t rbBottom = Mix(p10 & 0x00FF00FFu, p11 & 0x00FF00FFu, wx);
    const std::uint32_t gTop = Mix((p00 >> 8) & 0xFFu, (p01 >> 8) & 0xFFu, wx);
    const std::uint32_t gBottom = Mix((p10 >> 8) & 0xFFu, (p11 >> 8) & 0xFFu, wx);
    return 0xFF000000u | Mix(rbTop, rbBottom, wy) | (Mix(gTop, gBottom, wy) << 8);
}

inline std::uint32_t Nearest(const SourceRows& src, double sx, double sy)
{
    // Truncation as the floor, as above.
    const int x = std::min(static_cast<int>(sx + 1.5) - 1, src.width - 1);
    const int y = std::min(static_cast<int>(sy + 1.5) - 1, src.height - 1);
    return src.row(y)[x] | 0xFF000000u;
}

template <Resampling kind>
void ResampleRows(const SourceRows& src, uchar* outBits, qsizetype outBytesPerLine, int outWidth, int firstRow,
                  int endRow, const QTransform& m)
{
    const double left = -0.5, right = src.width - 0.5, top = -0.5, bottom = src.height - 0.5;
    for (int y = firstRow; y < endRow; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(outBits + y * outBytesPerLine);
        for (int x = 0; x < outWidth; ++x) {
            // Each pixel from its own coordinates, not by steps along the row,
            // so that no error builds up over a wide picture.
            const double w = m.m13() * x + m.m23() * y + m.m33();
            const double inverse = 1.0 / w;
            const double sx = (m.m11() * x + m.m21() * y + m.m31()) * inverse;
            const double sy = (m.m12() * x + m.m22() * y + m.m32()) * inverse;
            // Written so that NaN lands outside too.
            if (!(w > 0.0 && sx >= left && sx < right && sy >= top && sy < bottom)) {
                out[x] = kWhiteWord;
                continue;
            }
            out[x] = kind == Resampling::Bilinear ? Bilinear(src, sx, sy) : Nearest(src, sx, sy);
        }
    }
}

} // namespace

Resampling ResamplingFor(const QImage& workingCopy)
{
    std::array<std::uint32_t, 8> painted{};
    for (std::size_t i = 0; i < painted.size(); ++i)
        painted[i] = ToRasterWord(kObjectColors[i]) & 0x00FFFFFFu;
    for (int y = 0; y < workingCopy.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(workingCopy.constScanLine(y));
        for (int x = 0; x < workingCopy.width(); ++x) {
            const std::uint32_t c = row[x] & 0x00FFFFFFu;
            if (std::find(painted.begin(), painted.end(), c) == painted.end())
                return Resampling::Bilinear;
        }
    }
    return Resampling::Nearest;
}

QImage ResampledPicture(const QImage& source, QSize size, const QTransform& toSource, Resampling resampling)
{
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const SourceRows src{source.constBits(), source.bytesPerLine(), source.width(), source.height()};
    // Taken once here: scanLine() on several threads at once would race in
    // QImage's own bookkeeping.
    uchar* outBits = out.bits();
    const qsizetype outBytesPerLine = out.bytesPerLine();
    const int rows = size.height();
    const int strips = EffectiveThreads(0, rows);
    RunStrips(strips, [&](int k) {
        const int first = static_cast<int>(static_cast<std::int64_t>(rows) * k / strips);
        const int end = static_cast<int>(static_cast<std::int64_t>(rows) * (k + 1) / strips);
        if (resampling == Resampling::Bilinear)
            ResampleRows<Resampling::Bilinear>(src, outBits, outBytesPerLine, size.width(), first, end, toSource);
        else
            ResampleRows<Resampling::Nearest>(src, outBits, outBytesPerLine, size.width(), first, end, toSource);
    });
    return out;
}

} // namespace centrafix
