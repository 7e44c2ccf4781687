// Where quillon-cli looks for the machine table on Linux: beside the program, else in the
// user's configuration folder, else the installed sample beside the program's folder
// (../share/quillon); --program-folder names the one folder to use. The program is copied into
// a folder laid out as an installation, and XDG_CONFIG_HOME points into the test's folder.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "support/process.h"
#include "support/temp_dir.h"

namespace quillon::testkit {
namespace {

// Sets an environment variable for the life of the object, then restores it.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~EnvironmentVariable() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

enum Place { kBeside = 1, kUserConfig = 2, kInstalled = 4 };

struct Row {
    const char* name;
    int present;            // the places that hold a table
    bool xdgSet;            // XDG_CONFIG_HOME set (else HOME/.config is the user's folder)
    bool programFolderArg;  // --program-folder names the program's folder
    std::vector<std::string> machines;
};

const Row kRows[] = {
    {"BesideTheProgramFirst", kBeside | kUserConfig | kInstalled, true, false, {"beside"}},
    {"ThenTheUsersOwn", kUserConfig | kInstalled, true, false, {"user"}},
    {"ThenTheInstalledSample", kInstalled, true, false, {"installed"}},
    {"HomeConfigWithoutXdg", kUserConfig | kInstalled, false, false, {"user"}},
    {"NoneAnywhere", 0, true, false, {}},
    {"ProgramFolderArgumentIsTheOneFolder", kUserConfig | kInstalled, true, true, {}},
    {"ProgramFolderArgumentFindsItsTable", kBeside | kUserConfig, true, true, {"beside"}},
};

std::string Table(const std::string& machine) {
    return "h1\r\nh2\r\n" + machine + ",8,100\r\n";
}

class MachineTableLookupCli : public ::testing::TestWithParam<Row> {};

TEST_P(MachineTableLookupCli, FindsTheTableWhereTheUserExpectsIt) {
    const Row& row = GetParam();
    TempDir dir;
    const auto bin = dir / "usr" / "bin";
    const auto config = row.xdgSet ? dir / "config" : dir / "home" / ".config";
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(BuiltProgram(QUILLON_CLI_EXE), bin / "quillon-cli");
    if (row.present & kBeside) WriteBytes(bin / "Machine.CSV", Table("beside"));
    if (row.present & kUserConfig) WriteBytes(config / "quillon" / "Machine.CSV", Table("user"));
    if (row.present & kInstalled)
        WriteBytes(dir / "usr" / "share" / "quillon" / "Machine.CSV", Table("installed"));

    EnvironmentVariable xdg("XDG_CONFIG_HOME",
                            row.xdgSet ? std::optional((dir / "config").string()) : std::nullopt);
    EnvironmentVariable home("HOME", (dir / "home").string());
    std::vector<std::string> args{"frmTurret"};
    if (row.programFolderArg) args.insert(args.begin(), {"--program-folder", bin.string()});
    const Process p = RunProgram((bin / "quillon-cli").string(), args);
    ASSERT_EQ(p.status, 0) << p.err;
    const nlohmann::json j = nlohmann::json::parse(p.out);
    EXPECT_EQ(j["lists"]["Machine"], nlohmann::json(row.machines));
    // A missing table is reported in the drawing, naming the file as the window always did.
    const bool reported =
        j["pictures"].dump().find("機械データの'Machine.csv'ファイルが開けま") != std::string::npos;
    EXPECT_EQ(reported, row.machines.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, MachineTableLookupCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::testkit
#endif
