// The registration window of both builds, on real files in a temporary control root.
#include <gtest/gtest.h>

#include <algorithm>

#include "../support/temp_dir.h"
#include "app/recording_host.h"
#include "fkeyreg/Orbane.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using testkit::CrLf;
using testkit::ReadBytes;
using testkit::TempDir;
using testkit::WriteBytes;

// Texts the user sees.
const std::string kQuillonMissing =
    "Quillon.exeファイルが見つかりません。\nこのソフトを同じフォルダーに入れてください。";
const std::string kCalculatorMissing =
    "Calculator.exeファイルが見つかりません。\nこのソフトを同じフォルダーに入れてください。";
const std::string kPathMissing =
    "\\V-FKEY\\LV*.INIファイルが見つかりません。\nこのソフトはOSP-P200のみ有効です。";
const std::string kCaptionMissing =
    "\\JPN\\LV*.INIファイルが見つかりません。\nこのソフトはOSP-P200のみ有効です。";
const std::string kRegisteredQuillon =
    "ファンクションキーにQuillonを登録しました。\n電源を再投入してください。";
const std::string kRegisteredCalculator =
    "ファンクションキーに電卓を登録しました。\n電源を再投入してください。";
const std::string kRemovedQuillon =
    "ファンクションキーからQuillonを削除しました。\n電源を再投入してください。";
const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));
const std::string kNoFree = "data1からdata8まで空きがありません。";

std::string Section(const char* header, std::initializer_list<std::string_view> entries) {
    return CrLf({header}) + CrLf(entries);
}

const std::string kFreePath = Section(
    "[SuppPath]",
    {"data1=C:\\NC\\nc.exe", "data2=", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
const std::string kFreeCaption =
    Section("[SuppCap]",
            {"data1=NC", "data2=TOOL", "data3=", "data4=", "data5=", "data6=", "data7=", "data8="});
const std::string kFullPath =
    Section("[SuppPath]", {"data1=C:\\A\\a.exe", "data2=C:\\B\\b.exe", "data3=C:\\C\\c.exe",
                           "data4=C:\\D\\d.exe", "data5=C:\\E\\e.exe", "data6=C:\\F\\f.exe",
                           "data7=C:\\G\\g.exe", "data8=C:\\H\\h.exe"});
const std::string kFullCaption = Section("[SuppCap]", {"data1=A", "data2=B", "data3=C", "data4=D",
                                                       "data5=E", "data6=F", "data7=G", "data8=H"});

// A control root with the two function-key files and a program folder with the target.
class OrbaneTest : public ::testing::Test {
protected:
    fs::path Root() const { return dir / "OSP-P"; }
    fs::path PathFile() const { return Root() / "V-FKEY" / "LV01.INI"; }
    fs::path CaptionFile() const { return Root() / "V-FKEY" / "JPN" / "LV01.INI"; }
    fs::path Program() const { return dir / "Quillon"; }

    void Install(const std::string& pathText, const std::string& captionText,
                 const char* target = "Quillon.exe") {
        WriteBytes(PathFile(), pathText);
        WriteBytes(CaptionFile(), captionText);
        WriteBytes(Program() / target, "MZ");
    }

    Orbane& Start(bool calculator = false, Files* files = nullptr) {
        m = std::make_unique<Module1>(host, files ? *files : disk);
        m->ControlRoot = Root();
        if (!programFolder.empty())
            m->ProgramFolder = programFolder;
        else
            m->ProgramFolder = Program();
        form = calculator ? std::make_unique<OrbaneCalculator>(*m) : std::make_unique<Orbane>(*m);
        form->Load();
        form->Activate();
        return *form;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const Message& msg : host.messages) t.push_back(msg.text);
        return t;
    }

    TempDir dir;
    RecordingHost host;
    DiskFiles disk;
    fs::path programFolder;
    std::unique_ptr<Module1> m;
    std::unique_ptr<Orbane> form;
};

// ---- start checks ----

struct StartRow {
    const char* name;
    bool calculator;
    const char* target;  // file put into the program folder, "" for none
    bool pathFile, captionFile;
    std::string message;
};

void PrintTo(const StartRow& row, std::ostream* os) {
    *os << row.name;
}

class OrbaneStart : public OrbaneTest, public ::testing::WithParamInterface<StartRow> {};

TEST_P(OrbaneStart, ErrorMessageThenEnd) {
    const StartRow& row = GetParam();
    fs::create_directories(Program());
    if (*row.target) WriteBytes(Program() / row.target, "MZ");
    if (row.pathFile) WriteBytes(PathFile(), kFreePath);
    if (row.captionFile) WriteBytes(CaptionFile(), kFreeCaption);
    Orbane& w = Start(row.calculator);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].text, row.message);
    EXPECT_TRUE(w.Unloaded());
    EXPECT_TRUE(host.ended);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrbaneStart,
    ::testing::Values(
        StartRow{"QuillonMissing", false, "", true, true, kQuillonMissing},
        StartRow{"CalculatorMissingBesideQuillon", true, "Quillon.exe", true, true,
                 kCalculatorMissing},
        StartRow{"PathFileMissing", false, "Quillon.exe", false, true, kPathMissing},
        StartRow{"CaptionFileMissing", false, "Quillon.exe", true, false, kCaptionMissing},
        StartRow{"AllMissingNamesTheProgramFirst", false, "", false, false, kQuillonMissing},
        StartRow{"CalculatorPathFileMissing", true, "Calculator.exe", false, false, kPathMissing}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrbaneTest, OnlyOrdinaryFilesNamedLikeTheKeyFilesCount) {
    Install(kFreePath, kFreeCaption);
    fs::remove(PathFile());
    WriteBytes(Root() / "V-FKEY" / "LV01.INI.bak", kFreePath);
    WriteBytes(Root() / "V-FKEY" / "~LV01.INI.tmp", kFreePath);
    fs::create_directories(Root() / "V-FKEY" / "LV02.INI");
    Start();
    EXPECT_EQ(Texts(), std::vector<std::string>{kPathMissing});
}

