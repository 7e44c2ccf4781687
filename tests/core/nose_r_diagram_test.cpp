// frmNoseR's fixed diagram: the taper, the nose circle and the captions of the three shifts,
// all inside the picture, and untouched by the computation.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

#include "app/recording_host.h"
#include "geometry/frmNoseR.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon {
namespace {

struct Fixture {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    frmNoseR form{m};
};

bool Inside(const Scale& s, double x, double y) {
    return x >= s.left && x <= s.left + s.width && y >= s.top && y <= s.top + s.height;
}

TEST(NoseRDiagram, ShowsTheCaptionsAndTheNoseCircleInsideThePicture) {
    Fixture f;
    const auto& ops = f.form["Picture1"].Pic->Ops();
    ASSERT_FALSE(ops.empty());
    ASSERT_TRUE(std::holds_alternative<ScaleOp>(ops.front()));
    const Scale scale = std::get<ScaleOp>(ops.front()).scale;
    // The diagram keeps the picture's own proportions.
    const Control& picture = f.form["Picture1"];
    EXPECT_DOUBLE_EQ(scale.width / scale.height,
                     static_cast<double>(picture.MinWidth) / picture.MinHeight);
    std::multiset<std::string> captions;
    int noseCircles = 0, lines = 0;
    for (const DrawOp& op : ops) {
        if (const auto* p = std::get_if<PrintOp>(&op)) {
            captions.insert(p->text);
            EXPECT_TRUE(Inside(scale, p->x, p->y)) << p->text;
        } else if (const auto* c = std::get_if<CircleOp>(&op)) {
            EXPECT_TRUE(Inside(scale, c->x - c->r, c->y - c->r) &&
                        Inside(scale, c->x + c->r, c->y + c->r));
            if (c->color == colors::Magenta) ++noseCircles;
        } else if (const auto* l = std::get_if<LineOp>(&op)) {
            ++lines;
            EXPECT_TRUE(Inside(scale, l->x1, l->y1) && Inside(scale, l->x2, l->y2));
        } else {
            EXPECT_TRUE(std::holds_alternative<ScaleOp>(op)) << "one scale only";
            EXPECT_EQ(&op, &ops.front());
        }
    }
    EXPECT_EQ(captions, (std::multiset<std::string>{"R", "角度", "X/2", "Z", "Z2"}));
    EXPECT_EQ(noseCircles, 1);
    EXPECT_GE(lines, 2);
}

TEST(NoseRDiagram, StaysWhileTheShiftsAreComputed) {
    Fixture f;
    f.form.Load();
    f.form.Activate();
    const size_t before = f.form["Picture1"].Pic->Ops().size();
    const unsigned revision = f.form["Picture1"].Pic->Revision();
    f.form.DeliverSetText("Text1", "0.8");
    f.form.DeliverKey(*ParseKey("Enter"), true);
    f.form.DeliverSetText("Text2", "30");
    f.form.DeliverKey(*ParseKey("Enter"), true);
    EXPECT_EQ(f.form["Text3"].Text, "0.676");
    EXPECT_EQ(f.form["Picture1"].Pic->Ops().size(), before);
    EXPECT_EQ(f.form["Picture1"].Pic->Revision(), revision);
}

}  // namespace
}  // namespace quillon
