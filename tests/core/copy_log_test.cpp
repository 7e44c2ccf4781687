// The copy history: what every copy records, the log's limit and listeners, the texts and
// dates it shows, the CSV it writes, the history window's buttons and the launcher's menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/menu.h"
#include "app/recording_host.h"
#include "app/registry.h"
#include "machining/frmCopyLog.h"
#include "shell/copy_log.h"
#include "shell/cp932.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "shell/native_path.h"
#include "support/csv_reader.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

using testkit::ReadBytes;
using testkit::TempDir;
using testkit::WriteBytes;

struct Fixture {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    Fixture() { host.startDate = DateTime{2026, 12, 8}; }
    std::unique_ptr<Form> Open(const std::string& className) {
        auto form = FindWindowInfo(className)->create(m);
        form->Load();
        form->Activate();
        return form;
    }
};

void Type(Form& f, const std::string& field, const std::string& text) {
    f.DeliverSetText(field, text);
}

// ---- texts ----

struct FieldRow {
    const char* name;
    const char* field;
    const char* csv;
};
const FieldRow kFields[] = {
    {"Plain", "S640", "S640"},
    {"Empty", "", ""},
    {"Comma", "a,b", "\"a,b\""},
    {"DoubleQuoteDoubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
    {"LoneDoubleQuote", "\"", "\"\"\"\""},
    {"CrLf", "X1\r\nZ2", "\"X1\r\nZ2\""},
    {"LoneLf", "X1\nZ2", "\"X1\nZ2\""},
    {"LoneCr", "X1\rZ2", "\"X1\rZ2\""},
    {"BlanksKept", " X1 ", " X1 "},
};
class CsvFieldTest : public ::testing::TestWithParam<FieldRow> {};
TEST_P(CsvFieldTest, QuotesAsSpreadsheets) {
    EXPECT_EQ(CsvField(GetParam().field), GetParam().csv);
    // And a spreadsheet reads back the field as it was.
    const auto rows = testkit::ReadCsv(CsvField(GetParam().field) + ",x\r\n");
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[0][0], GetParam().field);
}
INSTANTIATE_TEST_SUITE_P(CopyLog, CsvFieldTest, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.name); });

struct LossyRow {
    const char* name;
    const char* utf8;
    const char* cp932;
    size_t replaced;
};
const LossyRow kLossy[] = {
    {"Ascii", "X40 Z-18", "X40 Z-18", 0},
    {"Japanese", "回転数", "\x89\xf1\x93\x5d\x90\x94", 0},
    {"EuroAloneReplaced", "X40€Z", "X40?Z", 1},
    {"EmojiReplacedRestKept", "一😀二", "\x88\xea?\x93\xf1", 1},
    {"EachCharacterCounted", "€€", "??", 2},
    {"BrokenUtf8Byte",
     "A\xff"
     "B",
     "A?B", 1},
    {"SurrogateHalfIsNoCharacter",
     "A\xed\xa0\x80"
     "B",
     "A?B", 1},
    {"QuestionMarkItselfNotCounted", "?€", "??", 1},
};
class LossyTest : public ::testing::TestWithParam<LossyRow> {};
TEST_P(LossyTest, ReplacesOnlyTheCharacter) {
    size_t replaced = 0;
    EXPECT_EQ(Cp932Lossy(GetParam().utf8, replaced), GetParam().cp932);
    EXPECT_EQ(replaced, GetParam().replaced);
}
INSTANTIATE_TEST_SUITE_P(CopyLog, LossyTest, ::testing::ValuesIn(kLossy),
                         [](const auto& info) { return std::string(info.param.name); });

