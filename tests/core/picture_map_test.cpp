// The mapping of a picture's user scale onto device pixels, against points worked out by
// hand: the scale keeps its aspect, centred in the control, and what cannot show is clipped or
// left out.
#include <gtest/gtest.h>

#include <variant>

#include "shell/picture_map.h"

namespace quillon {
namespace {

struct MapRow {
    const char* name;
    Scale scale;
    double width, height;  // the control, pixels
    double x, y;           // a picture point
    DevicePoint device;    // where it lands
};

class MapRows : public ::testing::TestWithParam<MapRow> {};

TEST_P(MapRows, PicturePointLandsOnItsPixelAndBack) {
    const MapRow& row = GetParam();
    const PictureMapping map(row.scale, row.width, row.height);
    const DevicePoint at = map.ToDevice(row.x, row.y);
    EXPECT_NEAR(at.x, row.device.x, 1e-9);
    EXPECT_NEAR(at.y, row.device.y, 1e-9);
    const DevicePoint back = map.ToPicture(row.device.x, row.device.y);
    EXPECT_NEAR(back.x, row.x, 1e-9);
    EXPECT_NEAR(back.y, row.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Points, MapRows,
    ::testing::Values(
        // 20 x 10 units on 200 x 100 pixels: 10 pixels a unit, no bands.
        MapRow{"ExactFitOrigin", {-10, -5, 20, 10}, 200, 100, 0, 0, {100, 50}},
        MapRow{"ExactFitCorner", {-10, -5, 20, 10}, 200, 100, -10, -5, {0, 0}},
        MapRow{"ExactFitFarCorner", {-10, -5, 20, 10}, 200, 100, 10, 5, {200, 100}},
        // A wider control: still 10 pixels a unit, 50-pixel bands left and right.
        MapRow{"WideControlBands", {-10, -5, 20, 10}, 300, 100, -10, -5, {50, 0}},
        MapRow{"WideControlMiddle", {-10, -5, 20, 10}, 300, 100, 2.5, 0, {175, 50}},
        // A taller control: 10 pixels a unit, 25-pixel bands above and below.
        MapRow{"TallControlBands", {-10, -5, 20, 10}, 200, 150, -10, -5, {0, 25}},
        // The default figure scale on its own 589 x 325 picture: 1/15 pixel a unit.
        MapRow{"FigureScale", {-4417.5, -2437.5, 8835, 4875}, 589, 325, 1500, -750, {394.5, 112.5}},
        // A negative height puts y upwards.
        MapRow{"UpwardY", {0, 10, 20, -10}, 200, 100, 5, 8, {50, 20}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureMapping, CircleRadiusScalesWithTheSmallerFactor) {
    EXPECT_DOUBLE_EQ(PictureMapping({0, 0, 20, 10}, 300, 100).PixelsPerUnit(), 10);
    EXPECT_DOUBLE_EQ(PictureMapping({0, 0, 20, 10}, 200, 150).PixelsPerUnit(), 10);
}

TEST(ClipSegment, KeepsThePartInsideOrNothing) {
    DevicePoint a{-1000, 50}, b{1000, 50};
    ASSERT_TRUE(ClipSegment(0, 0, 200, 100, a, b));
    EXPECT_EQ(a, (DevicePoint{0, 50}));
    EXPECT_EQ(b, (DevicePoint{200, 50}));

    // A diagonal through the corner region: enters at x = 0 (y = 10), leaves at y = 100.
    a = {-10, 0}, b = {190, 200};
    ASSERT_TRUE(ClipSegment(0, 0, 200, 100, a, b));
    EXPECT_EQ(a, (DevicePoint{0, 10}));
    EXPECT_EQ(b, (DevicePoint{90, 100}));

    a = {-10, -10}, b = {-1, 300};  // wholly left of the area
    EXPECT_FALSE(ClipSegment(0, 0, 200, 100, a, b));
}

TEST(MapToDevice, ClipsLinesDropsHugeCirclesAndFollowsScaleChanges) {
    Picture pic(200, 100);
    pic.SetScale(-10, -5, 20, 10);
    pic.Line(-1000, 0, 1000, 0, colors::Given);  // far beyond both sides
    pic.Circle(0, 0, 2, colors::Result);         // 20 pixels
    pic.Circle(0, 0, 1e5, colors::Result);       // 1e6 pixels: left out
    pic.PSet(50, 0, colors::White);              // outside: left out
    pic.SetScale(0, 0, 200, 100);                // one unit a pixel
    pic.CurrentX = 20;
    pic.CurrentY = 30;
    pic.Print("1");
    const auto ops = MapToDevice(pic, 200, 100);
    ASSERT_EQ(ops.size(), 3u);
    const auto& line = std::get<DeviceLine>(ops[0]);
    EXPECT_EQ(line.a, (DevicePoint{-2, 50}));  // clipped with the 2-pixel margin
    EXPECT_EQ(line.b, (DevicePoint{202, 50}));
    const auto& circle = std::get<DeviceCircle>(ops[1]);
    EXPECT_EQ(circle.centre, (DevicePoint{100, 50}));
    EXPECT_DOUBLE_EQ(circle.r, 20);
    const auto& text = std::get<DeviceText>(ops[2]);
    EXPECT_EQ(text.at, (DevicePoint{20, 30}));
    EXPECT_EQ(text.text, "1");
}

// Arcs: picture angles turned into angles counter-clockwise on the screen, whichever way the
// scale runs; the sweep positive, from the end that comes first counter-clockwise.
struct ArcRow {
    const char* name;
    Scale scale;  // on 200 x 100 pixels
    double start, sweep;
    double deviceStart, deviceSweep;
};

class ArcRows : public ::testing::TestWithParam<ArcRow> {};

TEST_P(ArcRows, AnglesOnTheScreen) {
    const ArcRow& row = GetParam();
    const PictureMapping map(row.scale, 200, 100);
    const DeviceArc a =
        ArcToDevice(map, ArcOp{5, 5, 2, row.start, row.sweep, colors::Given, DrawStyle::Solid});
    EXPECT_EQ(a.centre, map.ToDevice(5, 5));
    EXPECT_DOUBLE_EQ(a.r, 20);
    EXPECT_DOUBLE_EQ(a.start, row.deviceStart);
    EXPECT_DOUBLE_EQ(a.sweep, row.deviceSweep);
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, ArcRows,
    ::testing::Values(
        // y down the screen: picture 90 (below the centre) to 180 (left of it) is the screen's
        // 180 to 270.
        ArcRow{"DownwardY", {0, 0, 20, 10}, 90, 90, 180, 90},
        ArcRow{"DownwardYClockwise", {0, 0, 20, 10}, 0, -90, 0, 90},
        ArcRow{"UpwardY", {0, 10, 20, -10}, 90, 90, 90, 90},
        ArcRow{"UpwardYNegativeSweep", {0, 10, 20, -10}, 30, -60, 330, 60},
        // x running leftwards as well: picture 90 is below, picture 180 to the right.
        ArcRow{"LeftwardX", {20, 0, -20, 10}, 90, 90, 270, 90},
        ArcRow{"WholeCircleAtMost", {0, 0, 20, 10}, 0, 400, 0, 360},
        ArcRow{"StartBeyondATurn", {0, 10, 20, -10}, 725, 10, 5, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapToDevice, LeavesOutHugeArcsAndArcsOutside) {
    Picture pic(200, 100);
    pic.SetScale(-10, -5, 20, 10);
    pic.Arc(0, 0, 2, 0, 90, colors::Given);    // 20 pixels
    pic.Arc(0, 0, 1e5, 0, 90, colors::Given);  // 1e6 pixels: left out
    pic.Arc(1e9, 0, 1, 0, 90, colors::Given);  // far right of the area: left out
    const auto ops = MapToDevice(pic, 200, 100);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_DOUBLE_EQ(std::get<DeviceArc>(ops[0]).r, 20);
}

}  // namespace
}  // namespace quillon
