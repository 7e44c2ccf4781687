// The function-key file editor: registered test, registering and removing, worked cases.
#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "fkeyreg/fkey_file.h"

namespace quillon::fkeyreg {
namespace {

using quillon::testkit::CrLf;

constexpr const char* kPath = "[SuppPath]";
constexpr const char* kCap = "[SuppCap]";
constexpr const char* kValue = "C:\\Tools\\Quillon.exe";

// A path file: other sections around a [SuppPath] section with the given eight entries.
std::string PathFile(std::initializer_list<std::string_view> entries, bool finalBreak = true) {
    std::string out = CrLf({"[Setting]", "Count=8", "", kPath});
    out += CrLf(entries, finalBreak);
    return out;
}

struct EditRow {
    const char* name;
    bool registering;
    const char* header;
    std::string before;
    std::string value;  // registering: the value written; removing: the search key
    Outcome outcome;
    int entry;
    std::string after;  // the whole file afterwards
};

void PrintTo(const EditRow& row, std::ostream* os) {
    *os << row.name;
}

class EditRows : public ::testing::TestWithParam<EditRow> {};

TEST_P(EditRows, ChangesExactlyTheEntry) {
    const EditRow& row = GetParam();
    const Edit edit = row.registering ? Register(row.before, row.header, row.value)
                                      : Remove(row.before, row.header, row.value);
    EXPECT_EQ(edit.outcome, row.outcome);
    EXPECT_EQ(edit.entry, row.entry);
    EXPECT_EQ(edit.bytes, row.after);
    if (!edit.Changed()) {
        EXPECT_EQ(edit.bytes, row.before) << "an unchanged file is the file as read";
    }
}

const std::string kTaken8 = PathFile(
    {"data1=C:\\A\\a.exe", "data2=C:\\B\\b.exe", "data3=C:\\C\\c.exe", "data4=C:\\D\\d.exe",
     "data5=C:\\E\\e.exe", "data6=C:\\F\\f.exe", "data7=C:\\G\\g.exe", "data8=C:\\H\\h.exe"});

INSTANTIATE_TEST_SUITE_P(
    Register, EditRows,
    ::testing::Values(
        EditRow{"Entry1TakenEntry2WrittenOnly", true, kPath,
                PathFile({"data1=C:\\A\\a.exe",
                          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                kValue, Outcome::Changed, 2,
                PathFile({"data1=C:\\A\\a.exe", "data2=C:\\Tools\\Quillon.exe",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"OneCharacterValueIsTaken", true, kPath,
                PathFile({"data1=x",
                          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                kValue, Outcome::Changed, 2,
                PathFile({"data1=x", "data2=C:\\Tools\\Quillon.exe",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"AllTakenLeavesFileAsRead", true, kPath, kTaken8, kValue, Outcome::NoFreeEntry, 0,
                kTaken8},
        EditRow{"EntriesOfAnotherSectionBeforeTheHeaderAreIgnored", true, kCap,
                CrLf({"[SuppPath]", "data1=", "data2=", "[SuppCap]", "data1=NC",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                "QUILLON", Outcome::Changed, 2,
                CrLf({"[SuppPath]", "data1=", "data2=", "[SuppCap]", "data1=NC", "data2=QUILLON",
                      "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"EntriesOutOfOrderAreFoundByName", true, kPath,
                CrLf({kPath, "data2=", "data1=C:\\A\\a.exe",
                      "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                kValue, Outcome::Changed, 2,
                CrLf({kPath, "data2=C:\\Tools\\Quillon.exe", "data1=C:\\A\\a.exe",
                      "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        // 電 is 0x93 'd': the comment reads "電ata1=", which holds no "data1".
        EditRow{
            "DataInsideDoubleByteCharacterIsNoEntry", true, kPath,
            CrLf({kPath,
                  ";\x93"
                  "ata1=",
                  "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
            kValue, Outcome::Changed, 1,
            CrLf({kPath,
                  ";\x93"
                  "ata1=",
                  "data1=C:\\Tools\\Quillon.exe",
                  "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        // ゼ is 0x83 '[': "ゼSuppPath]" is no header.
        EditRow{"HeaderInsideDoubleByteCharacterIsNoHeader", true, kPath,
                CrLf({"[Old]", "\x83[SuppPath]", "data1=", "data2=", "data3=", "data4=", "data5=",
                      "data6=", "data7=", "data8=", kPath, "data1=C:\\A\\a.exe",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                kValue, Outcome::Changed, 2,
                CrLf({"[Old]", "\x83[SuppPath]", "data1=", "data2=", "data3=", "data4=", "data5=",
                      "data6=", "data7=", "data8=", kPath, "data1=C:\\A\\a.exe",
                      "data2=C:\\Tools\\Quillon.exe",
                      "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"MissingFinalLineBreakIsNotAdded", true, kPath,
                PathFile({"data1=C:\\A\\a.exe", "data2=", "data3=", "data4=", "data5=", "data6=",
                          "data7=", "data8=C:\\H\\h.exe"},
                         false),
                kValue, Outcome::Changed, 2,
                PathFile({"data1=C:\\A\\a.exe", "data2=C:\\Tools\\Quillon.exe",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8=C:\\H\\h.exe"},
                         false)},
        EditRow{"CaptionDenTakuWrittenAsCp932", true, kCap,
                CrLf({kCap, "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                      "data8="}),
                "電卓", Outcome::Changed, 1,
                CrLf({kCap, "data1=\x93\x64\x91\xEC",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"JapaneseFolderWrittenAsCp932", true, kPath,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8="}),
                "D:\\工具\\Quillon.exe", Outcome::Changed, 1,
                PathFile({"data1=D:\\\x8D\x48\x8B\xEF\\Quillon.exe",
                          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"FolderWithoutCp932FormIsNotWritten", true, kPath,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8="}),
                "D:\\caf\xC3\xA9\\Quillon.exe", Outcome::Unencodable, 1,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8="})},
        EditRow{
            "NoHeaderIsMalformed", true, kPath,
            CrLf({"[Supp]",
                  "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
            kValue, Outcome::NoHeader, 0,
            CrLf({"[Supp]",
                  "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{
            "HeaderIsCaseSensitive", true, kPath,
            CrLf({"[supppath]",
                  "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
            kValue, Outcome::NoHeader, 0,
            CrLf({"[supppath]",
                  "data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"MissingLaterEntryIsMalformedEvenWithAFreeOne", true, kPath,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data6=", "data7=", "data8="}),
                kValue, Outcome::MissingEntry, 5,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data6=", "data7=", "data8="})},
        EditRow{"FreeEntryWithoutLineBreakIsMalformed", true, kPath,
                PathFile({"data1=a.exe", "data2=b.exe", "data3=c.exe", "data4=d.exe", "data5=e.exe",
                          "data6=f.exe", "data7=g.exe", "data8="},
                         false),
                kValue, Outcome::EntryNotEnded, 8,
                PathFile({"data1=a.exe", "data2=b.exe", "data3=c.exe", "data4=d.exe", "data5=e.exe",
                          "data6=f.exe", "data7=g.exe", "data8="},
                         false)},
        EditRow{"FreeEntryWithoutEqualsIsMalformed", true, kPath,
                PathFile({"data1=a.exe", "data2",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                kValue, Outcome::EntryWithoutEquals, 2,
                PathFile({"data1=a.exe", "data2",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Remove, EditRows,
    ::testing::Values(
        EditRow{"BlanksOnlyTheFirstMatchEntry4", false, kPath,
                PathFile({"data1=C:\\A\\a.exe", "data2=", "data3=C:\\C\\c.exe",
                          "data4=C:\\Tools\\Quillon.exe",
                          "data5=", "data6=D:\\Quillon\\Quillon.exe", "data7=", "data8="}),
                "Quillon", Outcome::Changed, 4,
                PathFile({"data1=C:\\A\\a.exe", "data2=", "data3=C:\\C\\c.exe", "data4=", "data5=",
                          "data6=D:\\Quillon\\Quillon.exe", "data7=", "data8="})},
        EditRow{"SearchIsCaseSensitive", false, kPath,
                PathFile({"data1=C:\\quillon.exe", "data2=C:\\Tools\\Quillon.exe",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                "Quillon", Outcome::Changed, 2,
                PathFile({"data1=C:\\quillon.exe",
                          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        // ゲ is 0x83 'Q': "ゲuillon" holds no "Quillon".
        EditRow{"QInsideDoubleByteCharacterIsNoMatch", false, kPath,
                PathFile({"data1=C:\\\x83Quillon.exe", "data2=C:\\Tools\\Quillon.exe",
                          "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                "Quillon", Outcome::Changed, 2,
                PathFile({"data1=C:\\\x83Quillon.exe",
                          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"NameOutsideTheSectionIsNotRemoved", false, kPath,
                CrLf({"; C:\\Tools\\Quillon.exe", kPath, "data1=C:\\A\\a.exe",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                "Quillon", Outcome::NotNamed, 0,
                CrLf({"; C:\\Tools\\Quillon.exe", kPath, "data1=C:\\A\\a.exe",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"CaptionDenTakuRemoved", false, kCap,
                CrLf({kCap, "data1=NC", "data2=\x93\x64\x91\xEC",
                      "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}),
                "電卓", Outcome::Changed, 2,
                CrLf({kCap, "data1=NC",
                      "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="})},
        EditRow{"LastEntryRemovedWithoutLineBreakIsMalformed", false, kPath,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8=C:\\Tools\\Quillon.exe"},
                         false),
                "Quillon", Outcome::EntryNotEnded, 8,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8=C:\\Tools\\Quillon.exe"},
                         false)},
        EditRow{"UnendedLastEntryNotNamedDoesNotStopAnEarlierRemoval", false, kPath,
                PathFile({"data1=C:\\Tools\\Quillon.exe", "data2=", "data3=", "data4=", "data5=",
                          "data6=", "data7=", "data8=C:\\H\\h.exe"},
                         false),
                "Quillon", Outcome::Changed, 1,
                PathFile({"data1=", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=",
                          "data8=C:\\H\\h.exe"},
                         false)}),
    [](const auto& info) { return std::string(info.param.name); });

struct ContainsRow {
    const char* name;
    std::string file;
    const char* key;
    bool found;
};

void PrintTo(const ContainsRow& row, std::ostream* os) {
    *os << row.name;
}

class ContainsRows : public ::testing::TestWithParam<ContainsRow> {};

TEST_P(ContainsRows, RegisteredTest) {
    EXPECT_EQ(Contains(GetParam().file, GetParam().key), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContainsRows,
    ::testing::Values(
        ContainsRow{"InsideTheSection", PathFile({"data1=C:\\Q\\Quillon.exe"}), "Quillon", true},
        ContainsRow{"OutsideTheSection", CrLf({"[Old]", "x=Quillon", kPath, "data1="}), "Quillon",
                    true},
        ContainsRow{"CaseSensitive", CrLf({kPath, "data1=C:\\QUILLON.EXE"}), "Quillon", false},
        ContainsRow{"LeadByteSwallowsQ", CrLf({kPath, "data1=\x93Quillon"}), "Quillon", false},
        ContainsRow{"DenTakuDecoded", CrLf({kCap, "data1=\x93\x64\x91\xEC"}), "電卓", true},
        ContainsRow{"Absent", CrLf({kPath, "data1="}), "Calculator", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::fkeyreg