struct LinesRow {
    const char* name;
    const char* text;
    size_t lines;
    const char* first;
};
const LinesRow kLines[] = {
    {"Empty", "", 0, ""},
    {"One", "S640", 1, "S640"},
    {"ProgramEndingInBreak", "N1\r\nN2\r\nN3\r\n", 3, "N1"},
    {"NoFinalBreak", "N1\r\nN2", 2, "N1"},
    {"LoneLf", "a\nb\nc", 3, "a"},
    {"LoneCr", "a\rb", 2, "a"},
    {"BlankLineCounts", "a\r\n\r\nb", 3, "a"},
    {"OnlyABreak", "\r\n", 1, ""},
};
class LinesTest : public ::testing::TestWithParam<LinesRow> {};
TEST_P(LinesTest, CountsLines) {
    EXPECT_EQ(LineCount(GetParam().text), GetParam().lines);
    EXPECT_EQ(FirstLine(GetParam().text), GetParam().first);
}
INSTANTIATE_TEST_SUITE_P(CopyLog, LinesTest, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyLogDates, ParsesOnlyRealDateTimes) {
    const std::pair<const char*, bool> rows[] = {
        {"2026-12-08T15:04:05", true},  {"2028-02-29T00:00:00", true},
        {"2026-02-29T00:00:00", false}, {"2100-02-29T12:00:00", false},
        {"2000-02-29T23:59:59", true},  {"2026-12-08T24:00:00", false},
        {"2026-13-01T00:00:00", false}, {"2026-12-08 15:04:05", false},
        {"2026-12-8T15:04:05", false},  {"2026-12-08T15:04:05Z", false},
        {"2026-12-08T15:60:00", false}, {"0000-01-01T00:00:00", false},
    };
    for (const auto& [text, ok] : rows) {
        const auto t = ParseIsoDateTime(text);
        EXPECT_EQ(t.has_value(), ok) << text;
        if (t) {
            EXPECT_EQ(IsoDateTimeText(*t), text);
        }
    }
}

TEST(CopyLogDates, SecondsRunPastMidnightAndYearEnd) {
    EXPECT_EQ(DateTimeText(AddSeconds({2026, 12, 8}, 54245)), "2026-12-08 15:04:05");
    EXPECT_EQ(DateTimeText(AddSeconds({2026, 12, 31}, 86400 + 61)), "2027-01-01 00:01:01");
    EXPECT_EQ(DateTimeText(AddSeconds({2028, 2, 28}, 86400 * 2)), "2028-03-01 00:00:00");
    EXPECT_EQ(DateTimeText(AddSeconds({2026, 3, 1}, -1)), "2026-02-28 23:59:59");
    EXPECT_EQ(TimeText({2026, 12, 8, 9, 5, 7}), "09:05:07");
}

// ---- the log ----

TEST(CopyLogStore, KeepsTheNewestThousand) {
    CopyLog log;
    for (int i = 0; i < 1005; ++i) {
        CopyEntry e;
        e.text = std::to_string(i);
        log.Add(e);
    }
    ASSERT_EQ(log.Entries().size(), kCopyLogLimit);
    EXPECT_EQ(log.Entries().front().text, "5");
    EXPECT_EQ(log.Entries().back().text, "1004");
    EXPECT_EQ(log.Find(5), nullptr);  // serials count from 1: the first five are gone
    ASSERT_NE(log.Find(6), nullptr);
    EXPECT_EQ(log.Find(6)->text, "5");
}

TEST(CopyLogStore, ALowerLimitDropsTheOldestAtOnceAndKeepsAtLeastOne) {
    CopyLog log;
    const auto add = [&](const std::string& text) {
        CopyEntry e;
        e.text = text;
        log.Add(e);
    };
    for (int i = 0; i < 10; ++i) add(std::to_string(i));
    log.SetLimit(3);
    ASSERT_EQ(log.Entries().size(), 3u);
    EXPECT_EQ(log.Entries().front().text, "7");
    EXPECT_EQ(log.Find(7), nullptr);
    add("10");
    ASSERT_EQ(log.Entries().size(), 3u);
    EXPECT_EQ(log.Entries().front().text, "8");
    log.SetLimit(0);
    ASSERT_EQ(log.Entries().size(), 1u);
    EXPECT_EQ(log.Entries().front().text, "10");
    EXPECT_EQ(log.Entries().front().serial, 11u);
}

