// The form runtime: focus events, key dispatch and option groups behave as on screen.
#include <gtest/gtest.h>

#include "app/recording_host.h"
#include "shell/checked.h"
#include "shell/disk_files.h"
#include "shell/tool_window.h"

namespace quillon {
namespace {

// A small window whose handlers log what ran, in order.
class LogForm : public ToolWindow {
public:
    explicit LogForm(Module1& m) : ToolWindow(m, "LogForm", "log", 100, 200, Topmost::AtLoad) {
        TextBox("Text1");
        TextBox("Text2");
        TextBox("Text3").Result();
        Button("Command1", "Go");
        Frame("Frame1", "opts");
        Option("Option1", "1", true).In("Frame1");
        Option("Option2", "2").In("Frame1");
        Option("Option3", "3");  // another group: the form
        Check("Check1", "tick");
        Label("Label1", "lbl");
        for (const char* n : {"Text1", "Text2", "Command1"}) {
            std::string name = n;
            On(name, Event::GotFocus, [this, name] { log += "+" + name; });
            On(name, Event::LostFocus, [this, name] { log += "-" + name; });
        }
        On("Text1", Event::Change, [this] { log += "~Text1"; });
        On("Command1", Event::Click, [this] { log += "!Command1"; });
        On("Option2", Event::Click, [this] { log += "!Option2"; });
        On("Check1", Event::Click, [this] { log += "!Check1"; });
        OnKey("Text2", Event::KeyPress, [this](KeyArgs& k) {
            if (k.keyAscii == 'x') k.keyAscii = 0;  // a handler may swallow a key
        });
        // A handler that moves the focus: its focus events run after it returns.
        On("Text2", Event::Change, [this] {
            SetFocus("Command1");
            log += "~Text2";
        });
        EnterChain({{"Text1", "Text2"}});
        On("Label1", Event::Click, [] { chk::div(1, 0); });
        Button("Command9", "Bug");
        On("Command9", Event::Click, [] { throw std::logic_error("a programming error"); });
    }
    std::string log;
};

struct Fixture : testing::Test {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    LogForm form{m};
};

using FormRuntime = Fixture;

TEST_F(FormRuntime, LoadPlacesAndActivationFocusesTheFirstTabStop) {
    form.Load();
    form.Activate();
    EXPECT_EQ(form.Focus(), "Text1");
    EXPECT_EQ(form.log, "+Text1");
    ASSERT_EQ(host.placements.size(), 1u);
    EXPECT_EQ(host.placements[0], std::make_pair(100, 200));
    ASSERT_EQ(host.topmostCalls.size(), 1u);
    EXPECT_EQ(host.topmostCalls[0], std::make_pair(std::string("LogForm"), true));
}

TEST_F(FormRuntime, FocusMovesRunLostFocusBeforeGotFocus) {
    form.DeliverFocus("Text1");
    form.DeliverFocus("Text2");
    form.DeliverFocus("Text2");  // no event when the focus stays
    EXPECT_EQ(form.log, "+Text1-Text1+Text2");
}

TEST_F(FormRuntime, FocusEventsOfAHandlerRunAfterIt) {
    form.DeliverFocus("Text2");
    form.log.clear();
    form.DeliverSetText("Text2", "5");
    EXPECT_EQ(form.log, "~Text2-Text2+Command1");
    EXPECT_EQ(form.Focus(), "Command1");
}

TEST_F(FormRuntime, ClickMovesTheFocusBeforeTheClickRuns) {
    form.DeliverFocus("Text1");
    form.DeliverClick("Command1");
    EXPECT_EQ(form.log, "+Text1-Text1+Command1!Command1");
}

TEST_F(FormRuntime, LeaveRunsLostFocusAndLeavesNoFocus) {
    form.DeliverFocus("Text1");
    form.DeliverLeave("Text2");
    EXPECT_EQ(form.log, "+Text1-Text2");
    EXPECT_EQ(form.Focus(), "");
}

TEST_F(FormRuntime, EnterFollowsTheChainAndIsNotSwallowed) {
    form.DeliverFocus("Text1");
    EXPECT_TRUE(form.DeliverKey(*ParseKey("Enter"), true));
    EXPECT_EQ(form.Focus(), "Text2");
    EXPECT_EQ(form["Text1"].Text, "");  // Enter types nothing into a single-line field
}

// A multi-line box beside a default button, and a locked multi-line box.
class MemoForm : public ToolWindow {
public:
    explicit MemoForm(Module1& m) : ToolWindow(m, "MemoForm", "memo", 100, 200, Topmost::AtLoad) {
        TextBox("Text1").Multiline = true;
        TextBox("Text2").Multiline = true;
        (*this)["Text2"].Locked = true;
        Button("Command1", "OK").Default = true;
        On("Command1", Event::Click, [this] { ++pressed; });
    }
    int pressed = 0;
};

TEST_F(FormRuntime, EnterInAMultiLineBoxStartsANewLineAndPressesNothing) {
    MemoForm memo(m);
    memo.DeliverFocus("Text1");
    for (const char* k : {"a", "Enter", "b", "Left", "Enter"}) memo.DeliverKey(*ParseKey(k), true);
    EXPECT_EQ(memo["Text1"].Text, "a\r\n\r\nb");
    EXPECT_EQ(memo["Text1"].SelStart, 5);  // after the second line end typed
    EXPECT_EQ(memo.pressed, 0);
    // A locked box takes no new line; Enter there presses the default button.
    memo.DeliverFocus("Text2");
    memo.DeliverKey(*ParseKey("Enter"), true);
    EXPECT_EQ(memo["Text2"].Text, "");
    EXPECT_EQ(memo.pressed, 1);
}

TEST_F(FormRuntime, TypingEditsTheFieldAndFiresChange) {
    form.DeliverFocus("Text1");
    for (const char* k : {"1", "２", "a", "Backspace"}) form.DeliverKey(*ParseKey(k), true);
    EXPECT_EQ(form["Text1"].Text, "1２");  // full-width characters are accepted as typed
    EXPECT_EQ(form.log, "+Text1~Text1~Text1~Text1~Text1");
}

TEST_F(FormRuntime, AKeyPressHandlerCanSwallowAKey) {
    form.DeliverFocus("Text2");
    EXPECT_FALSE(form.DeliverKey(*ParseKey("x"), true));
    EXPECT_EQ(form["Text2"].Text, "");
}

TEST_F(FormRuntime, LockedFieldsTakeNoTyping) {
    form.DeliverSetText("Text3", "9");
    EXPECT_EQ(form["Text3"].Text, "");
}

TEST_F(FormRuntime, OptionButtonsDeselectTheirGroupOnly) {
    form.DeliverClick("Option2");
    EXPECT_FALSE(form["Option1"].Value);
    EXPECT_TRUE(form["Option2"].Value);
    form.DeliverClick("Option3");
    EXPECT_TRUE(form["Option2"].Value);  // other group
    EXPECT_TRUE(form["Option3"].Value);
    EXPECT_EQ(form.log, "!Option2");
}

TEST_F(FormRuntime, CheckBoxesToggle) {
    form.DeliverClick("Check1");
    form.DeliverClick("Check1");
    EXPECT_FALSE(form["Check1"].Value);
    EXPECT_EQ(form.log, "!Check1!Check1");
}

TEST_F(FormRuntime, DisabledControlsAndControlsInDisabledFramesIgnoreClicks) {
    form["Command1"].Enabled = false;
    form.DeliverClick("Command1");
    form["Frame1"].Enabled = false;
    form.DeliverClick("Option2");
    EXPECT_EQ(form.log, "");
    EXPECT_TRUE(form["Option1"].Value);
    EXPECT_FALSE(form.CanFocus("Option1"));
}

TEST_F(FormRuntime, AnUntrappedFaultEndsOnlyItsHandler) {
    EXPECT_NO_THROW(form.DeliverClick("Label1"));
    form.DeliverClick("Command1");
    EXPECT_EQ(form.log, "+Command1!Command1");
}

TEST_F(FormRuntime, AProgrammingErrorPropagatesButFocusEventsGoOnAfterIt) {
    EXPECT_THROW(form.DeliverClick("Command9"), std::logic_error);
    form.DeliverFocus("Text1");
    form.DeliverFocus("Command1");
    EXPECT_EQ(form.log, "+Text1-Text1+Command1");
}

TEST_F(FormRuntime, TabWalksTheTabStopsAndSkipsResultFields) {
    form.DeliverFocus("Text2");
    form.DeliverKey(*ParseKey("Tab"), true);
    EXPECT_EQ(form.Focus(), "Command1");
}

TEST_F(FormRuntime, UnknownControlsAreUsageErrors) {
    EXPECT_THROW(form.DeliverClick("Nope"), UsageError);
    EXPECT_THROW(form.DeliverFocus("Label1"), UsageError);
    EXPECT_THROW(form.DeliverPick("Command1", 1), UsageError);
}

TEST(ParseKey, NamesAndSingleCharacters) {
    EXPECT_EQ(ParseKey("Enter")->ascii, 13);
    EXPECT_EQ(ParseKey("Esc")->ascii, 27);
    EXPECT_EQ(ParseKey("Up")->keyCode, keys::Up);
    EXPECT_EQ(ParseKey("Up")->ascii, 0);
    EXPECT_EQ(ParseKey("ｘ")->text, "ｘ");
    EXPECT_FALSE(ParseKey("ab"));
    EXPECT_FALSE(ParseKey(""));
    EXPECT_FALSE(ParseKey("Home"));
}

}  // namespace
}  // namespace quillon
