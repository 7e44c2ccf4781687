// Every registered window laid out from its declared grid: each control has a cell of its own,
// and the layout engine gives every control room for its natural size, inside the window and
// its frame, overlapping no neighbour — at 100 % and at 200 %.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/recording_host.h"
#include "app/registry.h"
#include "shell/disk_files.h"
#include "shell/layout.h"
#include "shell/module1.h"
#include "shell/utf8.h"

namespace quillon {
namespace {

// A front's measure as a font of `em` pixels would give it: text as wide as its characters
// (full-width ones twice), plus the control's decorations.
layout::Size FakeMeasure(const Control& c, double em) {
    const auto px = [em](double v) { return static_cast<int>(v * em); };
    int chars = 0;
    for (std::string_view t = c.Text; !t.empty();) {
        const auto [ch, n] = utf8::Decode(t);
        chars += ch < 0x2000 ? 1 : 2;
        t.remove_prefix(n ? n : 1);
    }
    for (const auto& item : c.Items)
        chars = std::max(chars, 2 * static_cast<int>(utf8::Length(item)));
    switch (c.Kind()) {
        case ControlKind::TextBox:
            return {px(8), px(1.6)};
        case ControlKind::CommandButton:
            return {px(chars * 0.55 + 2), px(1.8)};
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            return {px(chars * 0.55 + 1.6), px(1.4)};
        case ControlKind::ListBox:
            return {px(12), px(8)};
        case ControlKind::ComboBox:
            return {px(chars * 0.55 + 3), px(1.8)};
        case ControlKind::TabStrip:
            return {px(30), px(2)};
        case ControlKind::Toolbar:
            return {px(2.5 * static_cast<double>(c.Buttons.size())), px(2.6)};
        case ControlKind::PictureBox:
            return {px(6), px(4)};
        default:
            return {px(chars * 0.55), px(1.3)};
    }
}

class WindowLayout : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        const WindowInfo* info = FindWindowInfo(GetParam());
        ASSERT_TRUE(info && info->create);
        form_ = info->create(m_);
        form_->Load();
    }
    RecordingHost host_;
    DiskFiles files_;
    Module1 m_{host_, files_};
    std::unique_ptr<Form> form_;
};

TEST_P(WindowLayout, NoTwoControlsShareACell) {
    std::map<std::pair<std::string, std::pair<int, int>>, std::string> taken;
    for (const auto& c : form_->Controls()) {
        if (c->Kind() == ControlKind::Timer) continue;
        if (!c->Parent.empty()) {
            const Control* frame = form_->Find(c->Parent);
            ASSERT_TRUE(frame) << c->Name() << " sits in a missing " << c->Parent;
            EXPECT_EQ(frame->Kind(), ControlKind::Frame) << c->Name();
        }
        for (int r = c->Where.row; r < c->Where.row + c->Where.rowSpan; ++r)
            for (int col = c->Where.col; col < c->Where.col + c->Where.colSpan; ++col) {
                const auto [it, fresh] =
                    taken.emplace(std::pair{c->Parent, std::pair{r, col}}, c->Name());
                EXPECT_TRUE(fresh) << c->Name() << " and " << it->second << " share row " << r
                                   << " column " << col;
            }
    }
}