TEST(CopyLogStore, TellsListenersAndLetsThemLeaveWhileTold) {
    CopyLog log;
    std::vector<std::string> told;
    int second = 0;
    log.Subscribe([&](const CopyEntry* e) {
        told.push_back(e ? e->text : "(cleared)");
        log.Unsubscribe(second);
    });
    second = log.Subscribe([&](const CopyEntry*) { told.push_back("second"); });
    CopyEntry e;
    e.text = "A";
    log.Add(e);
    log.Clear();
    EXPECT_EQ(told, (std::vector<std::string>{"A", "(cleared)"}));
    EXPECT_TRUE(log.Entries().empty());
}

// ---- what a copy records ----

TEST(CopyRecording, ToolWindowCopyRecordsWindowButtonAndFields) {
    Fixture f;
    f.host.clock = 54245;
    auto rpm = f.Open("frmRPM");
    Type(*rpm, "Text1", "100");
    Type(*rpm, "Text2", "50");
    rpm->DeliverLeave("Text2");
    rpm->DeliverClick("Command4");
    ASSERT_EQ(f.m.copyLog.Entries().size(), 1u);
    const CopyEntry& e = f.m.copyLog.Entries().back();
    EXPECT_EQ(DateTimeText(e.time), "2026-12-08 15:04:05");
    EXPECT_EQ(e.window, "frmRPM");
    EXPECT_EQ(e.caption, " 周速 ⇔ 回転数");
    EXPECT_EQ(e.button, "Command4");
    EXPECT_EQ(e.buttonCaption, "N");
    EXPECT_EQ(e.text, "S640");
    EXPECT_FALSE(e.activated);
    // Text3 holds the computed 636 but is a field the user types into, so it counts.
    EXPECT_EQ(InputsText(e), "Text1=100 Text2=50 Text3=636");
}

TEST(CopyRecording, OnTheControlTheCopyBringsItsWindowForward) {
    Fixture f;
    f.m.OnControl = true;
    auto rpm = f.Open("frmRPM");
    Type(*rpm, "Text3", "1000");
    rpm->DeliverClick("Command4");
    ASSERT_EQ(f.m.copyLog.Entries().size(), 1u);
    EXPECT_TRUE(f.m.copyLog.Entries().back().activated);
    EXPECT_EQ(f.m.copyLog.Entries().back().text, *f.host.clipboard);
}

struct CalcRow {
    const char* name;
    std::vector<std::string> clicks;  // controls clicked, or keys when `keys`
    bool keys;
    const char* button;
    const char* buttonCaption;
};
const CalcRow kCalc[] = {
    {"ClickedOperator", {"Number(1)", "Number(2)", "Operator(1)"}, false, "Operator(1)", "+"},
    {"EqualsButton",
     {"Number(3)", "Operator(2)", "Number(2)", "Operator(4)"},
     false,
     "Operator(4)",
     "="},
    {"TypedPlusIsTheKey", {"1", "2", "+"}, true, "+", "+"},
    {"EnterIsTheKey", {"3", "*", "2", "Enter"}, true, "Enter", "Enter"},
};
class CalcRecording : public ::testing::TestWithParam<CalcRow> {};
TEST_P(CalcRecording, NamesTheKeyOrButton) {
    Fixture f;
    f.m.OnControl = true;  // the calculator never brings the control's window forward
    auto calc = f.Open("frmCalc");
    for (const std::string& c : GetParam().clicks) {
        if (GetParam().keys)
            calc->DeliverKey(*ParseKey(c), true);
        else
            calc->DeliverClick(c);
    }
    ASSERT_FALSE(f.m.copyLog.Entries().empty());
    const CopyEntry& e = f.m.copyLog.Entries().back();
    EXPECT_EQ(e.window, "frmCalc");
    EXPECT_EQ(e.button, GetParam().button);
    EXPECT_EQ(e.buttonCaption, GetParam().buttonCaption);
    EXPECT_EQ(e.text, *f.host.clipboard);
    EXPECT_FALSE(e.activated);
    EXPECT_TRUE(e.inputs.empty());
}
INSTANTIATE_TEST_SUITE_P(CopyLog, CalcRecording, ::testing::ValuesIn(kCalc),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyRecording, CaptionlessButtonIsNamedByItsTooltip) {
    // A form of its own: a button with a tooltip and no caption that copies.
    class Window : public ToolWindow {
    public:
        explicit Window(Module1& m) : ToolWindow(m, "frmTest", " Test", 0, 0, Topmost::AtLoad) {
            Button("Command1", "").Tip("値をコピー");
            CopyButton("Command1", [] { return "X1"; });
        }
    };
    Fixture f;
    Window w(f.m);
    w.DeliverClick("Command1");
    ASSERT_EQ(f.m.copyLog.Entries().size(), 1u);
    EXPECT_EQ(f.m.copyLog.Entries().back().button, "Command1");
    EXPECT_EQ(f.m.copyLog.Entries().back().buttonCaption, "値をコピー");
}

