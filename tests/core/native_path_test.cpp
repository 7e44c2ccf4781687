// Paths at the edge to the system: UTF-8 inside, native paths (UTF-16 on Windows) outside.
#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "fkeyreg/Orbane.h"
#include "shell/disk_files.h"
#include "shell/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillon {
namespace {

namespace fs = std::filesystem;

struct FolderRow {
    const char* name;
    const char* folder;       // as the user or the system gives it, UTF-8
    const char* parentOfExe;  // the folder of "<folder>\Quillon.exe" ("" where not Windows)
    const char* written;      // what the path file receives for that folder
};

void PrintTo(const FolderRow& row, std::ostream* os) {
    *os << row.name;
}

class FolderRows : public ::testing::TestWithParam<FolderRow> {};

// A program folder goes from the system into a path and back into the path file unchanged:
// drive letter, backslashes, a drive's root folder and Japanese names included.
TEST_P(FolderRows, RoundTripIntoThePathFile) {
    const FolderRow& row = GetParam();
    const fs::path folder = PathFromUtf8(row.folder);
    EXPECT_EQ(PathToUtf8(folder), row.folder);
    EXPECT_EQ(TargetPath(PathToUtf8(folder), "\\Quillon.exe"), row.written);
#ifdef _WIN32
    const fs::path exe = folder / L"Quillon.exe";
    EXPECT_EQ(PathToUtf8(exe.parent_path()), row.parentOfExe);
    EXPECT_EQ(TargetPath(PathToUtf8(exe.parent_path()), "\\Quillon.exe"), row.written);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FolderRows,
    ::testing::Values(FolderRow{"DriveRoot", "C:\\", "C:\\", "C:\\Quillon.exe"},
                      FolderRow{"OtherDriveRoot", "D:\\", "D:\\", "D:\\Quillon.exe"},
                      FolderRow{"Folder", "C:\\OSP-P\\USERS\\Quillon", "C:\\OSP-P\\USERS\\Quillon",
                                "C:\\OSP-P\\USERS\\Quillon\\Quillon.exe"},
                      FolderRow{"BlanksInNames", "C:\\Program Files\\Quillon 1.40",
                                "C:\\Program Files\\Quillon 1.40",
                                "C:\\Program Files\\Quillon 1.40\\Quillon.exe"},
                      FolderRow{"JapaneseFolder", "C:\\工具\\電卓", "C:\\工具\\電卓",
                                "C:\\工具\\電卓\\Quillon.exe"},
                      FolderRow{"NetworkShare", "\\\\nc-server\\share\\Quillon",
                                "\\\\nc-server\\share\\Quillon",
                                "\\\\nc-server\\share\\Quillon\\Quillon.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NativePath, RunningProgramFolderHoldsTheRunningProgram) {
    const fs::path folder = RunningProgramFolder(nullptr);
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.is_absolute()) << PathToUtf8(folder);
#ifdef _WIN32
    EXPECT_TRUE(fs::exists(folder / L"quillon_core_tests.exe")) << PathToUtf8(folder);
#else
    EXPECT_TRUE(fs::exists(folder / "quillon_core_tests")) << folder;
#endif
}

#ifdef _WIN32
TEST(NativePath, Utf16RoundTripOutsideTheAnsiCodePage) {
    // Japanese, a character outside the basic plane, and a blank, through UTF-16 and back.
    const std::string text = "縦ファンクション 𠮷 ¥~\\";
    const std::wstring wide = Utf16(text);
    EXPECT_EQ(wide, L"縦ファンクション 𠮷 ¥~\\");
    EXPECT_EQ(Utf8(wide), text);
}

// Files under a Japanese folder: found, read and replaced through the wide calls.
TEST(WindowsFiles, JapaneseFolderAndFileNames) {
    testkit::TempDir dir;
    const fs::path folder = dir / PathFromUtf8("機械\\V-FKEY");
    testkit::WriteBytes(folder / PathFromUtf8("LV電卓.INI"), "old");
    DiskFiles disk;
    const auto name = disk.FirstMatch(folder, "LV*.INI");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, "LV電卓.INI");
    const fs::path file = folder / PathFromUtf8(*name);
    EXPECT_EQ(disk.ReadAll(file), "old");
    EXPECT_EQ(disk.ReplaceAtomically(file, "new\r\n"), std::nullopt);
    EXPECT_EQ(disk.ReadAll(file), "new\r\n");
}

// Hidden and system files are no ordinary files: neither the marker file nor a key file.
TEST(WindowsFiles, HiddenAndSystemFilesDoNotCount) {
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        testkit::TempDir dir;
        const fs::path file = dir / L"LV01.INI";
        testkit::WriteBytes(file, "x");
        DiskFiles disk;
        EXPECT_TRUE(disk.IsOrdinaryFile(file));
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), attribute));
        EXPECT_FALSE(disk.IsOrdinaryFile(file)) << attribute;
        EXPECT_EQ(disk.FirstMatch(dir.Path(), "LV*.INI"), std::nullopt) << attribute;
        EXPECT_TRUE(disk.Exists(file));
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A key file that another program holds open without sharing it is neither read nor
// replaced, and no temporary copy is left beside it.
TEST(WindowsFiles, FileHeldOpenIsRefusedAndKept) {
    testkit::TempDir dir;
    const fs::path file = dir / L"LV01.INI";
    testkit::WriteBytes(file, "old");
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DiskFiles disk;
    EXPECT_EQ(disk.ReadAll(file), std::nullopt);
    const auto err = disk.ReplaceAtomically(file, "new");
    CloseHandle(held);
    ASSERT_TRUE(err.has_value());
    EXPECT_NE(err->find("cannot replace " + PathToUtf8(file)), std::string::npos) << *err;
    EXPECT_EQ(testkit::ReadBytes(file), "old");
    EXPECT_FALSE(fs::exists(DiskFiles::TempPathFor(file)));
}
#endif

}  // namespace
}  // namespace quillon
