// One instance per window class: the launcher's toolbar creates a window once, shows the same
// instance again with its fields, and creates it afresh after its close button.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/recording_host.h"
#include "app/window_manager.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "shell/tool_window.h"

namespace quillon {
namespace {

// Records what the manager asks of a front, in order.
class RecordingFront : public WindowFront {
public:
    void Created(Form& form) override { calls.push_back("created " + form.ClassName()); }
    void Show(Form& form) override { calls.push_back("show " + form.ClassName()); }
    std::vector<std::string> calls;
};

struct Fixture {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    RecordingFront front;
    WindowManager windows{m};
    Fixture() { windows.SetFront(&front); }
};

TEST(WindowManager, SecondClickShowsTheSameWindowWithItsFields) {
    Fixture f;
    Form* first = f.windows.OpenKey("Nose-R");
    ASSERT_NE(first, nullptr);
    first->DeliverSetText("Text1", "0.8");
    Form* second = f.windows.OpenKey("Nose-R");
    EXPECT_EQ(second, first);
    EXPECT_EQ((*second)["Text1"].Text, "0.8");
    EXPECT_EQ(f.windows.OpenWindows().size(), 1u);
    EXPECT_EQ(f.front.calls,
              (std::vector<std::string>{"created frmNoseR", "show frmNoseR", "show frmNoseR"}));
    // Loaded once (one placement), topmost at each activation.
    EXPECT_EQ(f.host.placements, (std::vector<std::pair<int, int>>{{2800, 2000}}));
    EXPECT_EQ(f.host.topmostCalls.size(), 2u);
    EXPECT_EQ(first->Focus(), "Text1");
}

TEST(WindowManager, AfterTheCloseButtonAClickCreatesTheWindowAfresh) {
    Fixture f;
    Form* first = f.windows.OpenKey("Nose-R");
    ASSERT_NE(first, nullptr);
    first->DeliverSetText("Text1", "0.8");
    first->DeliverClick("Command2");
    EXPECT_TRUE(first->Unloaded());
    EXPECT_EQ(f.windows.Find("frmNoseR"), nullptr);
    Form* again = f.windows.OpenKey("Nose-R");
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->Unloaded());
    EXPECT_EQ((*again)["Text1"].Text, "");
    EXPECT_EQ(f.host.placements.size(), 2u);
    EXPECT_EQ(f.windows.OpenWindows().size(), 1u);
}

struct KeyRow {
    const char* name;
    std::string key;
};
void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

class KeysThatOpenNothing : public testing::TestWithParam<KeyRow> {};

TEST_P(KeysThatOpenNothing, CreateNoWindow) {
    Fixture f;
    EXPECT_EQ(f.windows.OpenKey(GetParam().key), nullptr);
    EXPECT_TRUE(f.windows.OpenWindows().empty());
    EXPECT_TRUE(f.front.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Toolbar, KeysThatOpenNothing,
    testing::Values(KeyRow{"Separator", "Bar1"}, KeyRow{"LowerCase", "nose-r"},
                    KeyRow{"FullWidth", "Ｎｏｓｅ-Ｒ"}, KeyRow{"TrailingBlank", "Nose-R "},
                    KeyRow{"Tooltip", "ノーズＲの補正量の計算"}, KeyRow{"Empty", ""}),
    [](const testing::TestParamInfo<KeyRow>& info) { return std::string(info.param.name); });

TEST(WindowManager, ButtonFourIsFoundByItsKeyNotByItsTooltip) {
    // Its Key says "に接する", its tooltip "と接する"; only the Key dispatches.
    EXPECT_NE(FindToolbarKey("1点を通り直線に接する円"), nullptr);
    EXPECT_EQ(FindToolbarKey("1点を通り直線と接する円"), nullptr);
}

TEST(WindowManager, AWindowNotBuiltYetOpensNothing) {
    Fixture f;
    const WindowInfo unbuilt{"frmLater", "Later", "", "", {}};
    EXPECT_EQ(f.windows.Open(unbuilt), nullptr);
    EXPECT_TRUE(f.front.calls.empty());
}

// A window that closes itself from a handler and then still uses its own state, as handlers
// that unload and then bring the control's window forward do.
class SelfClosing : public ToolWindow {
public:
    SelfClosing(Module1& m, WindowManager& windows, bool& destroyed, bool& destroyedInHandler)
        : ToolWindow(m, "frmSelfClosing", " test", 0, 0, Topmost::AtLoad), destroyed_(destroyed) {
        TextBox("Text1").At(0, 0);
        Button("Command2", "閉じる").At(1, 0);
        On("Command2", Event::Click, [this, &windows, &destroyedInHandler] {
            Unload();
            windows.Collect();  // another window's event may run here (a wait, a toolbar click)
            destroyedInHandler = destroyed_;
            (*this)["Text1"].Text = "still here";
        });
    }
    ~SelfClosing() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

TEST(WindowManager, AWindowIsNotDestroyedWhileItsHandlerRuns) {
    Fixture f;
    bool destroyed = false, destroyedInHandler = true;
    const WindowInfo info{"frmSelfClosing", "Self", "", "", [&](Module1& m) {
                              return std::make_unique<SelfClosing>(m, f.windows, destroyed,
                                                                   destroyedInHandler);
                          }};
    Form* w = f.windows.Open(info);
    ASSERT_NE(w, nullptr);
    w->DeliverClick("Command2");
    EXPECT_FALSE(destroyedInHandler);
    EXPECT_FALSE(destroyed);
    f.windows.Collect();  // the handler has returned: now it goes
    EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace quillon
