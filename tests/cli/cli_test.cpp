// The command-line front as users script it: exit status, standard error, and the JSON.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "shell/native_path.h"
#include "support/cli_json.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testkit::Process;
using testkit::RunCli;
using testkit::Texts;

// Runs the real binary, so the exit status and the streams are checked as a script sees them;
// the arguments are the words of `args`.
Process RunBinary(const std::string& args) {
    std::vector<std::string> words;
    std::istringstream in(args);
    for (std::string w; in >> w;) words.push_back(w);
    return testkit::RunCliProgram(words);
}

struct BadUsageRow {
    const char* name;
    const char* args;
    const char* mentions;  // what the one-line error names
};

class BadUsage : public testing::TestWithParam<BadUsageRow> {};

TEST_P(BadUsage, ExitsTwoWithOneLineAndNoJson) {
    const Process p = RunBinary(GetParam().args);
    EXPECT_EQ(p.status, 2);
    EXPECT_EQ(p.out, "");
    ASSERT_FALSE(p.err.empty());
    EXPECT_EQ(p.err.find('\n'), p.err.size() - 1) << p.err;
    EXPECT_NE(p.err.find(GetParam().mentions), std::string::npos) << p.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadUsage,
    testing::Values(BadUsageRow{"UnknownWindow", "frmNope", "frmNope"},
                    BadUsageRow{"UnknownControl", "frmNoseR set:Text99=1", "Text99"},
                    BadUsageRow{"NoWindow", "", "no window"},
                    BadUsageRow{"UnknownStepKind", "frmNoseR push:Text1", "push"},
                    BadUsageRow{"SetWithoutValue", "frmNoseR set:Text1", "NAME=VALUE"},
                    BadUsageRow{"BadKey", "frmNoseR key:Home", "key"},
                    BadUsageRow{"BadMouse", "frmNoseR mouse:Picture1=1", "X,Y"},
                    BadUsageRow{"NotANumber", "frmNoseR clock:soon", "soon"},
                    BadUsageRow{"TypeIntoALabel", "frmNoseR set:Label1=x", "Label1"},
                    BadUsageRow{"PickOnAButton", "frmNoseR click:Command1=2", "Command1"},
                    BadUsageRow{"TickOnAField", "frmNoseR tick:Text1", "timer"},
                    BadUsageRow{"UnknownOption", "--verbose frmNoseR", "--verbose"},
                    BadUsageRow{"ControlRootWithoutFolder", "--control-root", "folder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, BadUsageLaterInTheStepsStillPrintsNoJson) {
    const Process p = RunBinary("frmNoseR set:Text1=0.8 set:Text2=30 leave:Text2 click:Nope");
    EXPECT_EQ(p.status, 2);
    EXPECT_EQ(p.out, "");
}

TEST(Cli, ListsTheBuiltWindows) {
    const Process p = RunBinary("--list");
    EXPECT_EQ(p.status, 0);
    EXPECT_NE(p.out.find("frmNoseR\n"), std::string::npos);
}

TEST(Cli, PrintsTheWholeStateAfterTheSteps) {
    const auto r =
        RunCli({"frmNoseR", "set:Text1=0.8", "set:Text2=30", "leave:Text2", "click:Command1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto& j = r.json;
    EXPECT_EQ(j["window"], "frmNoseR");
    EXPECT_EQ(j["caption"], " テーパーのノーズＲ補正");
    EXPECT_EQ(j["texts"]["Text3"], "0.676");
    EXPECT_EQ(j["texts"]["Frame1"], "コピー");
    EXPECT_EQ(j["clipboard"], "0.676");
    EXPECT_EQ(j["activations"], 0);
    EXPECT_EQ(j["focus"], "Command1");
    EXPECT_EQ(j["unloaded"], false);
    EXPECT_EQ(j["locked"], nlohmann::json::array({"Text3", "Text4", "Text5"}));
    EXPECT_TRUE(j["messages"].empty());
    EXPECT_TRUE(j["pictures"].contains("Picture1"));
    EXPECT_TRUE(j["pictures"]["Picture1"][0]["op"] == "scale");
}

TEST(Cli, ClipboardIsNullUntilSomethingIsCopied) {
    const auto r = RunCli({"frmNoseR"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.json["clipboard"].is_null());
    EXPECT_EQ(r.json["focus"], "Text1");  // the window's own focus event
}

TEST(Cli, OnControlCountsActivationsOfTheControlWindow) {
    const auto r = RunCli({"--on-control", "frmNoseR", "set:Text1=0.8", "set:Text2=30",
                           "leave:Text1", "click:Command3", "click:Command4"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.json["clipboard"], "1.014");
    EXPECT_EQ(r.json["activations"], 2);
}

TEST(Cli, ControlRootMarkerFileSetsOnControlOnlyWhenItIsAnOrdinaryFile) {
    const testkit::TempDir dir;
    const std::string root = PathToUtf8(dir.Path());
    std::filesystem::create_directories(dir / "OSPMNGCD.CNC");  // a folder does not count
    auto r = RunCli({"--control-root", root, "frmNoseR", "set:Text1=1", "set:Text2=1",
                     "leave:Text1", "click:Command1"});
    EXPECT_EQ(r.json["activations"], 0);

    std::filesystem::remove_all(dir / "OSPMNGCD.CNC");
    testkit::WriteBytes(dir / "OSPMNGCD.CNC", "");
    r = RunCli({"--control-root", root, "frmNoseR", "set:Text1=1", "set:Text2=1", "leave:Text1",
                "click:Command1"});
    EXPECT_EQ(r.json["activations"], 1);
}

TEST(Cli, CloseButtonUnloadsAndLaterStepsAreSkipped) {
    const auto r =
        RunCli({"--on-control", "frmNoseR", "set:Text1=5", "click:Command2", "set:Text1=6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["unloaded"], true);
    EXPECT_EQ(r.json["texts"]["Text1"], "5");
    EXPECT_EQ(r.json["activations"], 1);
}

TEST(Cli, KeysTypeIntoTheFocusedFieldAndEnterFollowsTheChain) {
    const auto r = RunCli({"frmNoseR", "key:0", "key:.", "key:8", "key:Enter", "key:3", "key:0",
                           "key:Backspace", "key:5", "key:Enter"});
    const auto t = Texts(r);
    EXPECT_EQ(t["Text1"], "0.8");
    EXPECT_EQ(t["Text2"], "35");
    EXPECT_EQ(r.json["focus"], "Text1");
}

TEST(Cli, SelectionIsReplacedByTypedCharacters) {
    const auto r = RunCli({"frmNoseR", "set:Text1=12.5", "select:Text1=1,1", "key:9"});
    EXPECT_EQ(Texts(r)["Text1"], "19.5");
}

TEST(Cli, SetToEmptyEmptiesTheField) {
    const auto r = RunCli({"frmNoseR", "set:Text1=5", "set:Text1="});
    EXPECT_EQ(Texts(r)["Text1"], "");
}

}  // namespace
}  // namespace quillon
