// The reader of the toolbar's drawings: each element and path command, styles and their
// inheritance, hostile bytes, and every drawing the program ships.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "shell/icon_drawing.h"
#include "shipped_drawings.h"

namespace quillon {
namespace {

using Kind = IconSegment::Kind;

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4g", std::fabs(v) < 5e-5 ? 0.0 : v);
    return buf;
}

std::string Pt(const IconPoint& p) {
    return Num(p.x) + "," + Num(p.y);
}

// The outlines as text: "M1,2 L3,4 C... A<centre> r<radius> <start><sweep> Z", shapes
// separated by " | ".
std::string Outlines(const IconDrawing& d) {
    std::string out;
    for (const IconShape& shape : d.shapes) {
        if (!out.empty()) out += " | ";
        std::string path;
        for (const IconSegment& s : shape.path) {
            if (!path.empty()) path += ' ';
            switch (s.kind) {
                case Kind::Move:
                    path += "M" + Pt(s.p[0]);
                    break;
                case Kind::Line:
                    path += "L" + Pt(s.p[0]);
                    break;
                case Kind::Cubic:
                    path += "C" + Pt(s.p[0]) + " " + Pt(s.p[1]) + " " + Pt(s.p[2]);
                    break;
                case Kind::Arc:
                    path += "A" + Pt(s.p[0]) + " r" + Num(s.radius) + " " + Num(s.start) +
                            (s.sweep >= 0 ? "+" : "") + Num(s.sweep);
                    break;
                case Kind::Close:
                    path += "Z";
                    break;
            }
        }
        out += path;
    }
    return out;
}

std::string Paint(const std::optional<Color>& c) {
    return c ? c->Name() : "none";
}

// The style of each shape: "fill #RRGGBB stroke none w1 dash 2 2".
std::string Styles(const IconDrawing& d) {
    std::string out;
    for (const IconShape& shape : d.shapes) {
        if (!out.empty()) out += " | ";
        out += "fill " + Paint(shape.fill) + " stroke " + Paint(shape.stroke) + " w" +
               Num(shape.strokeWidth);
        if (!shape.dashes.empty()) {
            out += " dash";
            for (const double v : shape.dashes) out += " " + Num(v);
        }
    }
    return out;
}

IconDrawing Read(const std::string& body) {
    return ReadIconDrawing("<svg viewBox=\"0 0 32 32\">" + body + "</svg>");
}

struct Row {
    const char* name;
    std::string input;
    std::string expected;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// ---- elements ----

class IconElements : public ::testing::TestWithParam<Row> {};

TEST_P(IconElements, Outline) {
    EXPECT_EQ(Outlines(Read(GetParam().input)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconElements,
    ::testing::Values(
        Row{"Rect", R"(<rect x="1" y="2" width="3" height="4"/>)", "M1,2 L4,2 L4,6 L1,6 Z"},
        // Clockwise from the top edge, a quarter turn at each corner.
        Row{"RoundedRect", R"(<rect width="10" height="6" rx="2"/>)",
            "M2,0 L8,0 A8,2 r2 -90+90 L10,4 A8,4 r2 0+90 L2,6 A2,4 r2 90+90 L0,2 A2,2 r2 180+90 "
            "Z"},
        Row{"RoundedRectRyAlone", R"(<rect width="10" height="6" ry="1"/>)",
            "M1,0 L9,0 A9,1 r1 -90+90 L10,5 A9,5 r1 0+90 L1,6 A1,5 r1 90+90 L0,1 A1,1 r1 180+90 "
            "Z"},
        // A radius beyond half the side is cut to it: a square becomes a circle.
        Row{"RoundedRectRadiusCut", R"(<rect width="4" height="4" rx="9"/>)",
            "M2,0 L2,0 A2,2 r2 -90+90 L4,2 A2,2 r2 0+90 L2,4 A2,2 r2 90+90 L0,2 A2,2 r2 180+90 "
            "Z"},
        Row{"RectWithoutWidth", R"(<rect height="4"/>)", ""},
        Row{"RectNegativeHeight", R"(<rect width="3" height="-4"/>)", ""},
        Row{"Circle", R"(<circle cx="5" cy="6" r="2"/>)", "M7,6 A5,6 r2 0+360 Z"},
        Row{"CircleWithoutRadius", R"(<circle cx="5" cy="6"/>)", ""},
        Row{"EllipseRound", R"(<ellipse cx="5" cy="6" rx="2" ry="2"/>)", "M7,6 A5,6 r2 0+360 Z"},
        Row{"Line", R"(<line x1="1" y1="2" x2="3" y2="4"/>)", "M1,2 L3,4"},
        Row{"Polygon", R"(<polygon points="0,0 4,0 4,3"/>)", "M0,0 L4,0 L4,3 Z"},
        Row{"Polyline", R"(<polyline points="0 0, 4 0, 4 3"/>)", "M0,0 L4,0 L4,3"},
        Row{"PolylineOddCount", R"(<polyline points="0,0 4,0 4"/>)", "M0,0 L4,0"},
        Row{"PolylineOnePoint", R"(<polyline points="1,1"/>)", ""},
        Row{"UnknownElement", R"(<text x="1" y="2">A</text>)", ""},
        Row{"InsideDefs", R"(<defs><rect width="3" height="3"/></defs><circle r="1"/>)",
            "M1,0 A0,0 r1 0+360 Z"},
        Row{"InsideComment", R"(<!-- <rect width="3" height="3"/> --><circle r="1"/>)",
            "M1,0 A0,0 r1 0+360 Z"},
        Row{"QuotedGreaterThan", R"(<line x2="1" data-note="a>b" x1='0'/><line x2="2"/>)",
            "M0,0 L1,0 | M0,0 L2,0"},
        Row{"SpacesAroundEquals", "<line\n\tx2 = \"5\"\r\n/>", "M0,0 L5,0"}),
    RowName);

TEST(IconDrawingTest, CoordinatesStartAtTheViewBoxCorner) {
    const IconDrawing d = ReadIconDrawing(
        R"(<svg viewBox="10 20 16 16"><rect x="10" y="20" width="2" height="2"/></svg>)");
    EXPECT_EQ(d.width, 16);
    EXPECT_EQ(Outlines(d), "M0,0 L2,0 L2,2 L0,2 Z");
}

// ---- path data ----

class IconPaths : public ::testing::TestWithParam<Row> {};

TEST_P(IconPaths, Outline) {
    EXPECT_EQ(Outlines(Read("<path d=\"" + GetParam().input + "\"/>")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconPaths,
    ::testing::Values(
        Row{"Lines", "M1 2 L3 4", "M1,2 L3,4"}, Row{"RelativeLines", "m1 2 l3 4", "M1,2 L4,6"},
        Row{"MoveThenImplicitLines", "M1 2 3 4 5 6", "M1,2 L3,4 L5,6"},
        Row{"RelativeMoveThenImplicitLines", "m1 2 3 4", "M1,2 L4,6"},
        Row{"HorizontalVertical", "M1 2 H5 V7 h-1 v-1", "M1,2 L5,2 L5,7 L4,7 L4,6"},
        Row{"CompactNumbers", "M0 0L5-5.5.5 1e1", "M0,0 L5,-5.5 L0.5,10"},
        Row{"CommasAndNewlines", "M1,2\nL3,4", "M1,2 L3,4"},
        // A quadratic curve becomes the cubic with controls two thirds towards its control.
        Row{"Quadratic", "M0 0 Q3 3 6 0", "M0,0 C2,2 4,2 6,0"},
        Row{"QuadraticSmooth", "M0 0 q3 3 6 0 t6 0", "M0,0 C2,2 4,2 6,0 C8,-2 10,-2 12,0"},
        Row{"Cubic", "M0 0 C1 2 3 4 5 6", "M0,0 C1,2 3,4 5,6"},
        Row{"CubicSmooth", "M0 0 C1 2 3 4 5 6 S9 10 11 12", "M0,0 C1,2 3,4 5,6 C7,8 9,10 11,12"},
        Row{"SmoothAfterLineHasNoReflection", "M0 0 L1 1 S3 3 4 4", "M0,0 L1,1 C1,1 3,3 4,4"},
        // Arcs: sweep 1 turns clockwise on screen (positive), the large flag picks the longer.
        Row{"ArcHalfClockwise", "M0 0 A5 5 0 0 1 10 0", "M0,0 A5,0 r5 180+180"},
        Row{"ArcQuarterAnticlockwise", "M4 18 A10 10 0 0 0 14 28", "M4,18 A14,18 r10 180-90"},
        Row{"ArcQuarterClockwise", "M4 18 A10 10 0 0 1 14 28", "M4,18 A4,28 r10 -90+90"},
        Row{"ArcLargeClockwise", "M4 18 A10 10 0 1 1 14 28", "M4,18 A14,18 r10 180+270"},
        Row{"ArcCompactFlags", "M0 0a5 5 0 0110 0", "M0,0 A5,0 r5 180+180"},
        // A radius too small for the two ends grows until they fit (a half circle).
        Row{"ArcRadiusTooSmall", "M0 0 A1 1 0 0 1 10 0", "M0,0 A5,0 r5 180+180"},
        Row{"ArcZeroRadiusIsLine", "M0 0 A0 5 0 0 1 10 0", "M0,0 L10,0"},
        Row{"ArcToItsStartIsLeftOut", "M1 1 A5 5 0 0 1 1 1 L2 2", "M1,1 L2,2"},
        Row{"Close", "M1 1 L2 1 L2 2 Z", "M1,1 L2,1 L2,2 Z"},
        Row{"LineAfterCloseStartsAtTheStart", "M1 1 L2 2 Z L3 3", "M1,1 L2,2 Z M1,1 L3,3"},
        Row{"RelativeMoveAfterClose", "M1 1 L2 2 z m1 1 l1 0", "M1,1 L2,2 Z M2,2 L3,2"},
        Row{"TwoFigures", "M1 1 L2 2 M5 5 L6 6", "M1,1 L2,2 M5,5 L6,6"},
        // A faulty path is drawn up to its fault; one that does not start with a move, not.
        Row{"NoMoveFirst", "L1 1 L2 2", ""}, Row{"UnknownCommand", "M0 0 L1 1 X 3 3", "M0,0 L1,1"},
        Row{"MissingNumber", "M0 0 L1 1 L2", "M0,0 L1,1"},
        Row{"BadArcFlag", "M0 0 L1 1 A5 5 0 2 1 10 0", "M0,0 L1,1"},
        Row{"NumbersAfterClose", "M0 0 L1 1 Z 4 4", "M0,0 L1,1 Z"}, Row{"MoveOnly", "M5 5", ""},
        Row{"Empty", "", ""}),
    RowName);

// An elliptical arc becomes Béziers of at most a quarter turn whose points lie on the ellipse,
// from one end to the other.
TEST(IconDrawingTest, EllipticalArcsFollowTheEllipse) {
    struct Case {
        const char* element;
        double cx, cy, rx, ry, phiDegrees;
        IconPoint end;
    };
    const Case cases[] = {
        {R"(<path d="M0 5 A10 5 0 0 1 20 5"/>)", 10, 5, 10, 5, 0, {20, 5}},  // the upper half
        // Three quarters the long way round, anticlockwise on screen.
        {R"(<path d="M10 0 A10 5 0 1 0 0 5"/>)", 0, 0, 10, 5, 0, {0, 5}},
        {R"(<path d="M0 0 A4 2 90 0 1 0 8"/>)", 0, 4, 4, 2, 90, {0, 8}},  // turned upright
        {R"(<ellipse cx="3" cy="4" rx="6" ry="2"/>)", 3, 4, 6, 2, 0, {9, 4}},
        // A rounded rect's first corner.
        {R"(<rect width="10" height="4" rx="3" ry="1"/>)", 7, 1, 3, 1, 0, {10, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        const IconDrawing d = Read(c.element);
        ASSERT_EQ(d.shapes.size(), 1u);
        const auto& path = d.shapes[0].path;
        const double phi = c.phiDegrees * 3.14159265358979323846 / 180;
        const auto onEllipse = [&](double x, double y) {
            const double dx = x - c.cx, dy = y - c.cy;
            const double u = (dx * std::cos(phi) + dy * std::sin(phi)) / c.rx;
            const double v = (-dx * std::sin(phi) + dy * std::cos(phi)) / c.ry;
            return u * u + v * v;
        };
        // The Béziers after the first move (and the rect's top edge).
        ASSERT_GE(path.size(), 2u);
        IconPoint from = path[0].p[0];
        size_t i = 1;
        if (path[i].kind == Kind::Line) from = path[i++].p[0];
        const size_t first = i;
        for (; i < path.size() && path[i].kind == Kind::Cubic; ++i) {
            const IconPoint& a = from;
            const IconPoint &b = path[i].p[0], &e = path[i].p[1], &to = path[i].p[2];
            for (double t = 0; t <= 1; t += 0.125) {
                const double s = 1 - t;
                const double x =
                    s * s * s * a.x + 3 * s * s * t * b.x + 3 * s * t * t * e.x + t * t * t * to.x;
                const double y =
                    s * s * s * a.y + 3 * s * s * t * b.y + 3 * s * t * t * e.y + t * t * t * to.y;
                EXPECT_NEAR(onEllipse(x, y), 1, 1e-3) << "piece " << i << " at t=" << t;
            }
            from = to;
        }
        EXPECT_GT(i - first, 0u);
        EXPECT_LE(i - first, 4u);
        EXPECT_EQ(from, c.end) << Pt(from);
    }
}

// ---- styles ----

class IconStyles : public ::testing::TestWithParam<Row> {};

TEST_P(IconStyles, Paints) {
    EXPECT_EQ(Styles(ReadIconDrawing(GetParam().input)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconStyles,
    ::testing::Values(
        // As SVG paints by default: filled black, no stroke.
        Row{"Defaults", R"(<circle r="1"/>)", "fill #000000 stroke none w1"},
        Row{"LongAndShortColours",
            R"(<circle r="1" fill="#dbe4f5" stroke="#F0a" stroke-width="2.5"/>)",
            "fill #DBE4F5 stroke #FF00AA w2.5"},
        Row{"NoneFill", R"(<circle r="1" fill="none" stroke="#000"/>)",
            "fill none stroke #000000 w1"},
        Row{"NothingPaintedIsLeftOut", R"(<circle r="1" fill="none"/>)", ""},
        Row{"ZeroWidthStrokeIsNoStroke",
            R"(<circle r="1" fill="none" stroke="#000" stroke-width="0"/>)", ""},
        Row{"WidthInPixels", R"(<circle r="1" stroke="#000" stroke-width="2px"/>)",
            "fill #000000 stroke #000000 w2"},
        Row{"SvgDefaults",
            R"(<svg fill="none" stroke="#111" stroke-width="3"><circle r="1"/></svg>)",
            "fill none stroke #111111 w3"},
        Row{"InheritedThroughGroups",
            R"(<svg fill="none"><g stroke="#123456" stroke-width="3"><g fill="#fff"><circle r="1"/></g><circle r="1"/></g><circle r="1" stroke="#000"/></svg>)",
            "fill #FFFFFF stroke #123456 w3 | fill none stroke #123456 w3 | fill none stroke "
            "#000000 w1"},
        Row{"SelfClosedGroupHoldsNothing", R"(<g fill="#f00"/><circle r="1"/>)",
            "fill #000000 stroke none w1"},
        Row{"StyleAttributeWins",
            R"(<circle r="1" fill="#f00" style="fill: #00f ;stroke:#0f0;stroke-width:2"/>)",
            "fill #0000FF stroke #00FF00 w2"},
        // What is not understood leaves the inherited value.
        Row{"BadColours",
            R"(<g fill="#f00" stroke="#0f0"><circle r="1" fill="#12345g" stroke="#ff"/><circle r="1" fill="red" stroke="#1234567"/></g>)",
            "fill #FF0000 stroke #00FF00 w1 | fill #FF0000 stroke #00FF00 w1"},
        Row{"BadWidths",
            R"(<g stroke="#000" stroke-width="2"><circle r="1" stroke-width="-1"/><circle r="1" stroke-width="2em"/><circle r="1" stroke-width="x"/></g>)",
            "fill #000000 stroke #000000 w2 | fill #000000 stroke #000000 w2 | fill #000000 "
            "stroke #000000 w2"},
        Row{"Dashes", R"(<circle r="1" stroke="#000" stroke-dasharray="2 1.5"/>)",
            "fill #000000 stroke #000000 w1 dash 2 1.5"},
        Row{"OddDashesRepeat", R"(<circle r="1" stroke="#000" stroke-dasharray="1,2,3"/>)",
            "fill #000000 stroke #000000 w1 dash 1 2 3 1 2 3"},
        Row{"ZeroDashesAreSolid", R"(<circle r="1" stroke="#000" stroke-dasharray="0 0"/>)",
            "fill #000000 stroke #000000 w1"},
        Row{"NegativeDashIgnored",
            R"(<g stroke="#000" stroke-dasharray="3"><circle r="1" stroke-dasharray="2 -1"/><circle r="1" stroke-dasharray="none"/></g>)",
            "fill #000000 stroke #000000 w1 dash 3 3 | fill #000000 stroke #000000 w1"},
        Row{"DashesWithoutStrokeDropped", R"(<circle r="1" stroke-dasharray="2"/>)",
            "fill #000000 stroke none w1"}),
    RowName);

// ---- the drawing's width ----

struct WidthRow {
    const char* name;
    std::string input;
    double width;
};

void PrintTo(const WidthRow& row, std::ostream* os) {
    *os << row.name;
}

class IconWidth : public ::testing::TestWithParam<WidthRow> {};

TEST_P(IconWidth, Width) {
    EXPECT_EQ(ReadIconDrawing(GetParam().input).width, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconWidth,
    ::testing::Values(WidthRow{"NoSvg", "", 32}, WidthRow{"NoViewBox", "<svg>", 32},
                      WidthRow{"ViewBox", R"(<svg viewBox="0 0 24 24">)", 24},
                      WidthRow{"ViewBoxWithCommas", R"(<svg viewBox="0,0,16,20">)", 16},
                      WidthRow{"WidthAttribute", R"(<svg width="48">)", 48},
                      WidthRow{"ViewBoxBeforeWidth", R"(<svg width="48" viewBox="0 0 24 24">)", 24},
                      WidthRow{"EmptyViewBox", R"(<svg viewBox="0 0 0 24">)", 32},
                      WidthRow{"NegativeViewBox", R"(<svg viewBox="0 0 -5 5">)", 32},
                      WidthRow{"ShortViewBox", R"(<svg viewBox="0 0 24">)", 32},
                      WidthRow{"TinyViewBox", R"(<svg viewBox="0 0 1e-300 1">)", 32},
                      WidthRow{"HugeViewBox", R"(<svg viewBox="0 0 1e300 1">)", 32},
                      WidthRow{"OnlyTheFirstSvgCounts",
                               R"(<svg viewBox="0 0 20 20"><svg viewBox="0 0 40 40"></svg></svg>)",
                               20}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- hostile input ----

bool AllFinite(const IconDrawing& d) {
    if (!std::isfinite(d.width) || d.width <= 0) return false;
    for (const IconShape& shape : d.shapes) {
        if (!std::isfinite(shape.strokeWidth)) return false;
        for (const double v : shape.dashes)
            if (!std::isfinite(v)) return false;
        for (const IconSegment& s : shape.path) {
            for (const IconPoint& p : s.p)
                if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
            if (!std::isfinite(s.radius) || !std::isfinite(s.start) || !std::isfinite(s.sweep))
                return false;
        }
    }
    return true;
}

struct HostileRow {
    const char* name;
    std::string input;
    size_t shapes;
};

void PrintTo(const HostileRow& row, std::ostream* os) {
    *os << row.name;
}

// A NUL inside a name and after the end.
constexpr char kWithNul[] = "<circle\0 r=\"1\"/><circle r=\"1\"/>";

class IconHostile : public ::testing::TestWithParam<HostileRow> {};

TEST_P(IconHostile, ReadsWithoutFault) {
    IconDrawing d;
    EXPECT_NO_THROW(d = ReadIconDrawing(GetParam().input));
    EXPECT_TRUE(AllFinite(d));
    EXPECT_EQ(d.shapes.size(), GetParam().shapes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconHostile,
    ::testing::Values(
        HostileRow{"Empty", "", 0}, HostileRow{"LoneAngle", "<", 0},
        HostileRow{"UnterminatedSvg", "<svg viewBox=\"0 0 32 32\"", 0},
        HostileRow{"UnterminatedElement", "<svg><circle r=\"5\"/><rect width=\"5\" height=\"5\"",
                   1},
        HostileRow{"UnterminatedQuote", "<circle r=\"5/><circle r=\"6\"/>", 0},
        HostileRow{"UnterminatedComment", "<!-- <circle r=\"5\"/>", 0},
        HostileRow{"UnterminatedPath", "<path d=\"M0 0 L5 5", 0},
        HostileRow{"StrayClosings", "</g></g></svg></defs><circle r=\"1\"/>", 1},
        HostileRow{"UnclosedGroups", "<g><g><g fill=\"#fff\"><circle r=\"1\"/>", 1},
        HostileRow{"NulBytes", std::string(kWithNul, sizeof kWithNul), 1},
        HostileRow{"HighBytes", "\xff\xfe<\xc3\x28 r=\"1\"/><circle r=\"\xe2\x82\"/>", 0},
        HostileRow{"ColourOfBadHex", "<circle r=\"1\" fill=\"#gggggg\" stroke=\"#-12\"/>", 1},
        HostileRow{"ColourTooLongToParse", "<circle r=\"1\" fill=\"#ffffffffffffffffffff\"/>", 1},
        HostileRow{"HugeNumberInPath", "<path d=\"M0 0 L1e308 1e308\" stroke=\"#000\"/>", 0},
        HostileRow{"OverflowingNumber", "<circle r=\"1e999\"/>", 0},
        HostileRow{"InfinityAndNan", "<path d=\"M0 0 Linf 1\"/><path d=\"M0 0 L1 nan\"/>", 0},
        HostileRow{"LargeButAllowed",
                   "<rect width=\"1e9\" height=\"1e9\" rx=\"1e9\"/>"
                   "<path d=\"M-1e9 -1e9 A1e9 1e-9 45 1 1 1e9 1e9 l1e9 1e9 1e9 1e9\"/>",
                   2},
        HostileRow{"TinyArc", "<path d=\"M0 0 A1e-8 1e-8 0 0 1 1e-8 0\" stroke=\"#000\"/>", 1},
        HostileRow{"NearlyFlatEllipse", "<path d=\"M0 0 A1e9 1e-8 0 0 1 5 5\" stroke=\"#000\"/>",
                   1},
        HostileRow{"LongExponent", "<circle r=\"1e99999999999999999999\"/>", 0},
        HostileRow{"ManyCommas", "<polygon points=\",,,,1,,,,2,,,3,,,,4,,,\"/>", 1},
        HostileRow{"AttributeWithoutValue", "<circle r fill=\"#fff\"/><circle r=\"1\"/>", 1},
        HostileRow{"ManyAngles", std::string(20000, '<') + "g>", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IconDrawingTest, RepeatedGroupsOfAnyDepth) {
    std::string svg;
    for (int i = 0; i < 5000; ++i) svg += "<g stroke-dasharray=\"1 2\">";
    svg += "<circle r=\"1\" stroke=\"#000\"/>";
    for (int i = 0; i < 5000; ++i) svg += "</g>";
    svg += "<circle r=\"1\" stroke=\"#000\"/>";
    const IconDrawing d = ReadIconDrawing(svg);
    ASSERT_EQ(d.shapes.size(), 2u);
    EXPECT_EQ(d.shapes[0].dashes.size(), 2u);
    EXPECT_TRUE(d.shapes[1].dashes.empty());
}

// ---- the shipped drawings ----

TEST(IconDrawingTest, EveryShippedDrawingReads) {
    ASSERT_GT(std::size(kShippedDrawings), 0u);
    for (const ShippedDrawing& file : kShippedDrawings) {
        SCOPED_TRACE(file.name);
        const IconDrawing d = ReadIconDrawing(file.text);
        EXPECT_EQ(d.width, 32);
        ASSERT_FALSE(d.shapes.empty());
        for (const IconShape& shape : d.shapes) {
            ASSERT_FALSE(shape.path.empty());
            EXPECT_EQ(shape.path.front().kind, Kind::Move);
            EXPECT_TRUE(shape.fill || shape.stroke);
            // Every point the outline passes lies on the drawing's square.
            for (const IconSegment& s : shape.path) {
                std::vector<IconPoint> points;
                if (s.kind == Kind::Move || s.kind == Kind::Line) points = {s.p[0]};
                if (s.kind == Kind::Cubic) points = {s.p[0], s.p[1], s.p[2]};
                if (s.kind == Kind::Arc) points = {s.p[2]};
                for (const IconPoint& p : points)
                    EXPECT_TRUE(p.x >= 0 && p.x <= 32 && p.y >= 0 && p.y <= 32) << Pt(p);
            }
        }
    }
}

}  // namespace
}  // namespace quillon
