// The declared grid of the figure windows: every control has a cell of its own in its
// container, and every container it names is a frame of the window.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "app/recording_host.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "app/registry.h"

namespace quillon {
namespace {

class FigureWindowLayout : public ::testing::TestWithParam<const char*> {};

TEST_P(FigureWindowLayout, NoTwoControlsShareACell) {
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    const WindowInfo* info = FindWindowInfo(GetParam());
    ASSERT_TRUE(info && info->create);
    std::unique_ptr<Form> form = info->create(m);

    std::map<std::pair<std::string, std::pair<int, int>>, std::string> taken;
    for (const auto& c : form->Controls()) {
        if (!c->Parent.empty()) {
            const Control* frame = form->Find(c->Parent);
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

INSTANTIATE_TEST_SUITE_P(Windows, FigureWindowLayout,
                         ::testing::Values("frmLineRLine", "frmCirclePoint"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace quillon
