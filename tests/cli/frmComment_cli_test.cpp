// frmComment end to end: phrases picked with the arrow keys, completed, bracketed and copied.
#include <memory>

#include "app/recording_host.h"
#include "app/registry.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "support/cli_json.h"

namespace quillon::testkit {
namespace {

const std::vector<std::string> kEnglish = {
    "OD.ROUGH",       "ID.ROUGH",      "OD.FINISH",   "ID.FINISH",   "OD.GROOVE W",
    "ID.GROOVE W",    "FACE GROOVE W", "OD.THREAD M", "ID.THREAD M", "FACE MILL D",
    "CENTER DRILL D", "DRILL D",       "TAP M",       "ENDMILL D"};
const std::vector<std::string> kJapanese = {
    "外径荒引き",        "内径荒引き",     "外径仕上げ",   "内径仕上げ",   "外径ミゾ入れ W",
    "内径ミゾ入れ W",    "端面ミゾ入れ W", "外径ネジ切 M", "内径ネジ切 M", "フェースミル D",
    "センター ドリル D", "ドリル D",       "タップ M",     "エンドミル D"};

// ↓ five times to "OD.GROOVE W", → to the end, then "3".
const std::vector<std::string> kGrooveW3 = {"key:Down", "key:Down",  "key:Down", "key:Down",
                                            "key:Down", "key:Right", "key:3"};

struct Row {
    const char* name;
    std::vector<std::string> steps;
    const char* text;       // Comment1 afterwards
    const char* clipboard;  // nullptr: nothing copied
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

const Row kRows[] = {
    {"EnterCopiesInTheArrowStyle", kGrooveW3 + std::vector<std::string>{"key:Enter"},
     "OD.GROOVE W3", "(-----< OD.GROOVE W3 >-----)"},
    {"RoundBrackets", kGrooveW3 + std::vector<std::string>{"click:Option2", "key:Enter"},
     "OD.GROOVE W3", "( OD.GROOVE W3 )"},
    {"Bare", kGrooveW3 + std::vector<std::string>{"click:Option3", "click:Command3"},
     "OD.GROOVE W3", "OD.GROOVE W3"},
    {"EmptyCommentGivesTheBareBrackets", {"click:Command3"}, "", "(-----<  >-----)"},
    {"EmptyRoundBrackets", {"click:Option2", "key:Enter"}, "", "(  )"},
    {"WithoutRightTheTypedCharacterReplacesTheChosenPhrase",
     {"key:Down", "key:3", "key:Enter"},
     "3",
     "(-----< 3 >-----)"},
    {"UpStopsAtTheFirstPhrase",
     {"key:Down", "key:Down", "key:Up", "key:Up", "key:Up"},
     "OD.ROUGH",
     nullptr},
    {"DownStopsAtTheLastPhrase", std::vector<std::string>(16, "key:Down"), "ENDMILL D", nullptr},
    {"PickedFromTheList",
     {"click:Comment1=11", "set:Comment1=DRILL D8.5", "key:Enter"},
     "DRILL D8.5",
     "(-----< DRILL D8.5 >-----)"},
    {"JapanesePhrase",
     std::vector<std::string>{"click:Command2"} + kGrooveW3 + std::vector<std::string>{"key:Enter"},
     "外径ミゾ入れ W3", "(-----< 外径ミゾ入れ W3 >-----)"},
    {"SwitchingEmptiesTheEditPart", kGrooveW3 + std::vector<std::string>{"click:Command2"}, "",
     nullptr},
};

class CommentCli : public ::testing::TestWithParam<Row> {};

TEST_P(CommentCli, CopiesTheComment) {
    const Row& row = GetParam();
    const Json j = RunCli("frmComment", row.steps);
    EXPECT_EQ(j["texts"]["Comment1"], row.text);
    if (row.clipboard)
        EXPECT_EQ(j["clipboard"], row.clipboard);
    else
        EXPECT_EQ(j["clipboard"], nullptr);
}

INSTANTIATE_TEST_SUITE_P(Examples, CommentCli, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct LanguageRow {
    int clicks;  // on Command2
    const char* caption;
    const char* button;
    const std::vector<std::string>* phrases;
};

TEST(CommentCli, TheLanguageAlternatesOnEveryClick) {
    const LanguageRow rows[] = {
        {0, "コメント (半角入力)", "→日本語", &kEnglish},
        {1, "コメント (全角入力)", "→英語", &kJapanese},
        {2, "コメント (半角入力)", "→日本語", &kEnglish},
        {3, "コメント (全角入力)", "→英語", &kJapanese},
    };
    for (const LanguageRow& row : rows) {
        const Json j = RunCli("frmComment", std::vector<std::string>(
                                                static_cast<size_t>(row.clicks), "click:Command2"));
        EXPECT_EQ(j["caption"], row.caption) << row.clicks;
        EXPECT_EQ(j["texts"]["Command2"], row.button) << row.clicks;
        EXPECT_EQ(j["lists"]["Comment1"], *row.phrases) << row.clicks;
        EXPECT_EQ(j["focus"], "Comment1");
    }
}

TEST(CommentCli, CopyBringsTheControlForward) {
    const CliResult r = RunCli({"--on-control", "frmComment", "key:Down", "key:Enter"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.json["clipboard"], "(-----< OD.ROUGH >-----)");
    EXPECT_EQ(r.json["activations"], 1);
    EXPECT_TRUE(r.json["values"]["Option1"]);
}

// The input method follows the language: off (half-width) for English, on for Japanese.
TEST(CommentInputMode, FollowsTheLanguage) {
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    std::unique_ptr<Form> form = FindWindowInfo("frmComment")->create(m);
    form->Load();
    form->Activate();
    form->DeliverClick("Command2");
    form->DeliverClick("Command2");
    using Mode = std::pair<std::string, InputMode>;
    EXPECT_EQ(host.inputModes, (std::vector<Mode>{{"Comment1", InputMode::Off},
                                                  {"Comment1", InputMode::On},
                                                  {"Comment1", InputMode::Off}}));
}

}  // namespace
}  // namespace quillon::testkit
