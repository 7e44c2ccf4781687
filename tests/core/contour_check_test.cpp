// The contour check's pieces: reading one block, splitting lines, and the geometry of each
// move (centres, radii, sweeps) against points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/contour_check.h"

namespace quillon::contour {
namespace {

struct BlockRow {
    const char* name;
    std::string line;
    bool readable;
    const char* letters = "";  // the letters given, in A-Z order
    double x = 0, z = 0;       // X and Z where given
};

void PrintTo(const BlockRow& row, std::ostream* os) {
    *os << row.name;
}

const BlockRow kBlocks[] = {
    {"Plain", "G01 X40 Z-18", true, "GXZ", 40, -18},
    {"Packed", "X-.5Z12.", true, "XZ", -0.5, 12},
    {"PlusSign", "X+3 Z0", true, "XZ", 3, 0},
    {"LowerCase", "x4 z5", true, "XZ", 4, 5},
    {"LastOfARepeatedLetterCounts", "X1 Z2 X3", true, "XZ", 3, 2},
    {"CommentsAnywhere", "(A)X1(B)Z2(C", true, "XZ", 1, 2},
    {"CommentJoinsItsNeighbours", "X1(B)2 Z0", true, "XZ", 12, 0},
    {"BlankAndTabBetweenWords", "X1 \t Z2", true, "XZ", 1, 2},
    {"BlanksAtTheEnds", " \tX1 Z2\t ", true, "XZ", 1, 2},
    {"BlockDelete", "/X1", true, "X", 1},
    {"EmptyIsReadable", "", true},
    {"OnlyAComment", "(NOTHING)", true},
    {"OnlyBlockDelete", "/", true},
    {"TwoSlashes", "//X1", false},
    {"BlankAfterTheSlash", "/ X1", false},
    {"BlankInsideAWord", "X 20", false},
    {"SignWithoutDigits", "X-", false},
    {"PointWithoutDigits", "X.", false},
    {"SecondPoint", "X1.2.3", false},
    {"TwoSigns", "X+-1", false},
    {"LetterAlone", "G", false},
    {"ClosingBracketAlone", "X1)", false},
    {"FullWidthDigit", "X２", false},
    {"FullWidthBlank", "X1　Z2", false},
    {"Exponent", "X1E5", true, "EX", 1},
    {"ThousandthsOverflow", "X2" + std::string(305, '0'), false},
    {"LargestThatRounds", "X1" + std::string(305, '0'), true, "X", 1e305},
    {"BeyondDouble", "X1" + std::string(400, '0'), false},
    {"BelowDouble", "X0." + std::string(400, '0') + "1", true, "X", 0},
    {"LeadingZeros", "X" + std::string(400, '0') + "7", true, "X", 7},
    {"NulByte", std::string("X1\0", 3), false},
};

class ReadBlocks : public ::testing::TestWithParam<BlockRow> {};

TEST_P(ReadBlocks, ReadsWordsOrRefuses) {
    const BlockRow& row = GetParam();
    const auto words = ReadBlock(row.line);
    ASSERT_EQ(words.has_value(), row.readable);
    if (!words) return;
    std::string letters;
    for (size_t i = 0; i < 26; ++i)
        if ((*words)[i]) letters += static_cast<char>('A' + i);
    EXPECT_EQ(letters, row.letters);
    if (const auto x = (*words)['X' - 'A']) {
        EXPECT_DOUBLE_EQ(*x, row.x);
    }
    if (const auto z = (*words)['Z' - 'A']) {
        EXPECT_DOUBLE_EQ(*z, row.z);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadBlocks, ::testing::ValuesIn(kBlocks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SplitLines, EveryLineEndAndEmptyLines) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), V{""});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\r\n\rb\n"), (V{"a", "", "", "b", ""}));
    EXPECT_EQ(SplitLines("\n\r"), (V{"", "", ""}));
}

// One arc move after the start point (0, 0) or the given one, and its geometry in (z, r).
struct ArcRow {
    const char* name;
    const char* text;
    double cz, cr, radius, start, sweep;
};

void PrintTo(const ArcRow& row, std::ostream* os) {
    *os << row.name;
}

const ArcRow kArcs[] = {
    // A quarter from (0, 0) to (-10, 10): clockwise about (0, 10), counter-clockwise about
    // (-10, 0); a negative L takes the long way round about the other centre.
    {"G02ShortWay", "G01 X0 Z0\nG02 X20 Z-10 L10", 0, 10, 10, -90, -90},
    {"G03ShortWay", "G01 X0 Z0\nG03 X20 Z-10 L10", -10, 0, 10, 0, 90},
    {"G02LongWay", "G01 X0 Z0\nG02 X20 Z-10 L-10", -10, 0, 10, 0, -270},
    {"G03LongWay", "G01 X0 Z0\nG03 X20 Z-10 L-10", 0, 10, 10, -90, 270},
    // The chord a diameter: the centre its middle.
    {"HalfCircle", "G01 X0 Z0\nG03 X0 Z-10 L5", -5, 0, 5, 0, 180},
    // By the centre's offsets, I a radius value.
    // Clockwise from the right of the centre to its top: three quarters.
    {"ByOffsets", "G01 X20 Z0\nG02 X30 Z-5 I0 K-5", -5, 10, 5, 0, -270},
    {"ByOffsetsCounterClockwise", "G01 X20 Z0\nG03 X30 Z-5 K-5", -5, 10, 5, 0, 90},
    {"FullCircleByOffsets", "G01 X20 Z0\nG03 X20 Z0 I0 K-5", -5, 10, 5, 0, 360},
    {"FullCircleClockwise", "G01 X20 Z0\nG02 X20 Z0 I5", 0, 15, 5, -90, -360},
};

class ArcGeometry : public ::testing::TestWithParam<ArcRow> {};

TEST_P(ArcGeometry, CentreRadiusAndSweep) {
    const ArcRow& row = GetParam();
    const Result r = Check(row.text);
    ASSERT_EQ(r.drawn.size(), 1u);
    const Move& m = r.drawn[0];
    ASSERT_TRUE(m.arc);
    EXPECT_FALSE(m.fault);
    EXPECT_NEAR(m.centre.z, row.cz, 1e-9);
    EXPECT_NEAR(m.centre.r, row.cr, 1e-9);
    EXPECT_NEAR(m.radius, row.radius, 1e-12);
    EXPECT_NEAR(m.start, row.start, 1e-9);
    EXPECT_NEAR(m.sweep, row.sweep, 1e-9);
    // The arc ends where the move ends.
    const double end = (m.start + m.sweep) * std::acos(-1.0) / 180;
    EXPECT_NEAR(m.centre.z + m.radius * std::cos(end), m.to.z, 1e-9);
    EXPECT_NEAR(m.centre.r + m.radius * std::sin(end), m.to.r, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Moves, ArcGeometry, ::testing::ValuesIn(kArcs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContourCheck, FaultyMovesAreStraightAndTheNextStartsWhereTheyEnd) {
    const Result r = Check("G01 X0 Z0\nG02 X40 Z-10 L5\nG03 X50 Z-20");
    ASSERT_EQ(r.drawn.size(), 2u);
    EXPECT_TRUE(r.drawn[0].fault && !r.drawn[0].arc);
    EXPECT_EQ(r.drawn[1].from, (Point{-10, 20}));
    EXPECT_EQ(r.drawn[1].to, (Point{-20, 25}));
    EXPECT_EQ(r.faultLines, 2);
}

TEST(ContourCheck, TenThousandLinesAreListedInOrder) {
    // A staircase: 5000 steps along Z, each followed by one up X.
    std::string text = "G00 X20 Z0";
    for (int k = 1; k < 5000; ++k)
        text += "\nG01 Z-" + std::to_string(k) + "\nX" + std::to_string(20 + 2 * k);
    text += "\nZ-5000";
    const Result r = Check(text);
    EXPECT_EQ(r.moves, 9999);
    ASSERT_EQ(r.list.size(), 10000u);
    EXPECT_EQ(r.list[1], "  2 G01 X20 Z-1");
    EXPECT_EQ(r.list.back(), "10000 G01 X10018 Z-5000  角 90°");
    EXPECT_EQ(r.Summary(), "移動 9999  異常なし");
}

TEST(LengthText, RoundsToThousandthsAndWritesHugeLengthsPlainly) {
    EXPECT_EQ(LengthText(1.0994), "1.099");
    EXPECT_EQ(LengthText(1e305), "1E+305");
    EXPECT_EQ(LengthText(2.5e305), "2.5E+305");
}

}  // namespace
}  // namespace quillon::contour