#ifndef _WIN32
TEST_F(OrbaneTest, NoControlRootOffTheControlMeansNoKeyFiles) {
    Install(kFreePath, kFreeCaption);
    m = std::make_unique<Module1>(host, disk);
    m->ProgramFolder = Program();
    Orbane w(*m);
    w.Load();
    EXPECT_EQ(Texts(), std::vector<std::string>{kPathMissing});
    EXPECT_TRUE(w.Unloaded());
}
#endif

// ---- the start state ----

TEST_F(OrbaneTest, DesignCaptionBeforeStart) {
    Module1 mod(host, disk);
    Orbane w(mod);
    EXPECT_EQ(w.Caption, "縦ファンクションキー設定");
    EXPECT_EQ(w["Command1"].Text, "設  定");
    EXPECT_EQ(w["Command2"].Text, "キャンセル");
    EXPECT_EQ(
        w["Label1"].Text,
        "OSP-P200の縦ファンクションキーにQuillonのショートカットを登録または削除をおこないます。");
    EXPECT_EQ(w["Label3"].Text,
              "OSP画面の右側面にあるこのファンクションキーを押すとQuillonのショートカットが表示され"
              "ます。");
    OrbaneCalculator c(mod);
    EXPECT_EQ(c.ClassName(), "OrbaneCalculator");
    EXPECT_EQ(
        c["Label1"].Text,
        "OSP-P200の縦ファンクションキーに電卓のショートカットを登録または削除をおこないます。");
    EXPECT_EQ(
        c["Label3"].Text,
        "OSP画面の右側面にあるこのファンクションキーを押すと電卓のショートカットが表示されます。");
}

struct StateRow {
    const char* name;
    std::string pathFile;
    const char* command1;
    const char* label2;
};

void PrintTo(const StateRow& row, std::ostream* os) {
    *os << row.name;
}

class OrbaneState : public OrbaneTest, public ::testing::WithParamInterface<StateRow> {};

