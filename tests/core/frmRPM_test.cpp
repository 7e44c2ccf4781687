// frmRPM at model level: the Enter chain recomputing on every leave, the kept values, clearing
// and copying, tab order and the window's placement.
#include "machining/frmRPM.h"
#include "driven_window.h"

namespace quillon::testkit {
namespace {

frmRPM& Rpm(DrivenWindow& w) {
    return static_cast<frmRPM&>(*w.form);
}

// Enter walks Text1 -> Text2 -> Text3 -> Text1, and each field left recomputes.
TEST(RpmChain, EnterRecomputesOnEveryLeave) {
    DrivenWindow w("frmRPM");
    ASSERT_EQ(w.form->Focus(), "Text1");
    w.Type("Text1", "100");
    w.Press("Enter");  // leaves V: only V is filled, nothing happens
    EXPECT_EQ(w.form->Focus(), "Text2");
    EXPECT_EQ(w.Text("Text3"), "");

    w.Type("Text2", "50");
    w.Press("Enter");  // leaves D: V and D give N
    EXPECT_EQ(w.form->Focus(), "Text3");
    EXPECT_EQ(w.Text("Text3"), "636");
    EXPECT_EQ(Rpm(w).N(), 636);

    w.Type("Text3", "1000");
    w.Press("Enter");  // leaves N: D and N give V
    EXPECT_EQ(w.form->Focus(), "Text1");
    EXPECT_EQ(w.Text("Text1"), "157");
    EXPECT_EQ(Rpm(w).V(), 157);

    w.Type("Text1", "200");
    w.Press("Enter");  // leaves V with all filled: N again
    EXPECT_EQ(w.form->Focus(), "Text2");
    EXPECT_EQ(w.Text("Text3"), "1273");  // Int(200000 / Pi / 50) = Int(1273.2...)

    w.Type("Text2", "");
    w.Press("Enter");  // leaves D, now empty: neither rule of D matches
    EXPECT_EQ(w.form->Focus(), "Text3");
    EXPECT_EQ(w.Text("Text2"), "");

    w.Press("Enter");  // leaves N: V and N give D
    EXPECT_EQ(w.form->Focus(), "Text1");
    EXPECT_EQ(w.Text("Text2"), "50.009");  // 200000 / Pi / 1273, not truncated
    EXPECT_EQ(Rpm(w).D(), 50.009);         // the kept value is the rounded one
}

// Other keys pass unchanged into the field; only Enter moves on.
TEST(RpmChain, OtherKeysAreTyped) {
    DrivenWindow w("frmRPM");
    for (const char* k : {"1", "2", "a", "."}) w.Press(k);
    EXPECT_EQ(w.Text("Text1"), "12a.");
    EXPECT_EQ(w.form->Focus(), "Text1");
}

TEST(RpmClear, EmptiesTheFieldsKeepsTheValuesThenCopiesZero) {
    DrivenWindow w("frmRPM");
    w.Type("Text1", "100");
    w.Type("Text2", "50");
    w.Focus("Text2");
    w.Click("Command2");  // leaving D computes N first, then the fields are cleared
    EXPECT_EQ(w.Text("Text1"), "");
    EXPECT_EQ(w.Text("Text2"), "");
    EXPECT_EQ(w.Text("Text3"), "");
    EXPECT_EQ(w.form->Focus(), "Text1");
    EXPECT_EQ(Rpm(w).V(), 100);
    EXPECT_EQ(Rpm(w).D(), 50);
    EXPECT_EQ(Rpm(w).N(), 636);

    // The copy reads the field, not the kept value.
    w.Click("Command4");
    EXPECT_EQ(w.host.clipboard, "S0");
    w.Type("Text1", "1265");
    w.Click("Command3");
    EXPECT_EQ(w.host.clipboard, "S1260");
    EXPECT_EQ(w.host.clipboardClears, 2);
}

TEST(RpmFault, DivisionByZeroChangesNothing) {
    DrivenWindow w("frmRPM");
    w.Type("Text1", "100");
    w.Type("Text2", "0");
    w.Type("Text3", "77");
    w.Leave("Text2");
    EXPECT_EQ(w.Text("Text3"), "77");
    EXPECT_EQ(Rpm(w).N(), 0);  // nothing computed is kept
}

TEST(RpmWindow, TabOrder) {
    DrivenWindow w("frmRPM");
    const char* order[] = {"Text2",    "Text3",    "Command3", "Command4",
                           "Command2", "Command1", "Text1"};
    for (const char* next : order) {
        w.Press("Tab");
        EXPECT_EQ(w.form->Focus(), next);
    }
}

TEST(RpmWindow, TooltipsOfTheFields) {
    DrivenWindow w("frmRPM");
    EXPECT_EQ(w["Text1"].ToolTip, "mm/min");
    EXPECT_EQ(w["Text2"].ToolTip, "mm");
    EXPECT_EQ(w["Text3"].ToolTip, "min-1");
    EXPECT_EQ(w["Command3"].Parent, "Frame1");
    EXPECT_EQ(w["Command4"].Parent, "Frame1");
}

TEST(RpmWindow, PlacedAndTopmostAtEveryActivation) {
    DrivenWindow w("frmRPM");
    EXPECT_EQ(w.host.placements, (std::vector<std::pair<int, int>>{{2800, 2000}}));
    w.form->Activate();
    w.form->Activate();
    EXPECT_EQ(w.host.topmostCalls,
              (std::vector<std::pair<std::string, bool>>(3, {"frmRPM", true})));
    EXPECT_FALSE(w.form->Has("Check1"));
}

TEST(RpmWindow, CloseActivatesTheControl) {
    DrivenWindow w("frmRPM", true);
    w.Click("Command1");
    EXPECT_TRUE(w.form->Unloaded());
    EXPECT_EQ(w.host.activations, (std::vector<std::string>{"OSP-P100 HMI"}));
}

}  // namespace
}  // namespace quillon::testkit
