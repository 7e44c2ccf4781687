// Steps written as text: the parser that quillon-cli and the screenshot programs share, and
// the steps file of the screenshot programs.
#include "app/steps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(Steps, ParseWhatTheStepSays) {
    const Step set = ParseStep("set:Text1=0.8");
    ASSERT_TRUE(std::holds_alternative<SetStep>(set));
    EXPECT_EQ(std::get<SetStep>(set).name, "Text1");
    EXPECT_EQ(std::get<SetStep>(set).text, "0.8");
    EXPECT_EQ(std::get<SetStep>(ParseStep("set:Text1=a=b")).text, "a=b");
    EXPECT_EQ(std::get<SetStep>(ParseStep("set:Text1=")).text, "");

    const Step pick = ParseStep("click:List1=2");
    ASSERT_TRUE(std::holds_alternative<ClickStep>(pick));
    EXPECT_EQ(std::get<ClickStep>(pick).index, 2);
    EXPECT_FALSE(std::get<ClickStep>(ParseStep("click:Command1")).index.has_value());

    const Step select = ParseStep("select:Text1=1,3");
    ASSERT_TRUE(std::holds_alternative<SelectStep>(select));
    EXPECT_EQ(std::get<SelectStep>(select).start, 1);
    EXPECT_EQ(std::get<SelectStep>(select).length, 3);

    const Step mouse = ParseStep("mouse:Picture1=+1.5,-2");
    ASSERT_TRUE(std::holds_alternative<MouseStep>(mouse));
    EXPECT_EQ(std::get<MouseStep>(mouse).x, 1.5);
    EXPECT_EQ(std::get<MouseStep>(mouse).y, -2);
    EXPECT_EQ(std::get<MouseStep>(ParseStep("mouse:Form")).name, "Form");

    EXPECT_EQ(std::get<KeyStep>(ParseStep("key:Enter")).key.keyCode, keys::Enter);
    EXPECT_EQ(std::get<ClockStep>(ParseStep("clock:2.5")).seconds, 2.5);
    EXPECT_EQ(std::get<FocusStep>(ParseStep("focus:Text2")).name, "Text2");
    EXPECT_EQ(std::get<LeaveStep>(ParseStep("leave:Text2")).name, "Text2");
    EXPECT_EQ(std::get<TickStep>(ParseStep("tick:Timer1")).name, "Timer1");
    EXPECT_TRUE(std::holds_alternative<PaintStep>(ParseStep("paint")));
}

TEST(Steps, AMalformedStepSaysWhy) {
    const struct {
        const char* step;
        const char* why;
    } cases[] = {
        {"nothing", "malformed step 'nothing': expected KIND:ARGUMENT or paint"},
        {"set:=1", "malformed step 'set:=1': a control name is needed"},
        {"set:Text1", "malformed step 'set:Text1': expected NAME=VALUE"},
        {"focus:", "malformed step 'focus:': a control name is needed"},
        {"focus:Text1=2", "malformed step 'focus:Text1=2': takes a control name only"},
        {"click:List1=x", "malformed step 'click:List1=x': 'x' is not a whole number"},
        {"select:Text1=1", "malformed step 'select:Text1=1': expected NAME=START,LENGTH"},
        {"mouse:Picture1=1", "malformed step 'mouse:Picture1=1': expected NAME=X,Y"},
        {"clock:inf", "malformed step 'clock:inf': 'inf' is not a number"},
        {"bogus:x", "malformed step 'bogus:x': unknown step kind 'bogus'"},
    };
    for (const auto& c : cases) {
        try {
            ParseStep(c.step);
            ADD_FAILURE() << c.step << " parsed";
        } catch (const UsageError& e) {
            EXPECT_EQ(std::string(e.what()), c.why);
        }
    }
    EXPECT_THROW(ParseStep("key:Ctrl"), UsageError);
}

TEST(Steps, AStepsFileHasASectionPerWindow) {
    std::istringstream in(
        "# the launcher first\n"
        "key:Enter\n"  // before any section: the section without a name
        "[frmNoseR]\r\n"
        "  set:Text1=0.8  \r\n"
        "\n"
        "\t# a comment, indented\n"
        "click:Command1\n"
        "bogus:1\n"
        "[frmRPM]\n"
        "set:Text1=\n"
        "[frmNoseR]\n"
        "key:Esc\n");
    std::vector<std::pair<int, std::string>> malformed;
    const StepsByWindow steps =
        ReadSteps(in, [&](int line, const std::string& why) { malformed.emplace_back(line, why); });
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(StepsOf(steps, "").size(), 1u);
    const std::vector<Step>& nose = StepsOf(steps, "frmNoseR");
    ASSERT_EQ(nose.size(), 3u);  // a section named again goes on
    ASSERT_TRUE(std::holds_alternative<SetStep>(nose[0]));
    EXPECT_EQ(std::get<SetStep>(nose[0]).text, "0.8");  // without the blanks around the line
    EXPECT_TRUE(std::holds_alternative<ClickStep>(nose[1]));
    EXPECT_EQ(std::get<KeyStep>(nose[2]).key.keyCode, keys::Esc);
    ASSERT_EQ(StepsOf(steps, "frmRPM").size(), 1u);
    EXPECT_EQ(std::get<SetStep>(StepsOf(steps, "frmRPM")[0]).text, "");
    EXPECT_TRUE(StepsOf(steps, "frmCalc").empty());
    ASSERT_EQ(malformed.size(), 1u);
    EXPECT_EQ(malformed[0].first, 8);
    EXPECT_EQ(malformed[0].second, "malformed step 'bogus:1': unknown step kind 'bogus'");
}

TEST(Steps, AStepsFileThatCannotBeReadIsReported) {
    testkit::TempDir dir;
    std::ostringstream err;
    EXPECT_FALSE(ReadStepsFile(dir / "none.steps", "shots", err).has_value());
    EXPECT_EQ(err.str(), "shots: cannot read " + (dir / "none.steps").string() + "\n");

    const auto file = dir / "two.steps";
    { std::ofstream(file) << "[frmRPM]\nset:Text1=100\nclick:\n"; }
    std::ostringstream err2;
    const auto steps = ReadStepsFile(file, "shots", err2);
    ASSERT_TRUE(steps.has_value());
    EXPECT_EQ(StepsOf(*steps, "frmRPM").size(), 1u);
    EXPECT_EQ(err2.str(), "shots: " + file.string() +
                              ":3: malformed step 'click:': a control name is needed\n");
}

}  // namespace
}  // namespace quillon