TEST_P(WindowLayout, EveryControlHasRoomInsideItsContainerAndOverlapsNoNeighbour) {
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale == 1.0 ? "100 %" : "200 %");
        const double em = 12 * scale;
        const auto measure = [em](const Control& c) { return FakeMeasure(c, em); };
        const layout::Metrics metrics = layout::Metrics{}.Scaled(scale);
        const layout::Result r = layout::LayOut(*form_, measure, metrics);
        const layout::Rect client{0, 0, r.client.width, r.client.height};
        for (const auto& c : form_->Controls()) {
            if (c->Kind() == ControlKind::Timer) continue;
            ASSERT_TRUE(r.rects.count(c->Name())) << c->Name() << " was not placed";
            const layout::Rect& rect = r.rects.at(c->Name());
            EXPECT_TRUE(client.Contains(rect)) << c->Name() << " leaves the window";
            if (!c->Parent.empty()) {
                EXPECT_TRUE(r.rects.at(c->Parent).Contains(rect))
                    << c->Name() << " leaves its frame " << c->Parent;
            }
            // Nothing clipped: at least the natural size (frames are measured from their
            // contents, which the containment above covers).
            if (c->Kind() != ControlKind::Frame) {
                // Declared sizes are 96-dpi pixels and grow with the scale.
                const layout::Size declared = layout::DeclaredSize(*c, metrics);
                const bool figure = c->Pic && c->MinWidth > 0 && c->MinHeight > 0;
                const layout::Size natural = figure ? declared : measure(*c);
                EXPECT_GE(rect.width, std::max(natural.width, declared.width)) << c->Name();
                EXPECT_GE(rect.height, std::max(natural.height, declared.height)) << c->Name();
                if (figure) {
                    EXPECT_EQ(rect.width, std::lround(c->MinWidth * scale)) << c->Name();
                    EXPECT_EQ(rect.height, std::lround(c->MinHeight * scale)) << c->Name();
                }
            }
            for (const auto& other : form_->Controls()) {
                if (other.get() == c.get() || other->Parent != c->Parent ||
                    other->Kind() == ControlKind::Timer)
                    continue;
                EXPECT_FALSE(rect.Overlaps(r.rects.at(other->Name())))
                    << c->Name() << " overlaps " << other->Name();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Registered, WindowLayout, ::testing::ValuesIn(BuiltWindowClasses()),
                         [](const auto& info) { return info.param; });

// Declared sizes are 96-dpi pixels: each front's scale multiplies them, rounded to the nearest
// pixel; an undeclared side stays 0 (the measured size rules).
TEST(LayoutEngine, DeclaredSizesFollowTheScale) {
    struct Case {
        int w, h;
        double scale;
        layout::Size want;
    };
    const Case cases[] = {
        {589, 325, 1.0, {589, 325}}, {589, 325, 1.5, {884, 488}}, {200, 18, 1.5, {300, 27}},
        {200, 18, 1.25, {250, 23}},  {20, 20, 2.0, {40, 40}},     {0, 30, 1.5, {0, 45}},
        {31, 0, 1.5, {47, 0}},
    };
    for (const Case& t : cases) {
        Control c("X", ControlKind::PictureBox);
        c.Size(t.w, t.h);
        const layout::Metrics m = layout::Metrics{}.Scaled(t.scale);
        EXPECT_EQ(layout::DeclaredSize(c, m), t.want) << t.w << "x" << t.h << " at " << t.scale;
        // Scaling twice multiplies.
        EXPECT_DOUBLE_EQ(m.Scaled(2.0).declared, 2.0 * t.scale);
    }
}

// A small window whose rectangles are worked out by hand.
class Sample : public Form {
public:
    explicit Sample(Module1& m) : Form(m, "Sample", "") {
        Label("A", "a").At(0, 0);         // 40 x 20
        TextBox("B").At(0, 1);            // 80 x 24
        Button("C", "c").At(1, 0, 1, 2);  // 150 x 30: wider than both columns
        Frame("F", "f").At(2, 0);
        Check("D", "d").In("F").At(0, 0);  // 30 x 16
        Option("E", "e").At(2, 1);         // 20 x 16, natural width in its cell
    }
};

TEST(LayoutEngine, PlacesCellsSpansAndFramesAsComputedByHand) {
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    Sample form(m);
    const std::map<std::string, layout::Size> sizes = {{"A", {40, 20}},  {"B", {80, 24}},
                                                       {"C", {150, 30}}, {"D", {30, 16}},
                                                       {"E", {20, 16}},  {"F", {10, 10}}};
    const layout::Metrics metrics{10, 5, 20, 4};
    const layout::Result r = layout::LayOut(
        form, [&](const Control& c) { return sizes.at(c.Name()); }, metrics);
    // Columns: 40, then 80 widened to 105 for C (40 + 5 + 105 = 150).
    // Rows: 24, 30, and the frame: 16 + 20 + 4 = 40 high, 30 + 8 = 38 wide.
    EXPECT_EQ(r.rects.at("A"), (layout::Rect{10, 12, 40, 20}));  // centred in the 24 row
    EXPECT_EQ(r.rects.at("B"), (layout::Rect{55, 10, 105, 24}));
    EXPECT_EQ(r.rects.at("C"), (layout::Rect{10, 39, 150, 30}));
    EXPECT_EQ(r.rects.at("F"), (layout::Rect{10, 74, 40, 40}));
    EXPECT_EQ(r.rects.at("D"), (layout::Rect{14, 94, 30, 16}));
    EXPECT_EQ(r.rects.at("E"), (layout::Rect{55, 86, 20, 16}));
    EXPECT_EQ(r.client, (layout::Size{170, 124}));
}

}  // namespace
}  // namespace quillon
