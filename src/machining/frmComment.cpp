#include "machining/frmComment.h"

#include <array>
#include <utility>

namespace quillon {
namespace {

// The stock phrases, row n of one list the translation of row n of the other. Those ending
// in W, M or D are completed with a groove width, a thread size or a tool diameter.
constexpr std::array<std::pair<const char*, const char*>, 14> kPhrases = {{
    {"OD.ROUGH", "外径荒引き"},
    {"ID.ROUGH", "内径荒引き"},
    {"OD.FINISH", "外径仕上げ"},
    {"ID.FINISH", "内径仕上げ"},
    {"OD.GROOVE W", "外径ミゾ入れ W"},
    {"ID.GROOVE W", "内径ミゾ入れ W"},
    {"FACE GROOVE W", "端面ミゾ入れ W"},
    {"OD.THREAD M", "外径ネジ切 M"},
    {"ID.THREAD M", "内径ネジ切 M"},
    {"FACE MILL D", "フェースミル D"},
    {"CENTER DRILL D", "センター ドリル D"},
    {"DRILL D", "ドリル D"},
    {"TAP M", "タップ M"},
    {"ENDMILL D", "エンドミル D"},
}};

constexpr Field kComment{"Comment1"};
constexpr Field kArrowBrackets{"Option1"};
constexpr Field kPlainBrackets{"Option2"};
constexpr Field kNoBrackets{"Option3"};
constexpr Field kLanguage{"Command2"};
constexpr Field kCopy{"Command3"};

}  // namespace

frmComment::frmComment(Module1& m)
    : ToolWindow(m, "frmComment", "　コメント (ローマ字)", 2800, 2000, Topmost::EachActivation) {
    // The comment on top; the bracket styles beside the copy, language and close buttons.
    Add("Comment1", ControlKind::ComboBox)
        .At(0, 0, 1, 4)
        .Size(360, 0)
        .Font("ＭＳ ゴシック", 14)
        .Tip("カーソルキー↑↓で選択後→で追加して下さい。");
    Frame("Frame1", "フォーム").At(1, 0).Tip("コピー時に( )が追加されます。");
    Option("Option1", "(-< >-)", true).In("Frame1").At(0, 0);
    Option("Option2", "(  )").In("Frame1").At(0, 1);
    Option("Option3", "なし").In("Frame1").At(0, 2);
    Button("Command3", "コピー").At(1, 1).Tip("Enterキーでもコピーされます。");
    Button("Command2", "日本語")
        .At(1, 2)
        .Tip("日本語入力と英語入力の切替。リストの内容も変更されます。");
    Button("Command1", "閉じる").At(1, 3);

    OnKey(kComment, Event::KeyPress, [this](KeyArgs& k) {
        if (k.keyAscii != keys::Enter) return;
        (*this)[kCopy].BackColor = colors::ButtonShadow;
        M().WaitSeconds(0.1);
        (*this)[kCopy].BackColor = colors::ButtonFace;
        Command3_Click();
    });
    for (const Field& option : {kArrowBrackets, kPlainBrackets, kNoBrackets})
        On(option, Event::Click, [this] { SetFocus(kComment); });
    On(kLanguage, Event::Click, [this] { Command2_Click(); });
    On(kCopy, Event::Click, [this] { Command3_Click(); });
    CloseButton("Command1");
}

void frmComment::Form_Load() {
    japanese_ = false;
    SetEnglishInput();
    ToolWindow::Form_Load();
}

void frmComment::SetEnglishInput() {
    SetLanguage("コメント (半角入力)", "→日本語", false, InputMode::Off);
}

void frmComment::SetJapaneseInput() {
    SetLanguage("コメント (全角入力)", "→英語", true, InputMode::On);
}

void frmComment::SetLanguage(const char* caption, const char* button, bool japanese,
                             InputMode mode) {
    Caption = caption;
    (*this)[kLanguage].Text = button;
    // The list and the edit part are emptied, then the list is filled in row order.
    Control& comment = (*this)[kComment];
    comment.Items.clear();
    comment.ListIndex = -1;
    SetText(kComment, "");
    for (const auto& [english, japaneseText] : kPhrases)
        comment.Items.emplace_back(japanese ? japaneseText : english);
    M().host.SetInputMode(*this, kComment, mode);
}

void frmComment::Command2_Click() {
    if (japanese_) {
        SetEnglishInput();
        japanese_ = false;
    } else {
        SetJapaneseInput();
        japanese_ = true;
    }
    SetFocus(kComment);
}

std::string frmComment::CommentText() {
    const std::string& text = Text(kComment);
    if ((*this)[kArrowBrackets].Value) return "(-----< " + text + " >-----)";
    if ((*this)[kPlainBrackets].Value) return "( " + text + " )";
    return text;
}

void frmComment::Command3_Click() {
    CopyToClipboard(CommentText());
}

}  // namespace quillon