// ---- the history window ----

struct History {
    Fixture f;
    std::unique_ptr<Form> rpm = f.Open("frmRPM");
    std::unique_ptr<Form> log;
    void CopyRpm(const char* v, const char* d) {
        Type(*rpm, "Text1", v);
        Type(*rpm, "Text2", d);
        rpm->DeliverLeave("Text2");
        rpm->DeliverClick("Command4");
    }
    Control& List() { return (*log)["List1"]; }
};

TEST(CopyLogWindow, ListsNewestFirstAndFollowsLaterCopies) {
    History h;
    h.f.host.clock = 54245;
    h.CopyRpm("100", "50");
    h.log = h.f.Open("frmCopyLog");
    EXPECT_EQ(h.log->Caption, " コピー履歴");
    ASSERT_EQ(h.List().Items.size(), 1u);
    EXPECT_EQ(h.List().Items[0], "15:04:05  周速 ⇔ 回転数  S640");
    EXPECT_EQ(h.List().ListIndex, 0);
    const unsigned before = h.log->Revision();
    h.f.host.clock = 54300;
    h.CopyRpm("200", "50");  // N 1273: "S1270"
    ASSERT_EQ(h.List().Items.size(), 2u);
    EXPECT_EQ(h.List().Items[0].substr(0, 10), "15:05:00  ");
    EXPECT_GT(h.log->Revision(), before);
    // The selection stays on the entry it was on.
    EXPECT_EQ(h.List().ListIndex, 1);
    EXPECT_NE((*h.log)["Text1"].Text.find("S640"), std::string::npos);
}

TEST(CopyLogWindow, TellsTheFrontOfChangesOutsideItsEvents) {
    History h;
    h.log = h.f.Open("frmCopyLog");
    int told = 0;
    h.log->SetChangeListener([&](Form& form) {
        EXPECT_EQ(&form, h.log.get());
        ++told;
    });
    h.CopyRpm("100", "50");
    EXPECT_EQ(told, 1);
    h.log->DeliverClick("Command1");  // its own re-copy: mirrored after its own event
    EXPECT_EQ(told, 1);
}

TEST(CopyLogWindow, MultiLineTextShowsFirstLineAndCount) {
    CopyEntry e;
    e.time = {2026, 12, 8, 15, 4, 5};
    e.caption = " ヌスミ形状1";
    e.text = "N000 G01 X44 Z-15.268\r\nN000     X40.268 Z-18.5\r\nN000 G02 X42 Z-20 L1\r\n";
    EXPECT_EQ(frmCopyLog::ListLine(e), "15:04:05  ヌスミ形状1  N000 G01 X44 Z-15.268 …(3行)");
}

