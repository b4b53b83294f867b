// The vector walker against the one-pixel-at-a-time reference, and a picture
// measured band by band as a decoder delivers it against the same picture
// measured whole: every total, row chord and mark must be the same.

#include "engine/analysis_run.h"
#include "engine/band_sweep.h"
#include "engine/color_match.h"
#include "engine/object_sweep.h"
#include "engine/row_sweep.h"
#include "object_totals_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace centrafix;

namespace {

// A raster of raw words: the top byte is junk, as the sweep must ignore it.
struct Words {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> words;

    RasterView view() const { return {words.data(), width, height, width}; }
};

// Stretches of random length in one of the eight corner colours, some exact,
// some shifted by up to `shade` per component, so runs, repeated colours and
// near misses at every tolerance occur. `longest` 1 is pure noise.
Words Picture(int width, int height, int shade, int longest, unsigned seed)
{
    Words p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> corner(0, 7), offset(0, shade), stretch(1, longest), byte(0, 255);
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width;) {
            const int c = corner(random);
            const bool exact = stretch(random) * 2 <= longest;
            auto component = [&](int bit) {
                const int d = exact ? 0 : offset(random);
                return static_cast<std::uint32_t>((c >> bit) & 1 ? 255 - d : d);
            };
            const std::uint32_t rgb = component(0) << 16 | component(1) << 8 | component(2);
            for (int n = stretch(random); n > 0 && x < width; --n, ++x)
                p.words[i++] = rgb | static_cast<std::uint32_t>(byte(random)) << 24;
        }
        // Now and then a row just like the one above, for the upper pairs.
        if (y > 0 && corner(random) == 0)
            std::memcpy(&p.words[i - width], &p.words[i - 2 * width], static_cast<std::size_t>(width) * 4);
    }
    return p;
}

void ExpectSame(const SweepResult& a, const SweepResult& b)
{
    for (std::size_t i = 1; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "object " << i);
        EXPECT_EQ(a.objects[i], b.objects[i]);
        EXPECT_EQ(a.rowChords[i], b.rowChords[i]);
    }
    EXPECT_EQ(a.strayPixels, b.strayPixels);
}

void ExpectSameMarks(const QuarterChordMarks& a, const QuarterChordMarks& b)
{
    for (int y = 0; y < a.height(); ++y)
        ASSERT_EQ(std::memcmp(a.row(y), b.row(y), static_cast<std::size_t>(a.width())), 0) << "marks of row " << y;
}

constexpr int kWidths[] = {1, 2, 3, 15, 16, 17, 31, 33, 63, 64, 65, 129, 397};

// Runs `check` with the vector walker on each instruction set this processor
// has, not only the widest, then goes back to the widest.
template <class Check>
void OnEveryInstructionSet(Check check)
{
    const std::vector<std::string> sets = VectorInstructionSets();
    for (const std::string& set : sets) {
        SCOPED_TRACE("instruction set " + set);
        ASSERT_TRUE(UseVectorInstructionSet(set));
        check();
    }
    if (!sets.empty())
        UseVectorInstructionSet(sets.front());
}

} // namespace

TEST(VectorSweep, EveryInstructionSetOfThisProcessorCanBeChosenAndNoOther)
{
    const std::vector<std::string> sets = VectorInstructionSets();
#if defined(__x86_64__)
    // Every 64-bit x86 processor since 2008 has SSSE3 and SSE4.
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(sets.back(), "SSSE3");
#endif
    EXPECT_FALSE(UseVectorInstructionSet("no such set"));
    if (std::find(sets.begin(), sets.end(), "AVX3") == sets.end()) {
        EXPECT_FALSE(UseVectorInstructionSet("AVX3"));
    }
}

