#include "engine/loading_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace centrafix {
namespace {

using Fields = std::vector<std::string>;

// The whole table, as the window copies it.
std::string TableText(const std::vector<double>& RowChord, int height, double OriginRow, const std::string& separator)
{
    return LoadingTable(RowChord, height, OriginRow, separator).text();
}

constexpr char kHeader[] = "Eta\tG(sin)\tCl(sin)\tG(sin^2)\tCl(sin^2)\tG(sin^3)\tCl(sin^3)\tG(sin^4)\tCl(sin^4)\r\n";

// The TAB-separated fields of every line; fails the test if a line does not
// end in CR LF or a bare CR or LF appears inside one.
std::vector<Fields> Lines(const std::string& table)
{
    std::vector<Fields> lines;
    for (std::size_t start = 0; start < table.size();) {
        const std::size_t crlf = table.find("\r\n", start);
        if (crlf == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF: " << table.substr(start);
            break;
        }
        const std::string line = table.substr(start, crlf - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        Fields& fields = lines.emplace_back();
        for (std::size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1) {
            tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab - from));
        }
        start = crlf + 2;
    }
    return lines;
}

// G at phi = pi/2 is 1 / N_n: 1/1.570796326794895, 1/(4/3), 8/9.42477796076937, 1/(16/15).
const Fields kPeakG = {"0.636619772367582", "0.75", "0.848826363156776", "0.9375"};

TEST(Arccos, EndsMiddleAndClampedOutside)
{
    const double pi = 4 * std::atan(1.0);
    EXPECT_EQ(Arccos(1), 0.0);
    EXPECT_EQ(Arccos(-1), pi);
    EXPECT_EQ(Arccos(0), pi / 2);
    EXPECT_NEAR(Arccos(0.5), pi / 3, 1e-15);
    EXPECT_EQ(Arccos(2), 0.0);
    EXPECT_EQ(Arccos(-3), pi);
}

TEST(LoadingTable, HeightZeroGivesTheHeaderAlone)
{
    EXPECT_EQ(TableText({0.0}, 0, 0, "."), kHeader);
}

TEST(LoadingTable, OriginRowHundredInTwoHundredRows)
{
    // RowChord has H + 1 entries; the last one must not become a row.
    const std::vector<Fields> lines = Lines(TableText(std::vector<double>(201, 1.0), 200, 100, "."));
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[1][0], "-1");
    EXPECT_EQ(lines[200][0], "0.99");
    const Fields& origin = lines[101];
    ASSERT_EQ(origin.size(), 9u);
    EXPECT_EQ(origin[0], "0");
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(origin[1 + 2 * n], kPeakG[n]) << "G" << n + 1;
        EXPECT_EQ(origin[2 + 2 * n], kPeakG[n]) << "Cl" << n + 1 << " with chord 1";
    }
}

TEST(LoadingTable, WithoutOriginEtaIsRowOverHeight)
{
    const std::vector<Fields> lines = Lines(TableText({1, 0, 1, 0}, 4, 0, "."));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1][0], "0");
    EXPECT_EQ(lines[1][1], kPeakG[0]);
    EXPECT_EQ(lines[2], (Fields{"0.25", "0", "0", "0", "0"}));
    // Eta 0.5: phi = pi/3, sin^2 = 3/4, G2 = 0.75 / (4/3).
    EXPECT_EQ(lines[3][3], "0.5625");
}

TEST(LoadingTable, ClIsGOverChordAndTinyLoadingsKeepTheirExponent)
{
    // Row 0 is Eta -1 with chord: sin(pi) = 1.22464679914735E-16, not zero.
    const std::vector<Fields> lines = Lines(TableText({1.0, 2.5, 0.0}, 3, 1, "."));
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(lines[1].size(), 9u);
    EXPECT_EQ(lines[1][0], "-1");
    EXPECT_EQ(lines[1][1], "7.79634366503876E-17");
    for (std::size_t i = 1; i < 9; ++i)
        EXPECT_NE(lines[1][i].find("E-"), std::string::npos) << lines[1][i];
    EXPECT_EQ(lines[2][3], "0.75");
    EXPECT_EQ(lines[2][4], "0.3");
    EXPECT_EQ(lines[2][8], "0.375"); // 0.9375 / 2.5
    EXPECT_EQ(lines[3], (Fields{"1", "0", "0", "0", "0"}));
}

TEST(LoadingTable, CommaSeparator)
{
    const std::string table = TableText({1.0, 2.5, 0.0, 0.0}, 4, 1, ",");
    const std::vector<Fields> lines = Lines(table);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1][1], "7,79634366503876E-17");
    EXPECT_EQ(lines[2][1], "0,636619772367582");
    EXPECT_EQ(lines[2][4], "0,3");
    EXPECT_EQ(lines[4], (Fields{"2", "0", "0", "0", "0"}));
    EXPECT_EQ(table.find('.'), std::string::npos);
}

TEST(LoadingTable, RowsBeyondTheChordsAreRowsWithoutChord)
{
    const std::string table = TableText({2.0, 2.0}, 4, 0, ".");
    const std::size_t third = table.find("\r\n", table.find("\r\n", table.find("\r\n") + 2) + 2) + 2;
    EXPECT_EQ(table.substr(third), "0.5\t0\t0\t0\t0\r\n0.75\t0\t0\t0\t0\r\n");
}

TEST(LoadingTable, ATallTableComesWholeInPiecesAndStopsWhenTheSinkDoes)
{
    const std::vector<double> chords(20001, 1.5);
    const LoadingTable table(chords, 20000, 10000, ".");
    const std::string whole = table.text();
    ASSERT_EQ(Lines(whole).size(), 20001u); // header and every row, though the text spans several pieces

    std::string streamed;
    int pieces = 0;
    EXPECT_TRUE(table.write([&](std::string_view piece) {
        streamed += piece;
        ++pieces;
        return true;
    }));
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(streamed, whole);

    pieces = 0;
    EXPECT_FALSE(table.write([&](std::string_view) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);
}

} // namespace
} // namespace centrafix
