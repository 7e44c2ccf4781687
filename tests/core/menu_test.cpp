// The launcher: its controls, its start-up steps (OnControl, placement, always-on-top, the
// failure path), what each toolbar button opens, its check box and its exit button.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/menu.h"
#include "app/recording_host.h"
#include "app/registry.h"
#include "app/startup.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

// A temporary folder that stands for the control root, removed at the end of the test.
class TempRoot {
public:
    TempRoot() {
        path_ = fs::temp_directory_path() /
                ("quillon-menu-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempRoot() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }
    void File(const std::string& name) { std::ofstream(path_ / name) << "x"; }
    void Folder(const std::string& name) { fs::create_directories(path_ / name); }

private:
    fs::path path_;
};

struct Fixture {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    Menu menu{m};
    void Start() {
        menu.Load();
        menu.Activate();
    }
};

TEST(Menu, DesignTimeControls) {
    Fixture f;
    EXPECT_EQ(f.menu.Caption, " QUILLON");
    EXPECT_EQ(f.menu["Ver"].Text, "Ver.1.00");
    EXPECT_EQ(f.menu["Check1"].Text, "手前に表示");
    EXPECT_TRUE(f.menu["Check1"].Value);
    EXPECT_EQ(f.menu["Check1"].ToolTip, "[Alt]を押したまま[Tab]を押すと切替えが出来ます。");
    EXPECT_EQ(f.menu["Command1"].Text, "終　了");
    EXPECT_EQ(f.menu["Toolbar1"].Kind(), ControlKind::Toolbar);
}

// Records what the launcher asks of its front, in order.
class RecordingFront : public WindowFront {
public:
    void Created(Form& form) override { calls.push_back("created " + form.ClassName()); }
    void Show(Form& form) override { calls.push_back("show " + form.ClassName()); }
    std::vector<std::string> calls;
};

// The launcher's toolbar as the user meets it, left to right: the tooltip over each button
// and the window a click on it opens ("" for the gap, which opens nothing).
struct ButtonRow {
    const char* name;
    int position;  // 1 = leftmost
    const char* opens;
    const char* tooltip;
};
void PrintTo(const ButtonRow& row, std::ostream* os) {
    *os << row.name;
}

constexpr ButtonRow kButtons[] = {
    {"SpindleSpeed", 1, "frmRPM", "周速と回転数の計算"},
    {"TurretInterference", 2, "frmTurret", "刃物台干渉チェック"},
    {"LineAndAngle", 3, "frmLineAngle", "座標から角度、角度から座標が求められます。"},
    {"CircleThroughAPoint", 4, "frmLineRPoint", "1点を通り直線と接する円"},
    {"TwoCircles", 5, "frmCircleCircle", "2円の交点"},
    {"TwoLinesTwoCircles", 6, "frmLine2Circle2", "2直線と2円"},
    {"CornerRadius", 7, "frmLineRLine", "2直線と接する円"},
    {"XyToXc", 8, "frmXY_XC", "XY-XC変換"},
    {"Undercut", 9, "frmNeck1", "ヌスミ形状1"},
    {"PointOnACircle", 10, "frmCirclePoint", "円に接する点"},
    {"LineAndCircle", 11, "frmLineR", "直線と円の交点"},
    {"NoseRadius", 12, "frmNoseR", "ノーズＲの補正量の計算"},
    {"Gap", 13, "", ""},
    {"Comment", 14, "frmComment", "リストからの選択や 日本語入力も出来ます。"},
    {"ThreadData", 15, "frmThreadData", "ネジのピッチ・下穴径などを表示します。"},
    {"Stopwatch", 16, "frmStopWatch", "ストップウォッチ　複数のラップタイムが測定可。"},
    {"Calculator", 17, "frmCalc", "関数電卓、値をコピーが出来ます。"},
};

// The first field of a window that the user can type into, or nullptr.
Control* TypableField(Form& form) {
    for (const auto& c : form.Controls())
        if ((c->Kind() == ControlKind::TextBox || c->Kind() == ControlKind::ComboBox) &&
            !c->Locked && c->Enabled && c->Visible)
            return c.get();
    return nullptr;
}

class ToolbarButton : public testing::TestWithParam<ButtonRow> {};

TEST_P(ToolbarButton, OpensItsWindowAndASecondClickShowsItAgainWithItsFields) {
    const ButtonRow& row = GetParam();
    Fixture f;
    RecordingFront front;
    f.menu.Windows().SetFront(&front);
    f.Start();
    const Control& bar = f.menu["Toolbar1"];
    ASSERT_EQ(bar.Buttons.size(), std::size(kButtons));
    EXPECT_EQ(bar.Buttons[static_cast<size_t>(row.position - 1)].tooltip, row.tooltip);

    f.menu.DeliverPick("Toolbar1", row.position);
    const std::string opens = row.opens;
    if (opens.empty()) {
        EXPECT_TRUE(f.menu.Windows().OpenWindows().empty());
        EXPECT_TRUE(front.calls.empty());
        return;
    }
    Form* window = f.menu.Windows().Find(opens);
    ASSERT_NE(window, nullptr) << "the button opened no " << opens;
    EXPECT_EQ(f.menu.Windows().OpenWindows(), std::vector<Form*>{window});
    EXPECT_EQ(front.calls, (std::vector<std::string>{"created " + opens, "show " + opens}));

    // The user types into the window, then clicks its button again.
    Control* field = TypableField(*window);
    const std::string typed = "12.5";
    if (field) window->DeliverSetText(field->Name(), typed);
    f.menu.DeliverPick("Toolbar1", row.position);
    EXPECT_EQ(f.menu.Windows().Find(opens), window);
    EXPECT_EQ(f.menu.Windows().OpenWindows(), std::vector<Form*>{window});
    EXPECT_EQ(front.calls,
              (std::vector<std::string>{"created " + opens, "show " + opens, "show " + opens}));
    if (field) {
        EXPECT_EQ((*window)[field->Name()].Text, typed) << field->Name();
    }
}

INSTANTIATE_TEST_SUITE_P(LeftToRight, ToolbarButton, testing::ValuesIn(kButtons),
                         [](const testing::TestParamInfo<ButtonRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(Menu, ToolbarHasNoButtonBeyondItsLast) {
    Fixture f;
    f.Start();
    EXPECT_THROW(f.menu.DeliverPick("Toolbar1", static_cast<int>(std::size(kButtons)) + 1),
                 UsageError);
    EXPECT_THROW(f.menu.DeliverPick("Toolbar1", 0), UsageError);
    EXPECT_TRUE(f.menu.Windows().OpenWindows().empty());
}

// A tool window's "手前に表示" box, unticked, takes the window out of the top band and puts
// the launcher back in; a window started without the launcher has no main window to put back.
struct TopBandRow {
    const char* name;
    bool withLauncher;
    std::vector<std::pair<std::string, bool>> calls;  // after the window opened
};
void PrintTo(const TopBandRow& row, std::ostream* os) {
    *os << row.name;
}

class ToolWindowLeavesTheTopBand : public testing::TestWithParam<TopBandRow> {};

TEST_P(ToolWindowLeavesTheTopBand, AndTheMainWindowGoesBackIn) {
    const TopBandRow& row = GetParam();
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    std::unique_ptr<Menu> menu;
    if (row.withLauncher) menu = std::make_unique<Menu>(m);
    std::unique_ptr<Form> window = FindToolbarKey("直線と円の交点")->create(m);
    StartWindow(*window, nullptr);
    host.topmostCalls.clear();
    window->DeliverClick("Check1");
    EXPECT_FALSE((*window)["Check1"].Value);
    EXPECT_EQ(host.topmostCalls, row.calls);
    host.topmostCalls.clear();
    window->DeliverClick("Check1");
    EXPECT_EQ(host.topmostCalls, (std::vector<std::pair<std::string, bool>>{{"frmLineR", true}}));
}

INSTANTIATE_TEST_SUITE_P(
    Launcher, ToolWindowLeavesTheTopBand,
    testing::Values(TopBandRow{"WithTheLauncher", true, {{"frmLineR", false}, {"Menu", true}}},
                    TopBandRow{"WithoutTheLauncher", false, {{"frmLineR", false}}}),
    [](const testing::TestParamInfo<TopBandRow>& info) { return std::string(info.param.name); });

TEST(Menu, StartUpSetsTheVersionPlacesTheLauncherAndPutsItOnTop) {
    Fixture f;
    f.Start();
    EXPECT_EQ(f.menu["Ver"].Text, "Ver.1.40");
    EXPECT_EQ(f.host.placements, (std::vector<std::pair<int, int>>{{1500, 2000}}));
    EXPECT_EQ(f.host.topmostCalls, (std::vector<std::pair<std::string, bool>>{{"Menu", true}}));
    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_FALSE(f.menu.Unloaded());
    EXPECT_FALSE(f.host.ended);
}

struct ControlRow {
    const char* name;
    std::function<void(TempRoot&)> prepare;
    bool root;  // whether a control root is given at all
    bool onControl;
};
void PrintTo(const ControlRow& row, std::ostream* os) {
    *os << row.name;
}

class OnControlAtStart : public testing::TestWithParam<ControlRow> {};

TEST_P(OnControlAtStart, FollowsTheMarkerFile) {
    const ControlRow& row = GetParam();
    TempRoot root;
    row.prepare(root);
    Fixture f;
    if (row.root) f.m.ControlRoot = root.Path();
    f.Start();
    EXPECT_EQ(f.m.OnControl, row.onControl);
}

INSTANTIATE_TEST_SUITE_P(
    Marker, OnControlAtStart,
    testing::Values(
        ControlRow{"MarkerFile", [](TempRoot& r) { r.File("OSPMNGCD.CNC"); }, true, true},
        ControlRow{"NoMarker", [](TempRoot&) {}, true, false},
        ControlRow{"MarkerIsAFolder", [](TempRoot& r) { r.Folder("OSPMNGCD.CNC"); }, true, false},
        ControlRow{"OtherFileOnly", [](TempRoot& r) { r.File("OSPMNGCD.TXT"); }, true, false},
        ControlRow{"NoControlRoot", [](TempRoot& r) { r.File("OSPMNGCD.CNC"); }, false, false}),
    [](const testing::TestParamInfo<ControlRow>& info) { return std::string(info.param.name); });

// Start-up steps that fail: a file system that cannot be asked, a screen that cannot be read.
class FailingFiles : public DiskFiles {
public:
    bool IsOrdinaryFile(const fs::path&) override { throw std::runtime_error("device not ready"); }
};

class FailingHost : public RecordingHost {
public:
    bool placeFails = false, topmostFails = false;
    void PlaceWindow(Form& form, int dx, int dy) override {
        if (placeFails) throw std::runtime_error("no screen");
        RecordingHost::PlaceWindow(form, dx, dy);
    }
    void SetTopmost(const std::string& name, bool on) override {
        if (topmostFails) throw std::runtime_error("no window");
        RecordingHost::SetTopmost(name, on);
    }
};

struct FailureRow {
    const char* name;
    bool filesFail, placeFails, topmostFails;
};
void PrintTo(const FailureRow& row, std::ostream* os) {
    *os << row.name;
}

class StartUpFailure : public testing::TestWithParam<FailureRow> {};

TEST_P(StartUpFailure, ShowsFileErrorUnloadsAndEnds) {
    const FailureRow& row = GetParam();
    FailingHost host;
    host.placeFails = row.placeFails;
    host.topmostFails = row.topmostFails;
    DiskFiles disk;
    FailingFiles failing;
    Module1 m(host, row.filesFail ? static_cast<Files&>(failing) : disk);
    m.ControlRoot = fs::temp_directory_path();
    Menu menu(m);
    menu.Load();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].title, "QUILLON エラー");
    EXPECT_EQ(host.messages[0].text, "ファイルエラー");
    EXPECT_EQ(menu["Ver"].Text, "Ver.1.40");  // set before the steps that may fail
    EXPECT_TRUE(menu.Unloaded());
    EXPECT_EQ(host.unloads, 1);
    EXPECT_TRUE(host.ended);
}

INSTANTIATE_TEST_SUITE_P(Steps, StartUpFailure,
                         testing::Values(FailureRow{"MarkerLookup", true, false, false},
                                         FailureRow{"Placement", false, true, false},
                                         FailureRow{"Topmost", false, false, true}),
                         [](const testing::TestParamInfo<FailureRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(Menu, CheckBoxMovesTheLauncherOutOfAndBackIntoTheTopBand) {
    Fixture f;
    f.Start();
    f.host.topmostCalls.clear();
    f.menu.DeliverClick("Check1");
    EXPECT_FALSE(f.menu["Check1"].Value);
    f.menu.DeliverClick("Check1");
    EXPECT_TRUE(f.menu["Check1"].Value);
    EXPECT_EQ(f.host.topmostCalls,
              (std::vector<std::pair<std::string, bool>>{{"Menu", false}, {"Menu", true}}));
}

TEST(Menu, ToolbarButtonOpensItsWindowOnceAndTheSeparatorNothing) {
    Fixture f;
    f.Start();
    f.menu.DeliverPick("Toolbar1", 12);
    Form* nose = f.menu.Windows().Find("frmNoseR");
    ASSERT_NE(nose, nullptr);
    nose->DeliverSetText("Text1", "0.8");
    f.menu.DeliverPick("Toolbar1", 13);
    f.menu.DeliverPick("Toolbar1", 12);
    EXPECT_EQ(f.menu.Windows().OpenWindows(), std::vector<Form*>{nose});
    EXPECT_EQ((*nose)["Text1"].Text, "0.8");
}

struct ExitRow {
    const char* name;
    bool onControl;
    size_t activations;
};
void PrintTo(const ExitRow& row, std::ostream* os) {
    *os << row.name;
}

class ExitButton : public testing::TestWithParam<ExitRow> {};

TEST_P(ExitButton, UnloadsActivatesTheControlAndEndsWithoutClosingTools) {
    Fixture f;
    f.Start();
    f.m.OnControl = GetParam().onControl;
    f.menu.DeliverPick("Toolbar1", 12);
    Form* nose = f.menu.Windows().Find("frmNoseR");
    ASSERT_NE(nose, nullptr);
    f.menu.DeliverClick("Command1");
    EXPECT_TRUE(f.menu.Unloaded());
    EXPECT_TRUE(f.host.ended);
    EXPECT_EQ(f.host.activations.size(), GetParam().activations);
    // The process end takes the tool windows with it; their close buttons do not run.
    EXPECT_FALSE(nose->Unloaded());
}

INSTANTIATE_TEST_SUITE_P(Control, ExitButton,
                         testing::Values(ExitRow{"OfficePc", false, 0},
                                         ExitRow{"OnControl", true, 1}),
                         [](const testing::TestParamInfo<ExitRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quillon
