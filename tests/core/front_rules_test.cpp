// The rules every front drives a window by: shown state through frames, the tab order, key
// routing, timer periods and the bottom-right placement.
#include "shell/front_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/recording_host.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon {
namespace {

// Fields in frames (one inside another), a label, a button that is no tab stop, a default
// button, and handlers that log what they saw.
class RulesForm : public Form {
public:
    explicit RulesForm(Module1& m) : Form(m, "RulesForm", "rules") {
        TextBox("Text1");
        Frame("Outer", "outer");
        Frame("Inner", "inner").In("Outer");
        TextBox("Text2").In("Inner");
        Option("Option1", "1").In("Outer");
        Label("Label1", "label");
        Button("Command1", "go");
        Button("Command2", "quiet").NoTabStop();
        Button("Command3", "default").Default = true;
        TextBox("Text3").In("Missing");  // a frame that is not declared
        for (const char* n : {"Command1", "Command2", "Command3"}) {
            const std::string name = n;
            On(name, Event::Click, [this, name] { log += "!" + name; });
        }
        OnKey("Text1", Event::KeyPress, [this](KeyArgs& k) {
            log += "k" + k.text;
            if (k.text == "x") k.keyAscii = 0;  // the window cancels x
        });
        On("Text1", Event::GotFocus, [this] { log += "+Text1"; });
    }
    std::string log;
};

struct FrontRules : testing::Test {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    RulesForm form{m};
    Control& operator[](const std::string& name) { return form[name]; }
};

TEST_F(FrontRules, AFrameDisablesOrHidesWhatItHolds) {
    struct Case {
        const char* disabled;  // a control made disabled ("" none)
        const char* hidden;    // a control made hidden ("" none)
        const char* control;
        bool enabled, visible;
    } cases[] = {
        {"", "", "Text2", true, true},
        {"Outer", "", "Text2", false, true},  // through two frames
        {"Inner", "", "Text2", false, true},
        {"", "Outer", "Text2", true, false},
        {"", "Inner", "Option1", true, true},  // a sibling frame does not count
        {"", "Outer", "Option1", true, false},
        {"Text2", "", "Text2", false, true},
        {"", "Text2", "Text2", true, false},
        {"Outer", "", "Outer", false, true},
        {"", "", "Text3", true, true},  // an undeclared frame hides nothing
        {"Outer", "", "Text1", true, true},
    };
    for (const Case& c : cases) {
        RulesForm f(m);
        if (*c.disabled) f[c.disabled].Enabled = false;
        if (*c.hidden) f[c.hidden].Visible = false;
        const Control& control = f[c.control];
        SCOPED_TRACE(std::string(c.control) + " disabled " + c.disabled + " hidden " + c.hidden);
        EXPECT_EQ(EnabledWithFrames(f, control), c.enabled);
        EXPECT_EQ(VisibleWithFrames(f, control), c.visible);
        EXPECT_EQ(Usable(f, control), c.enabled && c.visible);
        // The window's own rules agree: what cannot be used cannot take the focus either.
        if (TakesFocus(control.Kind())) {
            EXPECT_EQ(f.CanFocus(c.control), c.enabled && c.visible);
        }
    }
}

TEST_F(FrontRules, TheTabOrderHoldsTabStopsThatCanTakeTheFocus) {
    const std::vector<std::string> expected{"Text1",    "Text2",    "Option1",
                                            "Command1", "Command3", "Text3"};
    EXPECT_EQ(TabOrder(form), expected);
    // The order is the declaration's: what is disabled now stays in it.
    form["Text2"].Enabled = false;
    EXPECT_EQ(TabOrder(form), expected);
}

TEST_F(FrontRules, TabMovesToTheNextControlThatCanTakeTheFocusNow) {
    form["Inner"].Visible = false;     // Text2 cannot take the focus now
    form["Command3"].Enabled = false;  // nor Command3
    struct Case {
        const char* from;
        bool backwards;
        const char* next;
    } cases[] = {
        {"Text1", false, "Option1"},  {"Option1", false, "Command1"},
        {"Command1", false, "Text3"}, {"Text3", false, "Text1"},  // round the end
        {"Text1", true, "Text3"},     {"Option1", true, "Text1"},
        {"", false, "Text1"},         {"", true, "Text3"},  // from outside the order
        {"Label1", false, "Text1"},   {"Command2", true, "Text3"},
        {"Text2", false, "Text1"},  // from a control that cannot take the focus now
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextInTabOrder(form, c.from, c.backwards), c.next)
            << c.from << (c.backwards ? " backwards" : " forwards");
    for (const char* n : {"Text1", "Outer", "Command1", "Text3"}) form[n].Enabled = false;
    EXPECT_EQ(NextInTabOrder(form, "Text1", false), "");
}

// Records what a front delivers; `alive` says whether the view is still there after each.
struct Deliveries {
    int count = 0;
    int aliveFor = 1000;  // deliveries after which the view is gone
    DeliverEvent Fn() {
        return [this](const std::function<void(Form&)>& event) {
            event(*form);
            return ++count < aliveFor;
        };
    }
    Form* form = nullptr;
};

TEST_F(FrontRules, AKeyGoesToTheWindowFirstThenPressesAFocusedButton) {
    struct Case {
        const char* focus;    // the window's focus before
        const char* control;  // where the key was pressed on screen
        const char* key;
        bool passes;  // the native control gets the key
        const char* log;
        const char* focusAfter;
    } cases[] = {
        {"Text1", "Text1", "a", true, "ka", "Text1"},
        {"Text1", "Text1", "x", false, "kx", "Text1"},          // cancelled by the window
        {"Command1", "Text1", "a", true, "+Text1ka", "Text1"},  // the focus follows the screen
        {"Command1", "Command1", "Enter", false, "!Command1", "Command1"},
        {"Command1", "Command1", " ", true, "", "Command1"},       // the native button's own
        {"Text1", "Text1", "Enter", true, "k!Command3", "Text1"},  // the default button
        {"Text1", "", "a", true, "ka", "Text1"},                   // the window itself
        {"Text1", "Label1", "a", true, "ka", "Text1"},             // a control without focus
    };
    for (const Case& c : cases) {
        RulesForm f(m);
        f.DeliverFocus(c.focus);
        f.log.clear();
        Deliveries d;
        d.form = &f;
        const Key key = *ParseKey(c.key);
        EXPECT_EQ(RouteKey(f, c.control, key, d.Fn()), c.passes) << c.control << " " << c.key;
        EXPECT_EQ(f.log, c.log) << c.control << " " << c.key;
        EXPECT_EQ(f.Focus(), c.focusAfter) << c.control << " " << c.key;
    }
}

TEST_F(FrontRules, AKeyStopsWhenTheViewGoes) {
    form.DeliverFocus("Command1");
    form.log.clear();
    Deliveries d;
    d.form = &form;
    d.aliveFor = 1;  // the view goes with the focus change
    EXPECT_FALSE(RouteKey(form, "Text1", *ParseKey("a"), d.Fn()));
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(form.log, "+Text1");  // the key itself was not delivered
    Deliveries enter;
    enter.form = &form;
    enter.aliveFor = 1;  // the view goes with the key: no button is pressed after
    form.DeliverFocus("Command1");
    form.log.clear();
    EXPECT_FALSE(RouteKey(form, "Command1", *ParseKey("Enter"), enter.Fn()));
    EXPECT_EQ(enter.count, 1);
    EXPECT_EQ(form.log, "");
}

TEST(FrontTimers, ThePeriodOfATimer) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double interval;
        bool enabled;
        int ms;
    } cases[] = {
        {1.0, true, 1000},  {0.25, true, 250}, {0.0126, true, 13},  // rounded to the nearest
        {0.0124, true, 12}, {0.0004, true, 1},                      // at least a millisecond
        {0.0, true, 0},     {-1.0, true, 0},   {nan, true, 0},     {1.0, false, 0},
    };
    for (const Case& c : cases) {
        Control timer("Timer1", ControlKind::Timer);
        timer.Interval = c.interval;
        timer.Enabled = c.enabled;
        EXPECT_EQ(TimerPeriodMs(timer), c.ms) << c.interval << (c.enabled ? "" : " disabled");
    }
}

