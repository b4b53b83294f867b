// Draws the built-in example picture: an aircraft seen from above, nose to the
// left, every component in one flat colour, no anti-aliasing. Writes a 24-bit
// BMP. Run it as `centrafix-make-example resources/example.bmp` after changing
// a shape; the test suite checks that the committed file is what this draws.
//
// The shapes are chosen so the picture holds exactly five colours and each
// colour's extent is a round, documented box:
//   red    wing       x 112-241, y 0-312, cut into four pieces
//   black  fuselage   x 0-328,   y 130-182, pointed at both ends
//   green  two tanks  x 114-249, rows 70-83 and 230-242
//   blue   tailplane  x 278-324, rows 100-150 and 163-212
// The picture is nearly, not exactly, symmetric about its middle row: the
// lower wing tip and tailplane half are one pixel shorter than the upper ones.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 314;

struct Rgb {
    std::uint8_t r, g, b;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

class Canvas {
public:
    Canvas() : m_pixels(static_cast<std::size_t>(kWidth) * kHeight, kWhite) {}

    void set(int x, int y, Rgb c)
    {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            m_pixels[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)] = c;
    }

    // Fills columns x0..x1 (inclusive) of row y.
    void span(int y, int x0, int x1, Rgb c)
    {
        for (int x = x0; x <= x1; ++x)
            set(x, y, c);
    }

    bool writeBmp(const char* path) const
    {
        const int rowBytes = (kWidth * 3 + 3) / 4 * 4;
        const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes) * kHeight;
        const std::uint32_t fileSize = 14 + 40 + imageSize;
        std::vector<std::uint8_t> out;
        auto u16 = [&out](std::uint32_t v) {
            out.push_back(static_cast<std::uint8_t>(v & 0xFF));
            out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        };
        auto u32 = [&u16](std::uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        out.push_back('B');
        out.push_back('M');
        u32(fileSize);
        u32(0);
        u32(14 + 40);
        u32(40); // BITMAPINFOHEADER
        u32(kWidth);
        u32(kHeight); // positive: rows stored bottom-up
        u16(1);       // planes
        u16(24);      // bits per pixel
        u32(0);       // no compression
        u32(imageSize);
        u32(3780); // 96 dpi
        u32(3780);
        u32(0);
        u32(0);
        for (int y = kHeight - 1; y >= 0; --y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgb c = m_pixels[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
                out.push_back(c.b);
                out.push_back(c.g);
                out.push_back(c.r);
            }
            for (int pad = kWidth * 3; pad < rowBytes; ++pad)
                out.push_back(0);
        }
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
        return static_cast<bool>(file);
    }

private:
    std::vector<Rgb> m_pixels;
};

int lerp(int a, int b, int t, int tMax)
{
    return static_cast<int>(std::lround(a + double(b - a) * t / tMax));
}

// Swept wing: leading and trailing edge run straight from the tip row to the
// root row; under the fuselage the root chord continues.
void drawWing(Canvas& c)
{
    // Upper half: tip at row 0, root at row 129.
    for (int y = 0; y <= 129; ++y)
        c.span(y, lerp(190, 112, y, 129), lerp(241, 228, y, 129), kRed);
    for (int y = 130; y <= 182; ++y)
        c.span(y, 112, 228, kRed);
    // Lower half: root at row 183, tip at row 312 (one pixel shorter at the tip).
    for (int y = 183; y <= 312; ++y)
        c.span(y, lerp(112, 189, y - 183, 129), lerp(228, 240, y - 183, 129), kRed);
}

// An elliptic tank: every pixel whose centre lies inside the ellipse.
void drawTank(Canvas& c, double cx, double cy, double rx, double ry)
{
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                c.set(x, y, kGreen);
        }
    }
}

// Tailplane halves: straight trailing edge at x 324, leading edge swept from
// the tip to a short straight root section (partly hidden by the fuselage).
void drawTail(Canvas& c)
{
    for (int y = 100; y <= 150; ++y) {
        const int le = y >= 120 ? 278 : lerp(300, 278, y - 100, 20);
        c.span(y, le, 324, kBlue);
    }
    for (int y = 163; y <= 212; ++y) {
        const int le = y <= 193 ? 278 : lerp(278, 299, y - 193, 19);
        c.span(y, le, 324, kBlue);
    }
}

// Fuselage: centre row 156, half height 26; a rounded point at the nose
// (x = 0), full height from x = 60 to 235, then a straight taper to the tail
// point at x = 328.
void drawFuselage(Canvas& c)
{
    for (int x = 0; x <= 328; ++x) {
        double half = 26.0;
        if (x < 60)
            half = 26.0 * std::sqrt(x / 60.0);
        else if (x > 235)
            half = 26.0 * (328 - x) / (328.0 - 235.0);
        const int h = static_cast<int>(std::floor(half));
        for (int y = 156 - h; y <= 156 + h; ++y)
            c.set(x, y, kBlack);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    Canvas canvas;
    drawWing(canvas);
    drawTank(canvas, 182.0, 77.0, 68.0, 7.0);
    drawTank(canvas, 182.0, 236.5, 68.0, 6.5);
    drawTail(canvas);
    drawFuselage(canvas);
    if (!canvas.writeBmp(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
