#include "engine/analysis_run.h"
#include "engine/color_match.h"
#include "engine/object_sweep.h"
#include "object_totals_print.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace centrafix;
using centrafix::test::TextPicture;

namespace {

// Every pixel one of the seven object colours or white, shifted by a random
// shade of up to `shade` per component, in stretches of random length: short
// runs, repeated exact colours and near misses at the tolerance.
TextPicture NoisyPicture(int width, int height, int shade, unsigned seed, int longest = 6)
{
    TextPicture picture(width, height, Rgb(255, 255, 255));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> corner(0, 7);
    std::uniform_int_distribution<int> offset(0, shade);
    std::uniform_int_distribution<int> stretch(1, longest);
    const int corners[8][3] = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                               {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            const int* c = corners[corner(random)];
            // Half the stretches in the exact colour, so small tolerances find pixels too.
            const bool exact = stretch(random) <= longest / 2;
            auto shift = [&](int v) {
                const int d = exact ? 0 : offset(random);
                return v == 0 ? d : 255 - d;
            };
            const auto colour = Rgb(shift(c[0]), shift(c[1]), shift(c[2]));
            for (int n = stretch(random); n > 0 && x < width; --n)
                picture.set(x++, y, colour);
        }
    }
    return picture;
}

} // namespace

TEST(ObjectSweep, MeasuresEveryObjectExactlyAsItsOwnPassDoes)
{
    // Short stretches take the branch-free walker, long ones the stretch walker.
    for (const int longest : {6, 90})
        for (const double tolerance : {1.0, 10.0, 10.5, 60.0, 127.5}) {
            const TextPicture picture = NoisyPicture(397, 131, 20, static_cast<unsigned>(tolerance * 10), longest);
            const RasterView raster = picture.view();
            std::array<bool, 8> ticked{};
            ticked.fill(true);
            ticked[6] = false; // an unticked colour is left alone
            QuarterChordMarks sweptMarks(raster.width, raster.height);
            const SweepResult sweep = SweepAllObjects(raster, ticked, tolerance, sweptMarks, 3);

            QuarterChordMarks ownMarks(raster.width, raster.height);
            for (int i = 1; i <= 7; ++i) {
                if (!ticked[static_cast<std::size_t>(i)])
                    continue;
                const SweepResult own = SweepOneObject(raster, i, tolerance, ownMarks, 1);
                const ObjectTotals& t = sweep.objects[static_cast<std::size_t>(i)];
                const ObjectTotals& o = own.objects[static_cast<std::size_t>(i)];
                SCOPED_TRACE(testing::Message() << "tolerance " << tolerance << " object " << i);
                EXPECT_EQ(t, o);
                EXPECT_EQ(sweep.rowChords[static_cast<std::size_t>(i)], own.rowChords[static_cast<std::size_t>(i)]);
                EXPECT_GT(t.count, 0);
            }
            EXPECT_EQ(sweep.objects[6].count, 0);
            for (int y = 0; y < raster.height; ++y)
                ASSERT_EQ(std::memcmp(sweptMarks.row(y), ownMarks.row(y), static_cast<std::size_t>(raster.width)), 0)
                    << "marks of row " << y;
        }
}

TEST(ObjectSweep, ResultIsBitIdenticalWhateverTheNumberOfThreads)
{
    const TextPicture picture = NoisyPicture(640, 480, 6, 42);
    AnalysisInputs in;
    in.ticked.fill(true);
    in.scaleText = "0.0123";
    in.OriginX = 1.5;
    in.OriginY = 2.25;
    in.OriginRow = 200;
    const RunSetup setup = *PrepareRun(in);
    AnalysisObserver quiet;

    in.threads = 1;
    ColorObjectTable serialObjects = MakeColorObjects(kEnglish);
    const AnalysisResult serial = RunAnalysis(picture.view(), serialObjects, setup, in, quiet);
    for (const int threads : {2, 3, 7}) {
        in.threads = threads;
        ColorObjectTable objects = MakeColorObjects(kEnglish);
        const AnalysisResult parallel = RunAnalysis(picture.view(), objects, setup, in, quiet);
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(std::memcmp(&objects[i].Area, &serialObjects[i].Area, sizeof(double)), 0) << i;
            EXPECT_EQ(objects[i].Outline, serialObjects[i].Outline) << i;
            EXPECT_EQ(objects[i].RefLength, serialObjects[i].RefLength) << i;
            EXPECT_EQ(parallel.values.CGPoint[i].x, serial.values.CGPoint[i].x) << i;
            EXPECT_EQ(parallel.values.CGPoint[i].y, serial.values.CGPoint[i].y) << i;
            EXPECT_EQ(parallel.values.ACPoint[i].x, serial.values.ACPoint[i].x) << i;
        }
        EXPECT_EQ(parallel.values.RowChord, serial.values.RowChord);
        EXPECT_EQ(parallel.gridRows, serial.gridRows);
        EXPECT_EQ(parallel.report, serial.report);
    }
}

TEST(ObjectSweep, LargeTolerancesFallBackToOnePassPerObject)
{
    EXPECT_TRUE(CanSweepAllObjectsAtOnce(127.5));
    EXPECT_FALSE(CanSweepAllObjectsAtOnce(128));
    // With 300 a mid-grey matches black and white-ish colours alike: every
    // object then counts it, which only separate passes can do.
    const TextPicture picture{"kkrr"};
    AnalysisInputs in;
    in.ticked.fill(true);
    in.toleranceText = "300";
    const RunSetup setup = *PrepareRun(in);
    AnalysisObserver quiet;
    ColorObjectTable objects = MakeColorObjects(kEnglish);
    RunAnalysis(picture.view(), objects, setup, in, quiet);
    EXPECT_DOUBLE_EQ(objects[1].Area, 4); // black: 0 and 255 apart
    EXPECT_DOUBLE_EQ(objects[2].Area, 4);
    EXPECT_DOUBLE_EQ(objects[5].Area, 2); // yellow: red is 255 away, black 510
}
