// The picture's display list: its user scale, clearing, and where each drawing operation
// leaves the current position.
#include "shell/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "shell/checked.h"

namespace quillon {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct BadScale {
    const char* name;
    double left, top, width, height;
};

inline void PrintTo(const BadScale& c, std::ostream* os) {
    *os << c.name;
}

class PictureBadScale : public ::testing::TestWithParam<BadScale> {};

TEST_P(PictureBadScale, IsAFaultAndLeavesTheScale) {
    Picture p;
    p.SetScale(-10, -5, 20, 10);
    const BadScale& s = GetParam();
    EXPECT_THROW(p.SetScale(s.left, s.top, s.width, s.height), ArithmeticFault);
    EXPECT_EQ(p.GetScale(), (Scale{-10, -5, 20, 10}));
    EXPECT_EQ(p.Ops().size(), 1u);
}

const BadScale kBadScales[] = {
    {"ZeroWidth", 0, 0, 0, 10},   {"ZeroHeight", 0, 0, 10, 0},
    {"NaNWidth", 0, 0, kNaN, 10}, {"InfiniteHeight", 0, 0, 10, kInf},
    {"NaNLeft", kNaN, 0, 10, 10}, {"InfiniteTop", 0, -kInf, 10, 10},
};

INSTANTIATE_TEST_SUITE_P(Cases, PictureBadScale, ::testing::ValuesIn(kBadScales),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Picture, NegativeScaleIsAllowed) {
    Picture p;
    p.SetScale(10, 5, -20, -10);
    EXPECT_EQ(p.GetScale(), (Scale{10, 5, -20, -10}));
}

// Where an operation leaves the current position.
struct PenCase {
    const char* name;
    void (*draw)(Picture&);
    double x, y;
};

inline void PrintTo(const PenCase& c, std::ostream* os) {
    *os << c.name;
}

class PicturePen : public ::testing::TestWithParam<PenCase> {};

TEST_P(PicturePen, LeavesThePenHere) {
    Picture p;
    p.SetScale(-50, -30, 100, 60);
    p.CurrentX = 7;
    p.CurrentY = 8;
    GetParam().draw(p);
    EXPECT_DOUBLE_EQ(p.CurrentX, GetParam().x);
    EXPECT_DOUBLE_EQ(p.CurrentY, GetParam().y);
}

const PenCase kPenCases[] = {
    {"LineAtItsEnd", [](Picture& p) { p.Line(1, 2, 3, 4); }, 3, 4},
    {"CircleAtItsCentre", [](Picture& p) { p.Circle(-5, 6, 2); }, -5, 6},
    {"PointOnIt", [](Picture& p) { p.PSet(9, -9); }, 9, -9},
    // One 12-pixel line further down, back at the left edge: 60 units over 325 pixels.
    {"PrintAtTheNextLine", [](Picture& p) { p.Print("A"); }, -50, 8 + 60.0 * 12 / 325},
    {"ClsAtTheOrigin", [](Picture& p) { p.Cls(); }, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, PicturePen, ::testing::ValuesIn(kPenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Picture, PrintStartsAtTheCurrentPosition) {
    Picture p;
    p.CurrentX = 3;
    p.CurrentY = -4;
    p.ForeColor = colors::Label;
    p.Print("1");
    const auto& op = std::get<PrintOp>(p.Ops().back());
    EXPECT_EQ(op.x, 3);
    EXPECT_EQ(op.y, -4);
    EXPECT_EQ(op.text, "1");
    EXPECT_EQ(op.color, colors::Label);
}

TEST(Picture, ForeColourAndStyleAreRecordedWithEachStroke) {
    Picture p;
    p.ForeColor = colors::Magenta;
    p.Style = DrawStyle::Dot;
    p.Line(0, 0, 1, 1);
    p.Style = DrawStyle::DashDot;
    p.Circle(0, 0, 1, colors::Given);
    p.PSet(2, 2);
    const auto& line = std::get<LineOp>(p.Ops()[1]);
    EXPECT_EQ(line.color, colors::Magenta);
    EXPECT_EQ(line.style, DrawStyle::Dot);
    const auto& circle = std::get<CircleOp>(p.Ops()[2]);
    EXPECT_EQ(circle.color, colors::Given);
    EXPECT_EQ(circle.style, DrawStyle::DashDot);
    EXPECT_EQ(std::get<PointOp>(p.Ops()[3]).color, colors::Magenta);
}

TEST(Picture, ClsKeepsOnlyTheScaleInForce) {
    Picture p;
    p.SetScale(-1, -1, 2, 2);
    p.Line(0, 0, 1, 1);
    p.Cls();
    ASSERT_EQ(p.Ops().size(), 1u);
    EXPECT_EQ(std::get<ScaleOp>(p.Ops()[0]).scale, (Scale{-1, -1, 2, 2}));
}

TEST(Picture, ScaleChangesAreListedWhereTheyHappen) {
    Picture p;
    p.Cls();
    p.SetScale(-1, -1, 2, 2);  // before any drawing: replaces the cleared scale
    p.Line(0, 0, 1, 1);
    p.SetScale(-1, -1, 2, 2);  // unchanged: nothing listed
    p.SetScale(0, 0, 4, 4);
    p.Line(0, 0, 1, 1);
    ASSERT_EQ(p.Ops().size(), 4u);
    EXPECT_EQ(std::get<ScaleOp>(p.Ops()[0]).scale, (Scale{-1, -1, 2, 2}));
    EXPECT_TRUE(std::holds_alternative<LineOp>(p.Ops()[1]));
    EXPECT_EQ(std::get<ScaleOp>(p.Ops()[2]).scale, (Scale{0, 0, 4, 4}));
}

TEST(Picture, InvalidDrawingIsAFaultAndDrawsNothing) {
    Picture p;
    EXPECT_THROW(p.Line(0, 0, kNaN, 1), ArithmeticFault);
    EXPECT_THROW(p.Circle(0, kInf, 1), ArithmeticFault);
    EXPECT_THROW(p.Circle(0, 0, -1), ArithmeticFault);
    EXPECT_THROW(p.PSet(kNaN, 0), ArithmeticFault);
    p.CurrentX = kInf;
    EXPECT_THROW(p.Print("x"), ArithmeticFault);
    EXPECT_EQ(p.Ops().size(), 1u);
}

}  // namespace
}  // namespace quillon
