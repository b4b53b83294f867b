#include "engine/loading_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace centrafix {
namespace {

using Fields = std::vector<std::string>;

constexpr char kHeader[] =
    "Eta\tG(sin)\tCl(sin)\tG(sin^2)\tCl(sin^2)\tG(sin^3)\tCl(sin^3)\tG(sin^4)\tCl(sin^4)\r\n";

// The table's lines without their CR LF; fails the test if a line lacks it or
// if a bare CR or LF appears anywhere else.
std::vector<std::string> Lines(const std::string& table)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < table.size()) {
        const std::size_t crlf = table.find("\r\n", start);
        if (crlf == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF: " << table.substr(start);
            break;
        }
        std::string line = table.substr(start, crlf - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        lines.push_back(std::move(line));
        start = crlf + 2;
    }
    return lines;
}

Fields Split(const std::string& line)
{
    Fields fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// Field list of picture row y (line y + 1, after the header).
Fields Row(const std::string& table, std::size_t y)
{
    const std::vector<std::string> lines = Lines(table);
    if (y + 1 >= lines.size()) {
        ADD_FAILURE() << "no row " << y;
        return {};
    }
    return Split(lines[y + 1]);
}

// G at phi = pi/2 is 1 / N_n in the general format: 1/1.570796326794895,
// 1/(4/3), 8/9.42477796076937, 1/(16/15).
const Fields kPeakG = {"0.636619772367582", "0.75", "0.848826363156776", "0.9375"};

// --------------------------------------------------------------------- Arccos

TEST(Arccos, SpecialArguments)
{
    const double pi = 4 * std::atan(1.0);
    EXPECT_EQ(Arccos(1), 0.0);
    EXPECT_EQ(Arccos(-1), pi);
    EXPECT_EQ(Arccos(0), 2 * std::atan(1.0));
    EXPECT_NEAR(Arccos(0.5), pi / 3, 1e-15);
    EXPECT_NEAR(Arccos(-0.5), 2 * pi / 3, 1e-15);
}

TEST(Arccos, OutsideTheDomainClamps)
{
    const double pi = 4 * std::atan(1.0);
    EXPECT_EQ(Arccos(2), 0.0);
    EXPECT_EQ(Arccos(-3), pi);
    EXPECT_EQ(Arccos(1e300), 0.0);
}

TEST(Arccos, AgreesWithTheLibrary)
{
    for (double x = -0.999; x < 1; x += 0.037)
        EXPECT_NEAR(Arccos(x), std::acos(x), 1e-13) << x;
}

// -------------------------------------------------------------- table layout

TEST(LoadingTableLayout, HeightZeroGivesTheHeaderAlone)
{
    EXPECT_EQ(BuildLoadingTable({0.0}, 0, 0, "."), kHeader);
    EXPECT_EQ(BuildLoadingTable({}, 0, 5, ","), kHeader);
}

TEST(LoadingTableLayout, HeaderThenOneLinePerRowEachWithCrLf)
{
    const std::vector<double> chord = {1, 0, 2, 0, 3, 0};
    const std::string table = BuildLoadingTable(chord, 5, 0, ".");
    ASSERT_EQ(table.rfind(kHeader, 0), 0u);
    EXPECT_EQ(Lines(table).size(), 6u);
    EXPECT_EQ(table.substr(table.size() - 2), "\r\n");
}

TEST(LoadingTableLayout, NineFieldsWithChordFiveWithout)
{
    const std::vector<double> chord = {1.5, 0, 2.5, 0};
    const std::string table = BuildLoadingTable(chord, 3, 0, ".");
    EXPECT_EQ(Row(table, 0).size(), 9u);
    EXPECT_EQ(Row(table, 1), (Fields{"0.333333333333333", "0", "0", "0", "0"}));
    EXPECT_EQ(Row(table, 2).size(), 9u);
}

TEST(LoadingTableLayout, EntryHeightOfRowChordIsUnused)
{
    // RowChord has H + 1 entries; the last one must not become a row.
    const std::vector<double> chord = {0, 0, 7};
    const std::string table = BuildLoadingTable(chord, 2, 0, ".");
    EXPECT_EQ(Lines(table).size(), 3u);
    EXPECT_EQ(table, std::string(kHeader) + "0\t0\t0\t0\t0\r\n0.5\t0\t0\t0\t0\r\n");
}

TEST(LoadingTableLayout, ShortRowChordCountsAsNoChord)
{
    const std::string table = BuildLoadingTable({1.0}, 3, 0, ".");
    EXPECT_EQ(Lines(table).size(), 4u);
    EXPECT_EQ(Row(table, 0).size(), 9u);
    EXPECT_EQ(Row(table, 2).size(), 5u);
}

// --------------------------------------------------------- Eta and the loadings

TEST(LoadingTableValues, OriginRowHundredInTwoHundredRows)
{
    const std::vector<double> chord(201, 1.0);
    const std::string table = BuildLoadingTable(chord, 200, 100, ".");
    ASSERT_EQ(Lines(table).size(), 201u);
    EXPECT_EQ(Row(table, 0)[0], "-1");
    EXPECT_EQ(Row(table, 50)[0], "-0.5");
    EXPECT_EQ(Row(table, 199)[0], "0.99");

    const Fields origin = Row(table, 100);
    ASSERT_EQ(origin.size(), 9u);
    EXPECT_EQ(origin[0], "0");
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(origin[1 + 2 * n], kPeakG[n]) << "G" << n + 1;
        EXPECT_EQ(origin[2 + 2 * n], kPeakG[n]) << "Cl" << n + 1 << " with chord 1";
    }
}