TEST_P(OrbaneState, ButtonAndLabelFromTheWholePathFile) {
    Install(GetParam().pathFile, kFreeCaption);
    Orbane& w = Start();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(w.Unloaded());
    EXPECT_EQ(w["Command1"].Text, GetParam().command1);
    EXPECT_EQ(w["Label2"].Text, GetParam().label2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrbaneState,
    ::testing::Values(
        StateRow{"NotRegistered", kFreePath, "登　録", "現在は未登録です。"},
        StateRow{"RegisteredInTheSection",
                 Section("[SuppPath]", {"data1=C:\\Quillon\\Quillon.exe", "data2=", "data3=",
                                        "data4=", "data5=", "data6=", "data7=", "data8="}),
                 "削　除", "現在すでに登録されています。"},
        StateRow{"NamedOnlyOutsideTheSection", CrLf({"; moved from C:\\Quillon"}) + kFreePath,
                 "削　除", "現在すでに登録されています。"},
        StateRow{"OtherCaseIsNotRegistered", CrLf({"; QUILLON quillon"}) + kFreePath, "登　録",
                 "現在は未登録です。"},
        StateRow{"QInsideDoubleByteCharacterIsNotRegistered", CrLf({"; \x83Quillon"}) + kFreePath,
                 "登　録", "現在は未登録です。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrbaneTest, FileLookupIgnoresCaseAndTakesTheFirstName) {
    WriteBytes(Program() / "quillon.EXE", "MZ");
    WriteBytes(Root() / "V-FKEY" / "lv02.ini", kFullPath);
    WriteBytes(Root() / "V-FKEY" / "LV01.INI", kFreePath);
    WriteBytes(Root() / "V-FKEY" / "JPN" / "Lv01.Ini", kFreeCaption);
    Orbane& w = Start();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(w.PathFileName, "LV01.INI");
    EXPECT_EQ(w.CaptionFileName, "Lv01.Ini");
    EXPECT_EQ(w.PathFileText, kFreePath);
    EXPECT_EQ(w.CaptionFileText, kFreeCaption);
}

// ---- registering ----

TEST_F(OrbaneTest, RegisterWritesFirstFreeEntriesAndAsksForPowerCycle) {
    Install(kFreePath, kFreeCaption);
    Orbane& w = Start();
    w.DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()),
              Section("[SuppPath]",
                      {"data1=C:\\NC\\nc.exe", "data2=" + Program().string() + "\\Quillon.exe",
                       "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
    EXPECT_EQ(ReadBytes(CaptionFile()),
              Section("[SuppCap]", {"data1=NC", "data2=TOOL", "data3=QUILLON",
                                    "data4=", "data5=", "data6=", "data7=", "data8="}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[0].text, kRegisteredQuillon);
    EXPECT_TRUE(w.Unloaded());
    EXPECT_TRUE(host.ended);
}

TEST_F(OrbaneTest, CalculatorBuildWritesDenTakuAsCp932) {
    Install(kFreePath, kFreeCaption, "Calculator.exe");
    Orbane& w = Start(true);
    w.DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()),
              Section("[SuppPath]",
                      {"data1=C:\\NC\\nc.exe", "data2=" + Program().string() + "\\Calculator.exe",
                       "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
    EXPECT_EQ(ReadBytes(CaptionFile()),
              Section("[SuppCap]", {"data1=NC", "data2=TOOL", "data3=\x93\x64\x91\xEC",
                                    "data4=", "data5=", "data6=", "data7=", "data8="}));
    EXPECT_EQ(Texts(), std::vector<std::string>{kRegisteredCalculator});
}

TEST_F(OrbaneTest, JapaneseProgramFolderIsWrittenAsCp932) {
    programFolder = dir / fs::path(u8"工具");
    WriteBytes(programFolder / "Quillon.exe", "MZ");
    WriteBytes(PathFile(), kFreePath);
    WriteBytes(CaptionFile(), kFreeCaption);
    Start().DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()),
              Section("[SuppPath]", {"data1=C:\\NC\\nc.exe",
                                     "data2=" + dir.Path().string() + kSeparator +
                                         "\x8D\x48\x8B\xEF\\Quillon.exe",
                                     "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
}

TEST_F(OrbaneTest, FolderEndingWithSeparatorIsNotDoubled) {
    Install(kFreePath, kFreeCaption);
    programFolder = Program().string() + "/";
    Start().DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()),
              Section("[SuppPath]",
                      {"data1=C:\\NC\\nc.exe", "data2=" + Program().string() + "/Quillon.exe",
                       "data3=", "data4=", "data5=", "data6=", "data7=", "data8="}));
}

TEST_F(OrbaneTest, CaptionFileFullRegistersPathAndSaysWhatWasNotChanged) {
    Install(kFreePath, kFullCaption);
    Start().DeliverClick("Command1");
    EXPECT_NE(ReadBytes(PathFile()), kFreePath);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFullCaption);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[0].text, kRegisteredQuillon);
    EXPECT_EQ(host.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[1].text,
              "\\V-FKEY\\JPN\\LV01.INIファイルは変更していません。\n" + kNoFree);
    EXPECT_TRUE(host.ended);
}

TEST_F(OrbaneTest, NothingFreeIsAnHonestErrorWithoutPowerCycle) {
    Install(kFullPath, kFullCaption);
    Start().DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()), kFullPath);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFullCaption);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].text,
              "ファンクションキーにQuillonを登録できませんでした。\n"
              "\\V-FKEY\\LV01.INIファイルは変更していません。\n" +
                  kNoFree + "\n\\V-FKEY\\JPN\\LV01.INIファイルは変更していません。\n" + kNoFree);
    EXPECT_TRUE(host.ended);
}