TEST(VectorSweep, AgreesWithTheReferenceOnEveryKindOfRow)
{
    OnEveryInstructionSet([] {
        std::array<bool, 8> ticked{};
        ticked.fill(true);
        ticked[6] = false; // an unticked colour is left alone
        for (const int width : kWidths)
            for (const int longest : {1, 6, 300}) {
                const Words picture = Picture(width, 23, 40, longest, static_cast<unsigned>(width * 7 + longest));
                for (const double tolerance : {0.0, 1.0, 10.0, 10.5, 60.0, 127.5}) {
                    SCOPED_TRACE(testing::Message()
                                 << width << " wide, stretches up to " << longest << ", tolerance " << tolerance);
                    QuarterChordMarks vectorMarks(width, picture.height), scalarMarks(width, picture.height);
                    const SweepResult vector =
                        SweepAllObjects(picture.view(), ticked, tolerance, vectorMarks, 1, SweepMethod::Vector);
                    const SweepResult scalar =
                        SweepAllObjects(picture.view(), ticked, tolerance, scalarMarks, 1, SweepMethod::Scalar);
                    ExpectSame(vector, scalar);
                    ExpectSameMarks(vectorMarks, scalarMarks);
                }
                // Tolerances where one pixel may match several colours: one object at a time.
                for (const double tolerance : {128.0, 300.0, 765.0, 766.0})
                    for (const int object : {1, 4, 7}) {
                        SCOPED_TRACE(testing::Message()
                                     << width << " wide, object " << object << ", tolerance " << tolerance);
                        QuarterChordMarks vectorMarks(width, picture.height), scalarMarks(width, picture.height);
                        const bool stray = object == 4;
                        ExpectSame(SweepOneObject(picture.view(), object, tolerance, vectorMarks, 1,
                                                  SweepMethod::Vector, stray),
                                   SweepOneObject(picture.view(), object, tolerance, scalarMarks, 1,
                                                  SweepMethod::Scalar, stray));
                        ExpectSameMarks(vectorMarks, scalarMarks);
                    }
            }
    });
}

// Words of any colour, greys, tints and darks among them: both walkers count
// the pixels IsStrayPixel names, at every tolerance and in both ways of
// classifying, and only where asked to.
TEST(VectorSweep, CountsTheStrayPixelsThePredicateNames)
{
    OnEveryInstructionSet([] {
        std::array<bool, 8> ticked{};
        ticked.fill(true);
        for (const int width : kWidths) {
            Words picture{width, 9, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * 9)};
            std::mt19937 random(static_cast<unsigned>(width));
            for (std::uint32_t& word : picture.words)
                word = static_cast<std::uint32_t>(random());
            for (const double tolerance : {0.0, 10.0, 60.0, 127.5, 128.0, 300.0, 766.0}) {
                SCOPED_TRACE(testing::Message() << width << " wide, tolerance " << tolerance);
                std::int64_t expected = 0;
                for (const std::uint32_t word : picture.words)
                    expected += IsStrayPixel(word, MaxColorDistance(tolerance)) ? 1 : 0;
                for (const SweepMethod method : {SweepMethod::Vector, SweepMethod::Scalar}) {
                    QuarterChordMarks marks(width, picture.height);
                    const SweepResult result =
                        CanSweepAllObjectsAtOnce(tolerance)
                            ? SweepAllObjects(picture.view(), ticked, tolerance, marks, 1, method)
                            : SweepOneObject(picture.view(), 2, tolerance, marks, 1, method, true);
                    EXPECT_EQ(result.strayPixels, expected) << (method == SweepMethod::Vector ? "vector" : "scalar");
                    EXPECT_EQ(SweepOneObject(picture.view(), 2, tolerance, marks, 1, method).strayPixels, 0);
                }
            }
        }
    });
}

TEST(VectorSweep, AgreesWithTheReferenceOnFlatPictures)
{
    // One colour throughout: a whole picture of one object, of white, or of a
    // grey just inside or outside the tolerance of black.
    OnEveryInstructionSet([] {
        std::array<bool, 8> ticked{};
        ticked.fill(true);
        // A tolerance of 0 matches nothing, not even an exact colour.
        for (const double tolerance : {30.0, 0.0})
            for (const int width : kWidths)
                for (const std::uint32_t colour : {0x000000u, 0xFF0000u, 0xFFFFFFu, 0x0A0A0Au, 0x0B0B0Bu}) {
                    SCOPED_TRACE(testing::Message()
                                 << width << " wide, colour " << std::hex << colour << ", tolerance " << tolerance);
                    const Words flat{width, 19,
                                     std::vector<std::uint32_t>(static_cast<std::size_t>(width) * 19, colour)};
                    QuarterChordMarks vectorMarks(width, flat.height), scalarMarks(width, flat.height);
                    const SweepResult vector =
                        SweepAllObjects(flat.view(), ticked, tolerance, vectorMarks, 1, SweepMethod::Vector);
                    const SweepResult scalar =
                        SweepAllObjects(flat.view(), ticked, tolerance, scalarMarks, 1, SweepMethod::Scalar);
                    ExpectSame(vector, scalar);
                    ExpectSameMarks(vectorMarks, scalarMarks);
                }
    });
}