struct RecopyRow {
    const char* name;
    std::function<void(Form&)> act;
};
const RecopyRow kRecopy[] = {
    {"Button", [](Form& f) { f.DeliverClick("Command1"); }},
    {"EnterInList",
     [](Form& f) {
         f.DeliverFocus("List1");
         f.DeliverKey(*ParseKey("Enter"), true);
     }},
    {"DoubleClick", [](Form& f) { f.DeliverDblClick("List1", 1); }},
};
class Recopy : public ::testing::TestWithParam<RecopyRow> {};
TEST_P(Recopy, CopiesTheOlderEntryAgainAsTheOriginalWindow) {
    History h;
    h.f.m.OnControl = true;
    h.CopyRpm("100", "50");  // S640
    h.CopyRpm("200", "50");  // S1270
    h.log = h.f.Open("frmCopyLog");
    h.log->DeliverPick("List1", 1);  // the older one
    const size_t activations = h.f.host.activations.size();
    GetParam().act(*h.log);
    EXPECT_EQ(*h.f.host.clipboard, "S640");
    EXPECT_EQ(h.f.host.activations.size(), activations + 1);
    ASSERT_EQ(h.f.m.copyLog.Entries().size(), 3u);
    const CopyEntry& e = h.f.m.copyLog.Entries().back();
    EXPECT_EQ(e.window, "frmRPM");
    EXPECT_EQ(e.caption, " 周速 ⇔ 回転数");
    EXPECT_EQ(e.button, "Command1");
    EXPECT_EQ(e.buttonCaption, "再コピー");
    EXPECT_EQ(e.text, "S640");
    EXPECT_TRUE(e.activated);
    EXPECT_EQ(InputsText(e), "Text1=100 Text2=50 Text3=636");
    EXPECT_EQ(h.List().Items.size(), 3u);
    EXPECT_NE(h.List().Items[0].find("S640"), std::string::npos);
}
INSTANTIATE_TEST_SUITE_P(CopyLog, Recopy, ::testing::ValuesIn(kRecopy),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CopyLogWindow, ClearAsksAndNoIsTheDefault) {
    History h;
    h.CopyRpm("100", "50");
    h.log = h.f.Open("frmCopyLog");
    h.log->DeliverClick("Command3");  // no answer given: the default, いいえ
    ASSERT_EQ(h.f.host.messages.size(), 1u);
    EXPECT_EQ(h.f.host.messages[0].text, "コピー履歴をすべて消去しますか?");
    EXPECT_EQ(h.f.host.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(h.f.m.copyLog.Entries().size(), 1u);
    h.f.host.answers.push_back(true);
    h.log->DeliverClick("Command3");
    EXPECT_TRUE(h.f.m.copyLog.Entries().empty());
    EXPECT_TRUE(h.List().Items.empty());
    EXPECT_EQ(h.List().ListIndex, -1);
    EXPECT_EQ((*h.log)["Text1"].Text, "");
    EXPECT_FALSE((*h.log)["Command1"].Enabled);
    EXPECT_FALSE((*h.log)["Command3"].Enabled);
}

// A disk whose replacement stops after the temporary file, as a full disk would.
class FullDisk : public DiskFiles {
protected:
    std::optional<std::string> BeforeReplace(const std::filesystem::path&) override {
        return "no space left on device";
    }
};

TEST(CopyLogWindow, FailedSaveSaysSoAndKeepsTheOldFile) {
    TempDir dir;
    const auto file = dir / "history.csv";
    WriteBytes(file, "old");
    RecordingHost host;
    FullDisk disk;
    Module1 m(host, disk);
    host.startDate = DateTime{2026, 12, 8};
    auto rpm = FindWindowInfo("frmRPM")->create(m);
    StartWindow(*rpm, nullptr);
    rpm->DeliverSetText("Text3", "1000");
    rpm->DeliverClick("Command4");
    auto log = FindWindowInfo("frmCopyLog")->create(m);
    StartWindow(*log, nullptr);
    host.saveAs = PathToUtf8(file);
    log->DeliverClick("Command2");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(host.messages[0].text.find("保存できませんでした"), std::string::npos);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_FALSE(std::filesystem::exists(DiskFiles::TempPathFor(file)));
}

TEST(CopyLogWindow, SaveWritesCsvAndSaysOnceWhatWasReplaced) {
    TempDir dir;
    const auto file = dir / "history.csv";
    Fixture f;
    f.host.clock = 54245;
    auto comment = f.Open("frmComment");
    comment->DeliverSetText("Comment1", "€1,€2");
    comment->DeliverClick("Command3");
    auto log = f.Open("frmCopyLog");
    f.host.saveAs = PathToUtf8(file);
    log->DeliverClick("Command2");
    ASSERT_EQ(f.host.saveRequests.size(), 1u);
    EXPECT_EQ(f.host.saveRequests[0].extension, "csv");
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].icon, MessageIcon::Information);
    EXPECT_NE(f.host.messages[0].text.find("2 個"), std::string::npos);
    const auto rows = testkit::ReadCsv(cp932::ToUtf8(ReadBytes(file)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"日時", "ウィンドウ", "ボタン", "コピー内容", "入力"}));
    EXPECT_EQ(rows[1][0], "2026-12-08 15:04:05");
    EXPECT_NE(rows[1][3].find("?1,?2"), std::string::npos) << rows[1][3];
    // Cancelling the dialog writes nothing and says nothing.
    f.host.saveAs.reset();
    std::filesystem::remove(file);
    log->DeliverClick("Command2");
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(f.host.messages.size(), 1u);
}

