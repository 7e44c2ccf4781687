// The machine table reader: the file as a spreadsheet on a Japanese PC saves it, and the ways a
// hand-edited file differs from that.
#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "machining/machine_table.h"
#include "shell/cp932.h"
#include "shell/disk_files.h"

namespace quillon {
namespace {

using testkit::TempDir;
using testkit::WriteBytes;

// The two header lines every file starts with.
const std::string kHeaders = "機種データ,,\r\n機種名,角数,中心\r\n";

std::string Cp932(const std::string& utf8) {
    return cp932::FromUtf8(utf8).value();
}

struct Row {
    const char* name;
    std::string bytes;
    // Expected records: the leading fields of each (later fields must be empty).
    std::vector<std::vector<std::string>> records;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

// `count` machines "M1,8", "M2,8", ... as lines, and as the records they read.
std::string Lines(int count) {
    std::string s;
    for (int i = 1; i <= count; ++i) s += "M" + std::to_string(i) + ",8\r\n";
    return s;
}
std::vector<std::vector<std::string>> Machines(int count) {
    std::vector<std::vector<std::string>> records;
    for (int i = 1; i <= count; ++i) records.push_back({"M" + std::to_string(i), "8"});
    return records;
}

const Row kRows[] = {
    {"Cp932Names",
     Cp932(kHeaders + "旋盤 V8-210,8,100\r\nﾀｰﾚｯﾄ V12,12,150\r\n"),
     {{"旋盤 V8-210", "8", "100"}, {"ﾀｰﾚｯﾄ V12", "12", "150"}}},
    {"QuotedCommasAndDoubledQuotes",
     kHeaders + "\"V8, long bed\",8,\"1\"\"00\",\"\",x\r\n",
     {{"V8, long bed", "8", "1\"00", "", "x"}}},
    {"QuotedCp932Name",
     Cp932(kHeaders + "\"旋盤 V12-304,心押台付\",12\r\n"),
     {{"旋盤 V12-304,心押台付", "12"}}},
    {"ShortLineLeavesTheRestEmpty",
     kHeaders + "A,8\r\nB,10,120,0,500,25,30,45,25,32,0,40,65,60,20\r\n",
     {{"A", "8"},
      {"B", "10", "120", "0", "500", "25", "30", "45", "25", "32", "0", "40", "65", "60", "20"}}},
    {"FieldsBeyondFifteenIgnored",
     kHeaders + "A,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\nB\r\n",
     {{"A", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"}, {"B"}}},
    {"LfLineEnds", "h1\nh2\nA,8\nB,12\n", {{"A", "8"}, {"B", "12"}}},
    {"LoneCrLineEnds", "h1\rh2\rA,8\rB,12", {{"A", "8"}, {"B", "12"}}},
    {"Utf8WithByteOrderMark",
     "\xEF\xBB\xBF" + kHeaders + "旋盤 V8-210,8\r\n",
     {{"旋盤 V8-210", "8"}}},
    {"Utf8WithoutByteOrderMark", kHeaders + "旋盤 V10,10\n", {{"旋盤 V10", "10"}}},
    {"BlanksAroundUnquotedFieldsDropped", kHeaders + " A , 8 ,\t100\r\n", {{"A", "8", "100"}}},
    {"EmptyLinesHoldNoMachine", kHeaders + "\r\nA,8\r\n\r\n", {{"A", "8"}}},
    {"LineOfEmptyFieldsIsARecord", kHeaders + ",,,\r\n", {{""}}},
    {"UnterminatedQuoteEndsWithTheLine", kHeaders + "\"A,8\r\nB,10\r\n", {{"A,8"}, {"B", "10"}}},
    {"HeadersOnly", kHeaders, {}},
    {"NoSecondHeaderLine", "only one line", {}},
    {"FiftyTwoRecordsReadFiftyOne", kHeaders + Lines(52), Machines(51)},
};

class MachineTableRows : public ::testing::TestWithParam<Row> {};

TEST_P(MachineTableRows, ReadsTheRecords) {
    const Row& row = GetParam();
    const MachineTable table = MachineTable::Parse(row.bytes);
    ASSERT_EQ(table.Records().size(), row.records.size());
    for (size_t r = 0; r < row.records.size(); ++r)
        for (size_t f = 0; f < MachineTable::kFields; ++f) {
            const std::string expected = f < row.records[r].size() ? row.records[r][f] : "";
            EXPECT_EQ(table.Field(r, f), expected) << "record " << r << " field " << f;
        }
    // Cells beyond what was read are empty.
    EXPECT_EQ(table.Field(row.records.size(), 0), "");
    EXPECT_EQ(table.Field(0, MachineTable::kFields), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, MachineTableRows, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MachineTable, FoundWhateverTheCaseOfItsName) {
    TempDir dir;
    DiskFiles disk;
    EXPECT_FALSE(LoadMachineTable(disk, dir.Path()));
    WriteBytes(dir / "machine.csv", kHeaders + "A,8\r\n");
    const auto table = LoadMachineTable(disk, dir.Path());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Field(0, 0), "A");
}

TEST(MachineTable, AFolderOfThatNameIsNoTable) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Machine.CSV");
    DiskFiles disk;
    EXPECT_FALSE(LoadMachineTable(disk, dir.Path()));
}

struct FolderRow {
    const char* name;
    const char* programFolder;
    const char* xdgConfigHome;
    const char* home;
    bool forWindows;
    std::vector<std::string> folders;
};

const FolderRow kFolderRows[] = {
    {"Installed",
     "/usr/bin",
     "/home/u/cfg",
     "/home/u",
     false,
     {"/usr/bin", "/home/u/cfg/quillon", "/usr/share/quillon"}},
    {"NoXdgConfigHome",
     "/usr/bin",
     nullptr,
     "/home/u",
     false,
     {"/usr/bin", "/home/u/.config/quillon", "/usr/share/quillon"}},
    {"EmptyXdgConfigHome",
     "/usr/bin",
     "",
     "/home/u",
     false,
     {"/usr/bin", "/home/u/.config/quillon", "/usr/share/quillon"}},
    {"RelativeXdgConfigHomeIsIgnored",
     "/usr/bin",
     "cfg",
     "/home/u",
     false,
     {"/usr/bin", "/home/u/.config/quillon", "/usr/share/quillon"}},
    {"NeitherSet", "/usr/bin", nullptr, nullptr, false, {"/usr/bin", "/usr/share/quillon"}},
    {"UnderAPrefix",
     "/opt/q/bin/",
     nullptr,
     "/root",
     false,
     {"/opt/q/bin/", "/root/.config/quillon", "/opt/q/share/quillon"}},
    {"BuildFolder",
     "/src/build/default/src/qt",
     "/x",
     nullptr,
     false,
     {"/src/build/default/src/qt", "/x/quillon", "/src/build/default/src/share/quillon"}},
    {"WindowsKeepsTheProgramFolderOnly",
     "C:/OSP-P/USERS/Quillon",
     "/home/u/cfg",
     "/home/u",
     true,
     {"C:/OSP-P/USERS/Quillon"}},
};

class MachineTableFolderRows : public ::testing::TestWithParam<FolderRow> {};

TEST_P(MachineTableFolderRows, LooksBesideTheProgramThenTheUsersThenTheInstalledSample) {
    const FolderRow& row = GetParam();
    const auto folders =
        MachineTableFolders(row.programFolder, row.xdgConfigHome, row.home, row.forWindows);
    std::vector<std::string> texts;
    for (const auto& f : folders) texts.push_back(f.generic_string());
    EXPECT_EQ(texts, row.folders);
}

INSTANTIATE_TEST_SUITE_P(Rows, MachineTableFolderRows, ::testing::ValuesIn(kFolderRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Which of three folders holds a table (as a bit each) and which table is read.
struct LookupRow {
    const char* name;
    int present;
    const char* expected;  // the first machine's name; null: no table
};

const LookupRow kLookupRows[] = {
    {"AllThree", 0b111, "Program"},
    {"UserAndSample", 0b110, "User"},
    {"SampleOnly", 0b100, "Sample"},
    {"ProgramAndSample", 0b101, "Program"},
    {"None", 0, nullptr},
};

class MachineTableLookup : public ::testing::TestWithParam<LookupRow> {};

TEST_P(MachineTableLookup, TheFirstFolderHoldingATableWins) {
    const LookupRow& row = GetParam();
    TempDir dir;
    const std::vector<std::filesystem::path> folders{dir / "program", dir / "user", dir / "sample"};
    const char* names[] = {"Program", "User", "Sample"};
    for (int i = 0; i < 3; ++i) {
        std::filesystem::create_directories(folders[static_cast<size_t>(i)]);
        if (row.present & (1 << i))
            WriteBytes(folders[static_cast<size_t>(i)] / (i == 1 ? "machine.csv" : "Machine.CSV"),
                       kHeaders + names[i] + ",8\r\n");
    }
    DiskFiles disk;
    const auto table = LoadMachineTable(disk, folders);
    if (!row.expected) {
        EXPECT_FALSE(table);
        return;
    }
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Field(0, 0), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, MachineTableLookup, ::testing::ValuesIn(kLookupRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MachineTable, AFolderOfThatNameDoesNotHideTheNextTable) {
    TempDir dir;
    std::filesystem::create_directories(dir / "program" / "Machine.CSV");
    WriteBytes(dir / "user" / "Machine.CSV", kHeaders + "User,8\r\n");
    DiskFiles disk;
    const auto table = LoadMachineTable(disk, {dir / "program", dir / "user"});
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Field(0, 0), "User");
}

}  // namespace
}  // namespace quillon
