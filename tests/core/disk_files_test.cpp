// The real file system port: first match of a pattern and the atomic replacement of a file.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "../support/temp_dir.h"
#include "shell/disk_files.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using testkit::ReadBytes;
using testkit::TempDir;
using testkit::WriteBytes;

struct MatchRow {
    const char* name;
    std::vector<const char*> files;
    std::optional<std::string> first;
};

void PrintTo(const MatchRow& row, std::ostream* os) {
    *os << row.name;
}

class FirstMatchRows : public ::testing::TestWithParam<MatchRow> {};

TEST_P(FirstMatchRows, FirstByNameIgnoringCase) {
    TempDir dir;
    for (const char* f : GetParam().files) WriteBytes(dir / f, "x");
    fs::create_directories(dir / "LV00.INI");  // a folder never matches
    DiskFiles disk;
    EXPECT_EQ(disk.FirstMatch(dir.Path(), "LV*.INI"), GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstMatchRows,
    ::testing::Values(MatchRow{"Single", {"LV01.INI"}, "LV01.INI"},
                      MatchRow{"LowerCaseNameMatches", {"lv03.ini"}, "lv03.ini"},
                      MatchRow{
                          "OrderIgnoresCase", {"lv02.ini", "LV10.INI", "Lv01.ini"}, "Lv01.ini"},
#ifdef _WIN32
                      // One folder cannot hold both names: the second is the first file.
                      MatchRow{"CapitalsDecideTies", {"lv01.ini", "LV01.ini"}, "lv01.ini"},
#else
                      MatchRow{"CapitalsDecideTies", {"lv01.ini", "LV01.ini"}, "LV01.ini"},
#endif
                      MatchRow{"OthersDoNotMatch",
                               {"LV01.INI.bak", "~LV01.INI.tmp", "XLV01.INI", ".LV01.INI"},
                               std::nullopt},
                      MatchRow{"NothingThere", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiskFiles, TemporaryNameNeverMatchesTheKeyFiles) {
    for (const char* name : {"LV01.INI", "lv.ini", "LV.INI", "LVX"}) {
        const fs::path file = fs::path("V-FKEY") / name;
        const fs::path temp = DiskFiles::TempPathFor(file);
        EXPECT_EQ(temp.parent_path(), file.parent_path()) << name;
        EXPECT_FALSE(WildcardMatch("LV*.INI", temp.filename().string())) << temp;
        EXPECT_FALSE(WildcardMatch("LV*", temp.filename().string())) << temp;
    }
}

#ifndef _WIN32
TEST(DiskFiles, ReplaceWritesAllBytesAndKeepsPermissions) {
    TempDir dir;
    const fs::path file = dir / "LV01.INI";
    WriteBytes(file, "old");
    ::chmod(file.c_str(), 0640);
    DiskFiles disk;
    const std::string bytes("new\r\n\0\x93\x64", 8);
    EXPECT_EQ(disk.ReplaceAtomically(file, bytes), std::nullopt);
    EXPECT_EQ(ReadBytes(file), bytes);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_FALSE(fs::exists(DiskFiles::TempPathFor(file)));
}
#endif

TEST(DiskFiles, CopyLeftByAPowerLossIsReplaced) {
    TempDir dir;
    const fs::path file = dir / "LV01.INI";
    WriteBytes(file, "old");
    WriteBytes(DiskFiles::TempPathFor(file),
               "half a file from an earlier run, longer than the new one");
    DiskFiles disk;
    EXPECT_EQ(disk.ReplaceAtomically(file, "new"), std::nullopt);
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_FALSE(fs::exists(DiskFiles::TempPathFor(file)));
}

#ifndef _WIN32  // symbolic links need a privilege on Windows
TEST(DiskFiles, LinkAtTheTemporaryNameIsNotWrittenThrough) {
    TempDir dir;
    const fs::path file = dir / "LV01.INI";
    const fs::path elsewhere = dir / "elsewhere.txt";
    WriteBytes(file, "old");
    WriteBytes(elsewhere, "keep");
    fs::create_symlink(elsewhere, DiskFiles::TempPathFor(file));
    DiskFiles disk;
    EXPECT_EQ(disk.ReplaceAtomically(file, "new"), std::nullopt);
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ReadBytes(elsewhere), "keep");
}
#endif

class FailBeforeReplace : public DiskFiles {
public:
    std::string tempSeen;

protected:
    std::optional<std::string> BeforeReplace(const fs::path& temp) override {
        tempSeen = ReadBytes(temp);
        return std::string("power lost");
    }
};

TEST(DiskFiles, FailureBeforeReplaceKeepsTheOriginal) {
    TempDir dir;
    const fs::path file = dir / "LV01.INI";
    WriteBytes(file, "old contents");
    FailBeforeReplace disk;
    EXPECT_EQ(disk.ReplaceAtomically(file, "new contents"), "power lost");
    EXPECT_EQ(disk.tempSeen, "new contents") << "the copy was complete when the failure came";
    EXPECT_EQ(ReadBytes(file), "old contents");
    EXPECT_FALSE(fs::exists(DiskFiles::TempPathFor(file)));
}

TEST(DiskFiles, MissingFolderIsReported) {
    TempDir dir;
    DiskFiles disk;
    const auto err = disk.ReplaceAtomically(dir / "none" / "LV01.INI", "x");
    ASSERT_TRUE(err.has_value());
    EXPECT_NE(err->find("open"), std::string::npos);
}

}  // namespace
}  // namespace quillon
