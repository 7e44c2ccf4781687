// quillon-cli drives the launcher like any window: its start-up texts, its check box and its
// exit button.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"

namespace quillon {
namespace {

struct Result {
    int status;
    nlohmann::json json;
    std::string err;
};

Result RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, ".", out, err);
    Result r{status, nullptr, err.str()};
    if (status == 0 && !out.str().empty() && out.str().front() == '{')
        r.json = nlohmann::json::parse(out.str());
    return r;
}

TEST(MenuCli, IsListedWithTheBuiltWindows) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"--list"}, ".", out, err), 0);
    EXPECT_NE(out.str().find("Menu\n"), std::string::npos);
}

struct MenuRow {
    const char* name;
    std::vector<std::string> args;
    std::string ver;
    bool check1;
    bool unloaded;
    int activations;
};
void PrintTo(const MenuRow& row, std::ostream* os) {
    *os << row.name;
}

class MenuThroughCli : public testing::TestWithParam<MenuRow> {};

TEST_P(MenuThroughCli, PrintsTheLauncherState) {
    const MenuRow& row = GetParam();
    const Result r = RunCli(row.args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["window"], "Menu");
    EXPECT_EQ(r.json["caption"], " QUILLON");
    EXPECT_EQ(r.json["texts"]["Ver"], row.ver);
    EXPECT_EQ(r.json["texts"]["Command1"], "終　了");
    EXPECT_EQ(r.json["values"]["Check1"], row.check1);
    EXPECT_EQ(r.json["unloaded"], row.unloaded);
    EXPECT_EQ(r.json["activations"], row.activations);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MenuThroughCli,
    testing::Values(
        MenuRow{"AtStart", {"Menu"}, "Ver.1.40", true, false, 0},
        MenuRow{"UntickedBox", {"Menu", "click:Check1"}, "Ver.1.40", false, false, 0},
        MenuRow{"SeparatorDoesNothing", {"Menu", "click:Toolbar1=13"}, "Ver.1.40", true, false, 0},
        MenuRow{"ExitOnOfficePc", {"Menu", "click:Command1"}, "Ver.1.40", true, true, 0},
        MenuRow{"ExitOnControl",
                {"--on-control", "Menu", "click:Command1"},
                "Ver.1.40",
                true,
                true,
                1}),
    [](const testing::TestParamInfo<MenuRow>& info) { return std::string(info.param.name); });

TEST(MenuCli, AToolbarIndexBeyondTheButtonsIsAUsageError) {
    const Result r = RunCli({"Menu", "click:Toolbar1=18"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Toolbar1"), std::string::npos);
}

}  // namespace
}  // namespace quillon