struct MalformedRow {
    const char* name;
    std::string pathFile;
    std::string reason;
};

void PrintTo(const MalformedRow& row, std::ostream* os) {
    *os << row.name;
}

class OrbaneMalformed : public OrbaneTest, public ::testing::WithParamInterface<MalformedRow> {};

TEST_P(OrbaneMalformed, PathFileIsLeftAndNamedWithTheReason) {
    Install(GetParam().pathFile, kFreeCaption);
    Start().DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()), GetParam().pathFile);
    EXPECT_NE(ReadBytes(CaptionFile()), kFreeCaption) << "the caption file is handled on its own";
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           kRegisteredQuillon, "\\V-FKEY\\LV01.INIファイルは変更していません。\n" +
                                                   GetParam().reason}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OrbaneMalformed,
    ::testing::Values(
        MalformedRow{"NoHeader",
                     CrLf({"[Supp]", "data1=", "data2=", "data3=", "data4=", "data5=", "data6=",
                           "data7=", "data8="}),
                     "[SuppPath]がありません。"},
        MalformedRow{"MissingEntry",
                     Section("[SuppPath]", {"data1=", "data2=", "data3=", "data4=", "data5=",
                                            "data6=", "data8="}),
                     "[SuppPath]の後にdata7がありません。"},
        MalformedRow{"EntryNotEnded",
                     CrLf({"[SuppPath]", "data1=a.exe", "data2=b.exe", "data3=c.exe", "data4=d.exe",
                           "data5=e.exe", "data6=f.exe", "data7=g.exe", "data8="},
                          false),
                     "data8の行が改行で終わっていません。"},
        MalformedRow{"EntryWithoutEquals",
                     Section("[SuppPath]", {"data1=a.exe", "data2", "data3=", "data4=", "data5=",
                                            "data6=", "data7=", "data8="}),
                     "data2の行に「=」がありません。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OrbaneTest, FolderNameWithoutCp932FormIsNotWritten) {
    programFolder = dir / fs::path(u8"tools\U0001F600");
    WriteBytes(programFolder / "Quillon.exe", "MZ");
    WriteBytes(PathFile(), kFreePath);
    WriteBytes(CaptionFile(), kFreeCaption);
    Start().DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()), kFreePath);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           kRegisteredQuillon,
                           "\\V-FKEY\\LV01.INIファイルは変更していません。\n"
                           "フォルダー名にファイルへ書き込めない文字が含まれています。"}));
}

class UnreadableCaption : public DiskFiles {
public:
    std::optional<std::string> ReadAll(const fs::path& path) override {
        if (path.parent_path().filename() == "JPN") return std::nullopt;
        return DiskFiles::ReadAll(path);
    }
};

TEST_F(OrbaneTest, UnreadableFileIsNamedAtStart) {
    Install(kFreePath, kFreeCaption);
    UnreadableCaption files;
    Orbane& w = Start(false, &files);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].text, "\\V-FKEY\\JPN\\LV01.INIファイルを読み込めません。");
    EXPECT_TRUE(w.Unloaded());
    EXPECT_TRUE(host.ended);
}

