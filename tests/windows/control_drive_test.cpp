// quillon-cli.exe on the real C: drive of a Windows system: the control root "C:\OSP-P" by
// default, a program folder in a drive's root folder, the marker file, and key files another
// program holds open. These tests write under C:\, so they run only under Wine (the CI's
// Windows), never on a PC that may be a lathe control.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "shell/native_path.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using testkit::CrLf;
using testkit::ReadBytes;
using testkit::WriteBytes;

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

const fs::path kRoot = L"C:\\OSP-P";
const fs::path kPathFile = L"C:\\OSP-P\\V-FKEY\\LV01.INI";
const fs::path kCaptionFile = L"C:\\OSP-P\\V-FKEY\\JPN\\LV01.INI";
const fs::path kCli = L"C:\\quillon-cli.exe";
const fs::path kQuillon = L"C:\\Quillon.exe";

// The caption of entry 1 is "電卓" in the control's code page: its trail byte 0x64 is a "d"
// that must neither be matched nor changed.
const std::string kCaptionBefore =
    CrLf({"[SuppCap]", "data1=\x93\x64\x91\xEC",
          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
const std::string kPathBefore =
    CrLf({"; OSP-P200", "[SuppPath]", "data1=C:\\OSP-P\\NC\\nc.exe",
          "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});

// A second program that holds a file open with the given sharing until it is told to let go.
class HeldFile {
public:
    HeldFile(const fs::path& file, DWORD share) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn, childOut;
        if (!CreatePipe(&childIn, &toChild_, &inherit, 0)) return;
        if (!CreatePipe(&fromChild_, &childOut, &inherit, 0)) return;
        SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
        const std::wstring self = RunningProgramFolder(nullptr) / L"quillon_windows_tests.exe";
        std::wstring cmd =
            L"\"" + self + L"\" --hold \"" + file.native() + L"\" " + std::to_wstring(share);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = childIn;
        si.hStdOutput = childOut;
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        started_ = CreateProcessW(self.c_str(), cmd.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi_);
        CloseHandle(childIn);
        CloseHandle(childOut);
        // The holder writes one byte once the file is open.
        char ready = 0;
        DWORD n = 0;
        held_ = started_ && ReadFile(fromChild_, &ready, 1, &n, nullptr) && n == 1 && ready == '+';
    }
    ~HeldFile() {
        CloseHandle(toChild_);  // end of input: the holder closes the file and ends
        if (started_) {
            WaitForSingleObject(pi_.hProcess, 10000);
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        CloseHandle(fromChild_);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Held() const { return held_; }

private:
    HANDLE toChild_ = nullptr, fromChild_ = nullptr;
    PROCESS_INFORMATION pi_{};
    bool started_ = false, held_ = false;
};

class ControlDrive : public ::testing::Test {
protected:
    void SetUp() override {
        if (!UnderWine()) GTEST_SKIP() << "writes under C:\\; runs only under Wine";
        Clean();
        WriteBytes(kPathFile, kPathBefore);
        WriteBytes(kCaptionFile, kCaptionBefore);
        ASSERT_TRUE(CopyFileW((RunningProgramFolder(nullptr) / L"quillon-cli.exe").c_str(),
                              kCli.c_str(), FALSE));
        WriteBytes(kQuillon, "MZ");
    }
    void TearDown() override {
        if (UnderWine()) Clean();
    }
    static void Clean() {
        std::error_code ec;
        fs::remove_all(kRoot, ec);
        fs::remove(kCli, ec);
        fs::remove(kQuillon, ec);
    }

    // quillon-cli.exe from the drive's root folder, with the default control root and the
    // default program folder (its own).
    static Json Cli(std::vector<std::string> args) {
        const testkit::Process p = testkit::RunProgram(PathToUtf8(kCli), args);
        EXPECT_EQ(p.status, 0) << p.err;
        return p.status == 0 ? Json::parse(p.out) : Json::object();
    }

    static std::string PathAfterRegistering() {
        return CrLf({"; OSP-P200", "[SuppPath]", "data1=C:\\OSP-P\\NC\\nc.exe",
                     "data2=C:\\Quillon.exe",
                     "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
    }
    static std::string CaptionAfterRegistering() {
        return CrLf({"[SuppCap]", "data1=\x93\x64\x91\xEC", "data2=QUILLON",
                     "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
    }
};

TEST_F(ControlDrive, RegisterAndRemoveFromADriveRootFolder) {
    Json j = Cli({"Orbane"});
    EXPECT_EQ(j["texts"]["Command1"], "登　録");
    EXPECT_EQ(j["texts"]["Label2"], "現在は未登録です。");

    j = Cli({"Orbane", "click:Command1"});
    ASSERT_EQ(j["messages"].size(), 1u) << j["messages"].dump();
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーにQuillonを登録しました。\n電源を再投入してください。");
    EXPECT_EQ(ReadBytes(kPathFile), PathAfterRegistering());
    EXPECT_EQ(ReadBytes(kCaptionFile), CaptionAfterRegistering());

    j = Cli({"Orbane"});
    EXPECT_EQ(j["texts"]["Command1"], "削　除");
    EXPECT_EQ(j["texts"]["Label2"], "現在すでに登録されています。");

    j = Cli({"Orbane", "click:Command1"});
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーからQuillonを削除しました。\n電源を再投入してください。");
    EXPECT_EQ(ReadBytes(kPathFile), kPathBefore) << "every byte as before";
    EXPECT_EQ(ReadBytes(kCaptionFile), kCaptionBefore);
    EXPECT_FALSE(fs::exists(L"C:\\OSP-P\\V-FKEY\\~LV01.INI.tmp"));
}

TEST_F(ControlDrive, MarkerFileUnderTheDefaultRootMeansOnTheControl) {
    const std::vector<std::string> copy{"frmNoseR", "set:Text1=0.8", "set:Text2=30", "leave:Text2",
                                        "click:Command1"};
    EXPECT_EQ(Cli(copy)["activations"], 0);
    WriteBytes(kRoot / L"OSPMNGCD.CNC", "");
    EXPECT_EQ(Cli(copy)["activations"], 1);
    ASSERT_TRUE(SetFileAttributesW((kRoot / L"OSPMNGCD.CNC").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Cli(copy)["activations"], 0) << "a hidden marker file does not count";
}

// The control keeps its key file open for reading: it is read, but not replaced; the other
// file is still written and the user is told which one was left.
TEST_F(ControlDrive, KeyFileHeldOpenByAnotherProgramIsLeftAsItWas) {
    HeldFile held(kPathFile, FILE_SHARE_READ);
    ASSERT_TRUE(held.Held());
    const Json j = Cli({"Orbane", "click:Command1"});
    ASSERT_EQ(j["messages"].size(), 2u) << j["messages"].dump();
    EXPECT_EQ(j["messages"][0]["text"],
              "ファンクションキーにQuillonを登録しました。\n電源を再投入してください。");
    const std::string left = j["messages"][1]["text"];
    EXPECT_EQ(
        left.rfind("\\V-FKEY\\LV01.INIファイルは変更していません。\n"
                   "ファイルに書き込めませんでした。（cannot replace C:\\OSP-P\\V-FKEY\\LV01.INI",
                   0),
        0u)
        << left;
    EXPECT_EQ(ReadBytes(kPathFile), kPathBefore);
    EXPECT_EQ(ReadBytes(kCaptionFile), CaptionAfterRegistering());
    EXPECT_FALSE(fs::exists(L"C:\\OSP-P\\V-FKEY\\~LV01.INI.tmp"));
}

// A key file another program holds without sharing cannot even be read: nothing is written.
TEST_F(ControlDrive, KeyFileLockedByAnotherProgramStopsAtTheStart) {
    HeldFile held(kCaptionFile, 0);
    ASSERT_TRUE(held.Held());
    const Json j = Cli({"Orbane", "click:Command1"});
    ASSERT_EQ(j["messages"].size(), 1u) << j["messages"].dump();
    EXPECT_EQ(j["messages"][0]["icon"], "critical");
    EXPECT_EQ(j["messages"][0]["text"], "\\V-FKEY\\JPN\\LV01.INIファイルを読み込めません。");
    EXPECT_EQ(j["unloaded"], true);
    EXPECT_EQ(ReadBytes(kPathFile), kPathBefore);
}

// The holder: opens the file with the given sharing, says so, and keeps it open until its
// input ends.
int Hold(const wchar_t* file, DWORD share) {
    HANDLE h = CreateFileW(file, GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 1;
    DWORD n = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "+", 1, &n, nullptr);
    char c;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &n, nullptr) && n > 0) {
    }
    CloseHandle(h);
    return 0;
}

}  // namespace
}  // namespace quillon

int main(int argc, char** argv) {
    int n = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &n);
    if (args && n == 4 && std::wstring(args[1]) == L"--hold") {
        const int status =
            quillon::Hold(args[2], static_cast<DWORD>(std::wcstoul(args[3], nullptr, 10)));
        LocalFree(args);
        return status;
    }
    if (args) LocalFree(args);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
