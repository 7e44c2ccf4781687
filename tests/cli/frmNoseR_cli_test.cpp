#include <gtest/gtest.h>

#include "support/cli_json.h"

namespace quillon {
namespace {

using testkit::RunCli;
using testkit::Texts;

struct NoseRow {
    const char* name;
    const char* rn;
    const char* angle;
    const char* x;
    const char* z;
    const char* z2;
};

class NoseRCompensation : public testing::TestWithParam<NoseRow> {};

TEST_P(NoseRCompensation, LeavingEitherFieldComputesTheThreeShifts) {
    const NoseRow& row = GetParam();
    for (const char* left : {"leave:Text1", "leave:Text2"}) {
        const auto t = Texts(RunCli({"frmNoseR", std::string("set:Text1=") + row.rn,
                                     std::string("set:Text2=") + row.angle, left}));
        EXPECT_EQ(t["Text3"], row.x) << left;
        EXPECT_EQ(t["Text4"], row.z) << left;
        EXPECT_EQ(t["Text5"], row.z2) << left;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoseRCompensation,
    testing::Values(NoseRow{"Thirty", "0.8", "30", "0.676", "0.586", "1.014"},
                    NoseRow{"FortyFive", "0.4", "45", "0.469", "0.234", "0.566"},
                    NoseRow{"Flat", "0.8", "0", "0", "0.8", "0.8"},
                    NoseRow{"Descending", "1.2", "-30", "-1.757", "1.522", "0.878"},
                    NoseRow{"LenientReading", "0.8mm", " 3 0", "0.676", "0.586", "1.014"},
                    NoseRow{"BlankRadiusReadsZero", " ", "30", "0", "0", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NoseR, NothingHappensWhileAFieldIsEmpty) {
    const auto t = Texts(RunCli({"frmNoseR", "set:Text1=0.8", "leave:Text1"}));
    EXPECT_EQ(t["Text3"], "");
}

TEST(NoseR, AFaultLeavesTheResultsAsTheyWere) {
    // tan(90°) does not overflow in doubles, but an overflowing input must not reach a field.
    const auto t =
        Texts(RunCli({"frmNoseR", "set:Text1=0.8", "set:Text2=30", "leave:Text2", "set:Text1=1e999",
                      "leave:Text1", "set:Text1=1e308", "leave:Text1"}));
    EXPECT_EQ(t["Text3"], "0.676");
    EXPECT_EQ(t["Text4"], "0.586");
    EXPECT_EQ(t["Text5"], "1.014");
}

TEST(NoseR, NoFieldEverShowsInfinityOrNan) {
    for (const char* a : {"90", "270", "1e300", "-1e300", "abc", "-"}) {
        const auto t = Texts(
            RunCli({"frmNoseR", "set:Text1=1e300", std::string("set:Text2=") + a, "leave:Text2"}));
        for (const char* f : {"Text3", "Text4", "Text5"}) {
            const std::string s = t[f];
            EXPECT_EQ(s.find_first_of("naie"), std::string::npos) << a << " " << f << " " << s;
        }
    }
}

TEST(NoseR, CopyButtonsCopyTheBareTexts) {
    for (const auto& [button, text] :
         {std::pair{"Command1", "0.676"}, {"Command3", "0.586"}, {"Command4", "1.014"}}) {
        const auto r = RunCli({"frmNoseR", "set:Text1=0.8", "set:Text2=30", "leave:Text2",
                               std::string("click:") + button});
        EXPECT_EQ(r.json["clipboard"], text) << button;
    }
}

TEST(NoseR, EnterAlternatesBetweenTheInputsAndRecomputesOnEachLeave) {
    auto r =
        RunCli({"frmNoseR", "key:0", "key:.", "key:8", "key:Enter", "key:3", "key:0", "key:Enter"});
    EXPECT_EQ(r.json["focus"], "Text1");
    EXPECT_EQ(Texts(r)["Text3"], "0.676");

    // Changing the radius and pressing Enter recomputes when Text1 is left.
    r = RunCli({"frmNoseR", "set:Text1=0.8", "set:Text2=30", "leave:Text2", "focus:Text1",
                "set:Text1=0.4", "key:Enter"});
    EXPECT_EQ(r.json["focus"], "Text2");
    EXPECT_EQ(Texts(r)["Text4"], "0.293");
}

TEST(NoseR, CloseButtonUnloadsAndActivatesTheControlWindow) {
    const auto r = RunCli({"--on-control", "frmNoseR", "click:Command2"});
    EXPECT_EQ(r.json["unloaded"], true);
    EXPECT_EQ(r.json["activations"], 1);
}

}  // namespace
}  // namespace quillon