TEST(LoadingTableValues, GValuesHaveUnitIntegral)
{
    // Midpoint sum of G over Eta from -1 to 1 in fine rows: every loading is
    // normalised to 1.
    const int H = 20000;
    const std::vector<double> chord(H + 1, 1.0);
    const std::string table = BuildLoadingTable(chord, H, H / 2.0, ".");
    const std::vector<std::string> lines = Lines(table);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(H + 1));
    double integral[4] = {0, 0, 0, 0};
    for (int y = 0; y < H; ++y) {
        const Fields f = Split(lines[static_cast<std::size_t>(y) + 1]);
        for (int n = 0; n < 4; ++n)
            integral[n] += std::stod(f[static_cast<std::size_t>(1 + 2 * n)]) * (2.0 / H);
    }
    for (int n = 0; n < 4; ++n)
        EXPECT_NEAR(integral[n], 1.0, 1e-4) << "sin^" << n + 1;
}

TEST(LoadingTableValues, WithoutOriginEtaIsRowOverHeight)
{
    const std::vector<double> chord(5, 1.0);
    const std::string table = BuildLoadingTable(chord, 4, 0, ".");
    EXPECT_EQ(Row(table, 0)[0], "0");
    EXPECT_EQ(Row(table, 1)[0], "0.25");
    EXPECT_EQ(Row(table, 2)[0], "0.5");
    EXPECT_EQ(Row(table, 3)[0], "0.75");
    EXPECT_EQ(Row(table, 0)[1], kPeakG[0]);
    // Eta 0.5: phi = pi/3, sin^2 = 3/4, G2 = 0.75 / (4/3) = 0.5625.
    EXPECT_EQ(Row(table, 2)[3], "0.5625");
}

TEST(LoadingTableValues, ClIsGOverChord)
{
    const std::vector<double> chord = {2.5, 0};
    const Fields row = Row(BuildLoadingTable(chord, 1, 0, "."), 0);
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(row[3], "0.75");
    EXPECT_EQ(row[4], "0.3");
    EXPECT_EQ(row[8], "0.375"); // 0.9375 / 2.5
}

TEST(LoadingTableValues, EtaMinusOneWithChordInExponentForm)
{
    // phi = pi and sin(pi) = 1.22464679914735E-16: tiny numbers, not zeros.
    const std::vector<double> chord = {1.0, 1.0, 0.0};
    const Fields row = Row(BuildLoadingTable(chord, 2, 1, "."), 0);
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(row[0], "-1");
    EXPECT_EQ(row[1], "7.79634366503876E-17"); // 1.22464679914735E-16 / 1.570796326794895
    for (std::size_t i = 1; i < 9; ++i) {
        EXPECT_NE(row[i], "0") << i;
        EXPECT_NE(row[i].find("E-"), std::string::npos) << row[i];
    }
}

TEST(LoadingTableValues, StationsBeyondTheTipGetZeroLoading)
{
    // Origin row 10 in 40 rows: below row 20 Eta exceeds 1, phi = 0, G = 0.
    const std::vector<double> chord(41, 1.0);
    const std::string table = BuildLoadingTable(chord, 40, 10, ".");
    const Fields row = Row(table, 30);
    EXPECT_EQ(row, (Fields{"2", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(LoadingTableValues, CommaSeparator)
{
    const std::vector<double> chord = {1.0, 2.5, 1.0, 0.0, 0.0};
    const std::string table = BuildLoadingTable(chord, 4, 1, ",");
    EXPECT_EQ(Row(table, 0)[1], "7,79634366503876E-17");
    const Fields origin = Row(table, 1);
    EXPECT_EQ(origin[0], "0");
    EXPECT_EQ(origin[1], "0,636619772367582");
    EXPECT_EQ(origin[3], "0,75");
    EXPECT_EQ(origin[4], "0,3");
    EXPECT_EQ(Row(table, 3), (Fields{"2", "0", "0", "0", "0"}));
    EXPECT_EQ(Row(table, 2)[0], "1");
    EXPECT_EQ(table.find('.'), std::string::npos);
}

TEST(LoadingTableValues, LargeTableIsComplete)
{
    // A tall picture: every row present, in order.
    const int H = 20000;
    std::vector<double> chord(H + 1, 0.0);
    for (int y = 0; y < H; y += 2)
        chord[static_cast<std::size_t>(y)] = 1.0;
    const std::string table = BuildLoadingTable(chord, H, 0, ".");
    const std::vector<std::string> lines = Lines(table);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(H + 1));
    EXPECT_EQ(Split(lines[H]), (Fields{"0.99995", "0", "0", "0", "0"}));
    EXPECT_EQ(Split(lines[H - 1]).size(), 9u);
}

} // namespace
} // namespace centrafix