TEST(BandSweep, BandsOfAnyHeightMeasureWhatTheWholePictureDoes)
{
    const Words picture = Picture(211, 300, 12, 40, 99);
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    for (const double tolerance : {10.0, 200.0}) {
        SCOPED_TRACE(tolerance);
        // The whole picture as the window measures it, object by object above 127.5.
        SweepResult whole;
        QuarterChordMarks marks(picture.width, picture.height);
        if (CanSweepAllObjectsAtOnce(tolerance)) {
            whole = SweepAllObjects(picture.view(), ticked, tolerance, marks, 1);
        } else {
            for (std::size_t i = 1; i < 8; ++i) {
                SweepResult own = SweepOneObject(picture.view(), static_cast<int>(i), tolerance, marks, 1,
                                                 SweepMethod::Vector, i == 1);
                whole.objects[i] = own.objects[i];
                whole.rowChords[i] = std::move(own.rowChords[i]);
                whole.strayPixels += own.strayPixels;
            }
        }
        for (const int bandRows : {1, 7, 64, 150, 300}) {
            SCOPED_TRACE(bandRows);
            BandSweep bands(picture.width, picture.height, ticked, tolerance, 2);
            for (int first = 0; first < picture.height; first += bandRows) {
                RasterView band = picture.view();
                band.bits = band.row(first);
                band.height = std::min(bandRows, picture.height - first);
                bands.addBand(band, first, first > 0 ? picture.view().row(first - 1) : nullptr);
            }
            const SweptPicture swept = bands.finish();
            EXPECT_EQ(swept.width, picture.width);
            EXPECT_EQ(swept.height, picture.height);
            ExpectSame(swept.sweep, whole);
        }
    }
}

TEST(BandSweep, ARunOfASweptPictureGivesTheWholePicturesResults)
{
    const Words picture = Picture(180, 140, 6, 25, 5);
    AnalysisInputs in;
    in.ticked.fill(true);
    in.ticked[3] = false;
    in.scaleText = "0.0123";
    in.OriginX = 1.5;
    in.OriginY = 2.25;
    in.OriginRow = 60;
    AnalysisObserver quiet;
    for (const char* tolerance : {"10", "250"}) {
        in.toleranceText = tolerance;
        const RunSetup setup = *PrepareRun(in);
        ColorObjectTable wholeObjects = MakeColorObjects(kEnglish), sweptObjects = MakeColorObjects(kEnglish);
        const AnalysisResult whole = RunAnalysis(picture.view(), wholeObjects, setup, in, quiet);
        BandSweep bands(picture.width, picture.height, in.ticked, setup.Tolerance, 1,
                        EdgeColours(in.ticked, in.balance));
        bands.addBand(picture.view(), 0, nullptr);
        SweptPicture swept = bands.finish();
        const AnalysisResult streamed = RunAnalysisOfSwept(swept, sweptObjects, setup, in, quiet);
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(sweptObjects[i].Area, wholeObjects[i].Area) << i;
            EXPECT_EQ(sweptObjects[i].Outline, wholeObjects[i].Outline) << i;
            EXPECT_EQ(sweptObjects[i].Found, wholeObjects[i].Found) << i;
        }
        EXPECT_EQ(streamed.values.RowChord, whole.values.RowChord);
        EXPECT_EQ(streamed.gridRows, whole.gridRows);
        EXPECT_EQ(streamed.report, whole.report);
        EXPECT_EQ(streamed.matches.stray, whole.matches.stray);
        EXPECT_EQ(streamed.matches.matched, whole.matches.matched);
        EXPECT_EQ(streamed.values.marks.width(), 0) << "nobody looks at them";
    }
}
