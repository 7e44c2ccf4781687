// quillon-cli driving the registration program on a temporary control root.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "../support/process.h"
#include "../support/temp_dir.h"
#include "cli/runner.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using testkit::CrLf;
using testkit::ReadBytes;
using testkit::TempDir;
using testkit::WriteBytes;

const std::string kPathFile =
    CrLf({"[SuppPath]", "data1=C:\\NC\\nc.exe",
          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
const std::string kCaptionFile =
    CrLf({"[SuppCap]", "data1=NC",
          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});

class OrbaneCli : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(Root() / "V-FKEY" / "LV01.INI", kPathFile);
        WriteBytes(Root() / "V-FKEY" / "JPN" / "LV01.INI", kCaptionFile);
        WriteBytes(Program() / "Quillon.exe", "MZ");
        WriteBytes(Program() / "Calculator.exe", "MZ");
    }
    fs::path Root() const { return dir / "OSP-P"; }
    fs::path Program() const { return dir / "prog"; }

    Json Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = cli::Run(args, "/nowhere", out, err);
        EXPECT_EQ(status, 0) << err.str();
        return Json::parse(out.str());
    }

    TempDir dir;
};

TEST_F(OrbaneCli, ListNamesBothBuilds) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"--list"}, "/nowhere", out, err), 0);
    EXPECT_NE(out.str().find("\nOrbane\n"), std::string::npos);
    EXPECT_NE(out.str().find("\nOrbaneCalculator\n"), std::string::npos);
}

TEST_F(OrbaneCli, StartStateWithoutSteps) {
    const Json j =
        Run({"--control-root", Root().string(), "--program-folder", Program().string(), "Orbane"});
    EXPECT_EQ(j["window"], "Orbane");
    EXPECT_EQ(j["caption"], "縦ファンクションキー設定");
    EXPECT_EQ(j["texts"]["Command1"], "登　録");
    EXPECT_EQ(j["texts"]["Label2"], "現在は未登録です。");
    EXPECT_EQ(j["texts"]["Command2"], "キャンセル");
    EXPECT_EQ(j["unloaded"], false);
    EXPECT_TRUE(j["messages"].empty());
    EXPECT_TRUE(j["pictures"].contains("Image1"));
}

TEST_F(OrbaneCli, ClickRegistersAndReportsInMessages) {
    const Json j = Run({"--control-root", Root().string(), "--program-folder", Program().string(),
                        "Orbane", "click:Command1"});
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["icon"], "warning");
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーにQuillonを登録しました。\n電源を再投入してください。");
    EXPECT_EQ(j["unloaded"], true);
    EXPECT_EQ(
        ReadBytes(Root() / "V-FKEY" / "LV01.INI"),
        CrLf({"[SuppPath]", "data1=C:\\NC\\nc.exe", "data2=" + Program().string() + "\\Quillon.exe",
              "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
    EXPECT_EQ(ReadBytes(Root() / "V-FKEY" / "JPN" / "LV01.INI"),
              CrLf({"[SuppCap]", "data1=NC", "data2=QUILLON",
                    "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));

    // A second run finds the program registered and removes it again.
    const Json again = Run({"--control-root", Root().string(), "--program-folder",
                            Program().string(), "Orbane", "click:Command1"});
    EXPECT_EQ(again["texts"]["Label2"], "現在すでに登録されています。");
    EXPECT_EQ(again["messages"][0]["text"],
              "ファンクションキーからQuillonを削除しました。\n電源を再投入してください。");
    EXPECT_EQ(ReadBytes(Root() / "V-FKEY" / "LV01.INI"), kPathFile);
    EXPECT_EQ(ReadBytes(Root() / "V-FKEY" / "JPN" / "LV01.INI"), kCaptionFile);
}

TEST_F(OrbaneCli, CalculatorBuild) {
    const Json j = Run({"--control-root", Root().string(), "--program-folder", Program().string(),
                        "OrbaneCalculator", "click:Command1"});
    EXPECT_EQ(j["window"], "OrbaneCalculator");
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーに電卓を登録しました。\n電源を再投入してください。");
    EXPECT_EQ(ReadBytes(Root() / "V-FKEY" / "JPN" / "LV01.INI"),
              CrLf({"[SuppCap]", "data1=NC", "data2=\x93\x64\x91\xEC",
                    "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
}

TEST_F(OrbaneCli, MissingControlRootEndsWithTheStartMessage) {
    const Json j = Run({"--control-root", (dir / "none").string(), "--program-folder",
                        Program().string(), "Orbane", "click:Command1"});
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["icon"], "critical");
    EXPECT_EQ(j["messages"][0]["text"],
              "\\V-FKEY\\LV*.INIファイルが見つかりません。\nこのソフトはOSP-P200のみ有効です。");
    EXPECT_EQ(j["unloaded"], true);
}

TEST_F(OrbaneCli, CancelLeavesTheFiles) {
    const Json j = Run({"--control-root", Root().string(), "--program-folder", Program().string(),
                        "Orbane", "click:Command2"});
    EXPECT_EQ(j["unloaded"], true);
    EXPECT_TRUE(j["messages"].empty());
    EXPECT_EQ(ReadBytes(Root() / "V-FKEY" / "LV01.INI"), kPathFile);
}

// The installed program, run as a user runs it.
TEST_F(OrbaneCli, ExecutableEndToEnd) {
    const testkit::Process p =
        testkit::RunCliProgram({"--control-root", Root().string(), "--program-folder",
                                Program().string(), "Orbane", "click:Command1"});
    ASSERT_EQ(p.status, 0) << p.err;
    const Json j = Json::parse(p.out);
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーにQuillonを登録しました。\n電源を再投入してください。");
    EXPECT_EQ(j["unloaded"], true);
    EXPECT_EQ(
        ReadBytes(Root() / "V-FKEY" / "LV01.INI"),
        CrLf({"[SuppPath]", "data1=C:\\NC\\nc.exe", "data2=" + Program().string() + "\\Quillon.exe",
              "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
}

}  // namespace
}  // namespace quillon