TEST(FrontPlacement, TwipsBecomePixelsAtTheScreensResolution) {
    struct Case {
        int twips;
        double dpi;
        int pixels;
    } cases[] = {
        {1440, 96, 96}, {1440, 120, 120}, {15, 96, 1},   {7, 96, 0},      {8, 96, 1},
        {-8, 96, -1},   {0, 144, 0},      {300, 96, 20}, {2835, 96, 189}, {2835, 144, 284},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(120), 12.0);
}

TEST(FrontPlacement, AWindowStandsInFromTheBottomRightCorner) {
    struct Case {
        ScreenRect area;
        int width, height, dx, dy;
        double dpi;
        int x, y;
    } cases[] = {
        {{0, 0, 1920, 1080}, 300, 200, 0, 0, 96, 1620, 880},
        {{0, 0, 1920, 1080}, 300, 200, 1440, 720, 96, 1524, 832},
        {{0, 0, 1920, 1080}, 300, 200, 1440, 720, 144, 1476, 808},
        {{1920, 40, 1280, 1024}, 400, 300, 150, 300, 96, 2790, 744},  // a second screen
        {{0, 0, 800, 600}, 300, 200, -1440, 0, 96, 596, 400},         // a negative offset: outward
        // Larger than the work area: the top-left corner and the title bar stay inside.
        {{0, 0, 1920, 1040}, 1000, 1200, 0, 0, 144, 920, 0},
        {{0, 0, 1920, 1040}, 2678, 900, 0, 0, 144, 0, 140},
        {{0, 40, 1280, 984}, 1400, 1100, 300, 300, 96, 0, 40},     // a taskbar at the top
        {{1920, 0, 1280, 1024}, 1300, 500, 0, 0, 96, 1920, 524},   // on the second screen
        {{-1280, 0, 1280, 1024}, 500, 1100, 150, 0, 96, -510, 0},  // left of the main one
        // Placed so far in that the corner would leave at the top-left.
        {{0, 0, 800, 600}, 300, 200, 14400, 14400, 96, 0, 0},
        // So far outward that the corner would leave at the bottom-right: its last pixel.
        {{0, 0, 800, 600}, 300, 200, -14400, -14400, 96, 799, 599},
        {{100, 50, 800, 600}, 300, 200, -14400, 0, 96, 899, 450},
    };
    for (const Case& c : cases) {
        const ScreenPoint at =
            BottomRightPlacement(c.area, c.width, c.height, c.dx, c.dy, c.dpi, c.dpi);
        EXPECT_EQ(at.x, c.x) << c.dx << "," << c.dy << " at " << c.dpi;
        EXPECT_EQ(at.y, c.y) << c.dx << "," << c.dy << " at " << c.dpi;
    }
}

TEST(FrontPlacement, TheCornerStaysInTheWorkAreaWhileTheOffsetsCountFromTheScreen) {
    struct Case {
        ScreenRect work;
        int width, height;
        int x, y;
    } cases[] = {
        {{0, 0, 1920, 1040}, 300, 200, 1620, 880},   // fits: the screen's corner rules
        {{0, 40, 1920, 1040}, 300, 1070, 1620, 40},  // task bar at the top: below it
        {{60, 0, 1860, 1080}, 1900, 200, 60, 880},   // task bar at the left: beside it
        {{0, 0, 1920, 1040}, 2000, 1100, 0, 0},      // larger than both
        {{0, 0, 1000, 700}, 300, 200, 999, 699},     // the corner would leave the work area
    };
    const ScreenRect screen{0, 0, 1920, 1080};
    for (const Case& c : cases) {
        const ScreenPoint at =
            BottomRightPlacement(screen, c.width, c.height, 0, 0, 96, 96, c.work);
        EXPECT_EQ(at.x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(at.y, c.y) << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace quillon