TEST_F(OrbaneTest, CalculatorNothingFreeNamesDenTaku) {
    Install(kFullPath, kFullCaption, "Calculator.exe");
    Start(true).DeliverClick("Command1");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.substr(0, host.messages[0].text.find('\n')),
              "ファンクションキーに電卓を登録できませんでした。");
}

// ---- removing ----

TEST_F(OrbaneTest, RemoveBlanksOnlyTheFirstEntryInEachFile) {
    const std::string path = Section(
        "[SuppPath]", {"data1=C:\\NC\\nc.exe", "data2=", "data3=", "data4=C:\\Quillon\\Quillon.exe",
                       "data5=", "data6=D:\\Quillon\\Quillon.exe", "data7=", "data8="});
    const std::string caption =
        Section("[SuppCap]", {"data1=NC", "data2=QUILLON", "data3=", "data4=QUILLON",
                              "data5=", "data6=", "data7=", "data8="});
    Install(path, caption);
    Orbane& w = Start();
    ASSERT_EQ(w["Command1"].Text, "削　除");
    w.DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()),
              Section("[SuppPath]", {"data1=C:\\NC\\nc.exe", "data2=", "data3=", "data4=", "data5=",
                                     "data6=D:\\Quillon\\Quillon.exe", "data7=", "data8="}));
    EXPECT_EQ(ReadBytes(CaptionFile()),
              Section("[SuppCap]", {"data1=NC", "data2=", "data3=", "data4=QUILLON",
                                    "data5=", "data6=", "data7=", "data8="}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.messages[0].text, kRemovedQuillon);
}

TEST_F(OrbaneTest, RemoveWithTheNameOnlyOutsideTheSectionChangesNothing) {
    const std::string path = CrLf({"; C:\\Quillon"}) + kFreePath;
    Install(path, kFreeCaption);
    Orbane& w = Start();
    ASSERT_EQ(w["Command1"].Text, "削　除");
    w.DeliverClick("Command1");
    EXPECT_EQ(ReadBytes(PathFile()), path);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFreeCaption);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].text,
              "ファンクションキーからQuillonを削除できませんでした。\n"
              "\\V-FKEY\\LV01."
              "INIファイルは変更していません。\nQuillonが登録されているキーがありません。\n"
              "\\V-FKEY\\JPN\\LV01."
              "INIファイルは変更していません。\nQuillonが登録されているキーがありません。");
}

// ---- cancel ----

TEST_F(OrbaneTest, CancelTouchesNothing) {
    Install(kFreePath, kFreeCaption);
    Orbane& w = Start();
    w.DeliverClick("Command2");
    EXPECT_TRUE(w.Unloaded());
    EXPECT_TRUE(host.ended);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadBytes(PathFile()), kFreePath);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFreeCaption);
}

// ---- a power loss between writing the copy and replacing the file ----

class PowerLossFiles : public DiskFiles {
public:
    explicit PowerLossFiles(bool onlyCaption) : onlyCaption_(onlyCaption) {}

    struct Seen {
        fs::path temp;
        std::string tempBytes, originalBytes;
        std::optional<std::string> firstMatch;
    };
    std::vector<Seen> seen;
    std::vector<std::pair<fs::path, std::string>> originals;  // file -> bytes before the run

protected:
    std::optional<std::string> BeforeReplace(const fs::path& temp) override {
        if (onlyCaption_ && temp.parent_path().filename() != "JPN") return std::nullopt;
        // The moment the power fails: the copy is complete, the original not yet replaced.
        seen.push_back({temp, ReadBytes(temp), "", FirstMatch(temp.parent_path(), "LV*.INI")});
        seen.back().originalBytes = ReadBytes(temp.parent_path() / "LV01.INI");
        return std::string("simulated power loss");
    }

private:
    bool onlyCaption_;
};

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir)) names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(OrbaneTest, FailureBeforeReplaceLeavesBothOriginalsAndNoStrayFile) {
    Install(kFreePath, kFreeCaption);
    const auto before = Listing(Root());
    PowerLossFiles files(false);
    Start(false, &files).DeliverClick("Command1");

    ASSERT_EQ(files.seen.size(), 2u);
    for (const auto& s : files.seen) {
        EXPECT_EQ(s.firstMatch, "LV01.INI") << "the copy must never be taken for the key file";
        EXPECT_NE(s.tempBytes, s.originalBytes) << "the copy holds the new contents";
    }
    EXPECT_EQ(files.seen[0].temp.parent_path(), PathFile().parent_path())
        << "the copy lies beside the file";
    EXPECT_EQ(files.seen[1].temp.parent_path(), CaptionFile().parent_path());
    EXPECT_EQ(files.seen[0].originalBytes, kFreePath);
    EXPECT_EQ(files.seen[1].originalBytes, kFreeCaption);
    EXPECT_EQ(ReadBytes(PathFile()), kFreePath);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFreeCaption);
    EXPECT_EQ(Listing(Root()), before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(host.messages[0].text,
              "ファンクションキーにQuillonを登録できませんでした。\n"
              "\\V-FKEY\\LV01.INIファイルは変更していません。\n"
              "ファイルに書き込めませんでした。（simulated power loss）\n"
              "\\V-FKEY\\JPN\\LV01.INIファイルは変更していません。\n"
              "ファイルに書き込めませんでした。（simulated power loss）");
}