// ---- the form runtime's double click ----

TEST(DoubleClick, PicksTheItemThenDoubleClicks) {
    Fixture f;
    auto log = f.Open("frmCopyLog");
    EXPECT_THROW(log->DeliverDblClick("List1"), UsageError);
    EXPECT_THROW(log->DeliverDblClick("List1", 0), UsageError);  // no items yet
    EXPECT_THROW(log->DeliverDblClick("Command1", 0), UsageError);
    EXPECT_THROW(log->DeliverDblClick("Nothing"), UsageError);
}

// ---- the launcher's menu ----

TEST(MoreMenu, ListsTheMenuWindowsAndOpensThem) {
    Fixture f;
    Menu menu(f.m);
    menu.Load();
    menu.Activate();
    ASSERT_FALSE(MenuWindows().empty());
    EXPECT_EQ(MenuWindows()[0].className, "frmCopyLog");
    EXPECT_EQ(menu.MenuEntries,
              (std::vector<std::string>{"コピー履歴", "穴位置 P.C.D.", "形状チェック"}));
    EXPECT_EQ(menu.MenuTip, "その他");
    menu.DeliverMenu("コピー履歴");
    Form* open = menu.Windows().Find("frmCopyLog");
    ASSERT_NE(open, nullptr);
    menu.DeliverMenu("コピー履歴");  // again: the same window
    EXPECT_EQ(menu.Windows().Find("frmCopyLog"), open);
    EXPECT_THROW(menu.DeliverMenu("回転数"), UsageError);
}

TEST(MoreMenu, CtrlHOpensTheHistoryAndHIsNoShortcut) {
    Fixture f;
    Menu menu(f.m);
    menu.Load();
    menu.Activate();
    menu.DeliverKey(*ParseKey("h"), true);
    EXPECT_EQ(menu.Windows().Find("frmCopyLog"), nullptr);
    menu.DeliverKey(*ParseKey("Ctrl+H"), true);
    EXPECT_NE(menu.Windows().Find("frmCopyLog"), nullptr);
    EXPECT_EQ(KeyName(*ParseKey("Ctrl+h")), "Ctrl+H");
    EXPECT_FALSE(ParseKey("Ctrl+1"));
}

TEST(MoreMenu, WindowsWithoutMenuRefuseAPick) {
    Fixture f;
    auto rpm = f.Open("frmRPM");
    EXPECT_THROW(rpm->DeliverMenu("コピー履歴"), UsageError);
}

}  // namespace
}  // namespace quillon
