#include "engine/analysis_run.h"
#include "engine/band_sweep.h"
#include "engine/edge_sweep.h"
#include "engine/run_preparation.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace centrafix;
using centrafix::test::TextPicture;

namespace {

constexpr int kRed = 2, kBlue = 4;

std::array<bool, 8> Only(int colour)
{
    std::array<bool, 8> colours{};
    colours[static_cast<std::size_t>(colour)] = true;
    return colours;
}

std::string Describe(const aero::RowEdges& e)
{
    if (!e.present)
        return "-";
    return (e.leadHidden ? "(" : "[") + std::to_string(e.lead) + "," + std::to_string(e.trail) +
           (e.trailHidden ? ")" : "]");
}

std::vector<std::string> Describe(const std::vector<aero::RowEdges>& rows)
{
    std::vector<std::string> out;
    for (const aero::RowEdges& e : rows)
        out.push_back(Describe(e));
    return out;
}

// A wing (red), a fuselage (black) painted across it, a pod (green) over its
// leading edge, one over its trailing edge and one beside it on white.
const TextPicture kWing{
    "...........", "..rrrrrr...", ".grrrrrr...", "..rrkkrrr..", "kkkkkkkkkkk", "..rrrrrrmm.", "..rrrrrr.g.",
};

} // namespace

TEST(EdgeSweep, EdgesBesideAnotherColourAreHiddenAndUntickedColoursStillHide)
{
    // Only red is asked for: black, green and magenta are not ticked and still hide.
    const PictureEdges edges = ReadEdges(kWing.view(), Only(kRed), 10.0, 1);
    EXPECT_EQ(Describe(edges[kRed]), (std::vector<std::string>{"-", "[2,8]", "(2,8]", "[2,9]", "-", "[2,8)", "[2,8]"}));
    for (int i : {1, 3, 4, 5, 6, 7})
        EXPECT_TRUE(edges[static_cast<std::size_t>(i)].empty()) << i;
}

TEST(EdgeSweep, PixelsGoToTheirNearestColourWithinTheTolerance)
{
    TextPicture picture{".rrrr."};
    picture.set(0, 0, Rgb(200, 190, 60)); // yellowish: hides at a wide tolerance only
    picture.set(5, 0, Rgb(20, 20, 20));   // near black at any tolerance above 60
    EXPECT_EQ(Describe(ReadEdges(picture.view(), Only(kRed), 10.0, 1)[kRed]), std::vector<std::string>{"[1,5]"});
    EXPECT_EQ(Describe(ReadEdges(picture.view(), Only(kRed), 70.0, 1)[kRed]), std::vector<std::string>{"[1,5)"});
    // Above 127.5 each pixel goes to its nearest colour, as in the measuring.
    EXPECT_EQ(Describe(ReadEdges(picture.view(), Only(kRed), 200.0, 1)[kRed]), std::vector<std::string>{"(1,5)"});
}

TEST(EdgeSweep, NeitherBandsNorThreadsChangeTheEdges)
{
    TextPicture picture(150, 300, Rgb(255, 255, 255));
    for (int y = 10; y < 290; ++y) {
        for (int x = 20 + y % 17; x < 120 - y % 13; ++x)
            picture.set(x, y, Rgb(255, 0, 0));
        if (y % 5 == 0)
            picture.set(19 + y % 17, y, Rgb(0, 0, 0));
        if (y % 7 == 0)
            picture.set(120 - y % 13, y, Rgb(0, 0, 255));
    }
    std::array<bool, 8> colours = Only(kRed);
    colours[kBlue] = true;
    const PictureEdges whole = ReadEdges(picture.view(), colours, 10.0, 1);
    ASSERT_EQ(whole[kRed].size(), 300u);
    for (int threads : {2, 3}) {
        const PictureEdges split = ReadEdges(picture.view(), colours, 10.0, threads);
        EXPECT_EQ(Describe(split[kRed]), Describe(whole[kRed])) << threads;
        EXPECT_EQ(Describe(split[kBlue]), Describe(whole[kBlue])) << threads;
    }
    for (int rows : {1, 7, 64, 150, 299}) {
        EdgeSweep bands(picture.width(), picture.height(), colours, 10.0, 2);
        const RasterView view = picture.view();
        for (int first = 0; first < view.height; first += rows) {
            // Each band in a buffer of its own, as a decoder hands it over.
            const int height = std::min(rows, view.height - first);
            std::vector<std::uint32_t> words(view.row(first), view.row(first) + std::ptrdiff_t{height} * view.stride);
            bands.addBand(RasterView{words.data(), view.width, height, view.stride}, first);
        }
        const PictureEdges edges = bands.take();
        EXPECT_EQ(Describe(edges[kRed]), Describe(whole[kRed])) << rows;
        EXPECT_EQ(Describe(edges[kBlue]), Describe(whole[kBlue])) << rows;
    }
}

TEST(EdgeSweep, OnlyTickedLiftingColoursAreRead)
{
    aero::BalanceSettings balance;
    balance.roles.fill(aero::SurfaceRole::Other);
    balance.roles[kRed] = aero::SurfaceRole::Wing;
    balance.roles[kBlue] = aero::SurfaceRole::Tail;
    std::array<bool, 8> ticked{};
    ticked.fill(true);
    ticked[kBlue] = false;
    const std::array<bool, 8> colours = EdgeColours(ticked, balance);
    EXPECT_EQ(colours, Only(kRed));
    balance.roles[kRed] = aero::SurfaceRole::Fuselage;
    EXPECT_FALSE(AnyEdgeColour(EdgeColours(ticked, balance)));
    // A streamed picture with no lifting colour keeps no edges at all.
    BandSweep sweep(kWing.width(), kWing.height(), ticked, 10.0, 1, EdgeColours(ticked, balance));
    sweep.addBand(kWing.view(), 0, nullptr);
    const SweptPicture swept = sweep.finish();
    for (const auto& rows : swept.edges)
        EXPECT_TRUE(rows.empty());
    BandSweep withWing(kWing.width(), kWing.height(), ticked, 10.0, 1, Only(kRed));
    withWing.addBand(kWing.view(), 0, nullptr);
    EXPECT_EQ(withWing.finish().edges[kRed].size(), 7u);
}