TEST_F(OrbaneTest, FailureOfOneFileIsReportedAfterTheSuccess) {
    Install(kFreePath, kFreeCaption);
    PowerLossFiles files(true);
    Start(false, &files).DeliverClick("Command1");
    EXPECT_NE(ReadBytes(PathFile()), kFreePath);
    EXPECT_EQ(ReadBytes(CaptionFile()), kFreeCaption);
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           kRegisteredQuillon,
                           "\\V-FKEY\\JPN\\LV01.INIファイルは変更していません。\n"
                           "ファイルに書き込めませんでした。（simulated power loss）"}));
}

// ---- the picture and the path join ----

TEST_F(OrbaneTest, KeyColumnPictureCarriesTheCaption) {
    Module1 mod(host, disk);
    for (bool calculator : {false, true}) {
        std::unique_ptr<Orbane> w =
            calculator ? std::make_unique<OrbaneCalculator>(mod) : std::make_unique<Orbane>(mod);
        const Control& image = (*w)["Image1"];
        EXPECT_EQ(image.Kind(), ControlKind::Image);
        ASSERT_TRUE(image.Pic);
        int lines = 0;
        std::vector<std::string> printed;
        for (const DrawOp& op : image.Pic->Ops()) {
            if (std::holds_alternative<LineOp>(op)) ++lines;
            if (const auto* p = std::get_if<PrintOp>(&op)) printed.push_back(p->text);
        }
        EXPECT_GE(lines, 4 * 9) << "the screen and eight keys";
        EXPECT_EQ(printed, (std::vector<std::string>{"OSP", calculator ? "電卓" : "QUILLON"}));
    }
}

struct JoinRow {
    const char* name;
    const char* folder;
    const char* target;
    const char* written;
};

void PrintTo(const JoinRow& row, std::ostream* os) {
    *os << row.name;
}

class TargetPathRows : public ::testing::TestWithParam<JoinRow> {};

TEST_P(TargetPathRows, FolderPlusTarget) {
    EXPECT_EQ(TargetPath(GetParam().folder, GetParam().target), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TargetPathRows,
    ::testing::Values(
        JoinRow{"DriveRoot", "C:\\", "\\Quillon.exe", "C:\\Quillon.exe"},
        JoinRow{"DriveRootCalculator", "D:\\", "\\Calculator.exe", "D:\\Calculator.exe"},
        JoinRow{"Folder", "C:\\Tools\\Quillon", "\\Quillon.exe", "C:\\Tools\\Quillon\\Quillon.exe"},
        JoinRow{"FolderWithBackslash", "C:\\Tools\\", "\\Quillon.exe", "C:\\Tools\\Quillon.exe"},
        JoinRow{"PosixFolderKeptAsGiven", "/opt/quillon", "\\Quillon.exe",
                "/opt/quillon\\Quillon.exe"},
        JoinRow{"PosixFolderWithSlash", "/opt/quillon/", "\\Quillon.exe",
                "/opt/quillon/Quillon.exe"},
        JoinRow{"JapaneseFolder", "C:\\工具", "\\Quillon.exe", "C:\\工具\\Quillon.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
