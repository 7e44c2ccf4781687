#include "machining/frmCopyLog.h"

#include "shell/native_path.h"

namespace quillon {
namespace {

constexpr const char* kTitle = "コピー履歴";
const Field kList{"List1"};
const Field kDetail{"Text1"};
const Field kRecopy{"Command1"};
const Field kSave{"Command2"};
const Field kClear{"Command3"};

}  // namespace

frmCopyLog::frmCopyLog(Module1& m)
    : ToolWindow(m, "frmCopyLog", " コピー履歴", 3000, 2500, Topmost::EachActivation) {
    // The list over the whole width, the selected entry below it, the four buttons in a row.
    Add(kList, ControlKind::ListBox).At(0, 0, 1, 4).Size(460, 220);
    Control& detail = TextBox(kDetail).At(1, 0, 1, 4).Size(460, 130);
    detail.Multiline = true;
    detail.Locked = true;
    detail.TabStop = false;
    Button(kRecopy, "再コピー").At(2, 0);
    Button(kSave, "CSV保存").At(2, 1);
    Button(kClear, "全消去").At(2, 2);
    Button("Command4", "閉じる").At(2, 3);

    On(kList, Event::Click, [this] { List1_Click(); });
    On(kList, Event::DblClick, [this] { Command1_Click(); });
    OnKey(kList, Event::KeyDown, [this](KeyArgs& k) {
        if (k.keyCode == keys::Enter && k.shift == 0) Command1_Click();
    });
    On(kRecopy, Event::Click, [this] { Command1_Click(); });
    On(kSave, Event::Click, [this] { Command2_Click(); });
    On(kClear, Event::Click, [this] { Command3_Click(); });
    CloseButton("Command4");

    subscription_ = M().copyLog.Subscribe([this](const CopyEntry*) {
        if (Unloaded()) return;
        Refresh();
        StateChanged();
    });
    Refresh();
}

frmCopyLog::~frmCopyLog() {
    M().copyLog.Unsubscribe(subscription_);
}

void frmCopyLog::Form_Load() {
    ToolWindow::Form_Load();
    Refresh();
}

std::string frmCopyLog::ListLine(const CopyEntry& entry) {
    std::string caption = entry.caption;
    const auto first = caption.find_first_not_of(' ');
    caption = first == std::string::npos ? "" : caption.substr(first);
    std::string line = TimeText(entry.time) + "  " + caption + "  " + FirstLine(entry.text);
    const size_t lines = LineCount(entry.text);
    if (lines > 1) line += " …(" + std::to_string(lines) + "行)";
    return line;
}

std::string frmCopyLog::DetailText(const CopyEntry& entry) {
    // The copied text last: it may run over several lines.
    std::string text = "日時: " + DateTimeText(entry.time) + "\r\n";
    text += "ウィンドウ: " + entry.caption + " (" + entry.window + ")\r\n";
    text += "ボタン: " + entry.buttonCaption;
    if (!entry.button.empty() && entry.button != entry.buttonCaption)
        text += " (" + entry.button + ")";
    text += "\r\n";
    text += "入力: " + InputsText(entry) + "\r\n";
    text += std::string("操作画面を前面に: ") + (entry.activated ? "はい" : "いいえ") + "\r\n";
    text += "コピー内容:\r\n" + entry.text;
    return text;
}

const CopyEntry* frmCopyLog::Selected() {
    return selected_ ? M().copyLog.Find(selected_) : nullptr;
}

void frmCopyLog::Refresh() {
    const auto& entries = M().copyLog.Entries();
    Control& list = (*this)[kList];
    list.Items.clear();
    list.Items.reserve(entries.size());
    int index = -1;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->serial == selected_) index = static_cast<int>(list.Items.size());
        list.Items.push_back(ListLine(*it));
    }
    if (index < 0 && !entries.empty()) {
        index = 0;
        selected_ = entries.back().serial;
    }
    if (index < 0) selected_ = 0;
    list.ListIndex = index;
    ShowSelected();
}

void frmCopyLog::ShowSelected() {
    const CopyEntry* entry = Selected();
    (*this)[kDetail].Text = entry ? DetailText(*entry) : "";
    (*this)[kRecopy].Enabled = entry != nullptr;
    (*this)[kSave].Enabled = !M().copyLog.Entries().empty();
    (*this)[kClear].Enabled = !M().copyLog.Entries().empty();
}

void frmCopyLog::List1_Click() {
    const auto& entries = M().copyLog.Entries();
    const int index = (*this)[kList].ListIndex;
    if (index >= 0 && static_cast<size_t>(index) < entries.size())
        selected_ = entries[entries.size() - 1 - static_cast<size_t>(index)].serial;
    ShowSelected();
}

void frmCopyLog::Command1_Click() {
    const CopyEntry* entry = Selected();
    if (!entry) return;
    // The re-copy is recorded under the window that made the selected copy, with this button
    // as its button. The entry is taken by value: recording the new copy can drop the oldest
    // entry, which may be the selected one.
    CopyEntry as = *entry;
    as.button = kRecopy.name;
    as.buttonCaption = (*this)[kRecopy].Text;
    CopyToClipboard(as.text, as);
}

void frmCopyLog::Command2_Click() {
    const std::optional<std::string> path =
        M().host.AskSaveFileName({kTitle, "コピー履歴.csv", "CSV ファイル (*.csv)", "csv"});
    if (!path || path->empty()) return;
    const CsvFile csv = CopyLogCsv(M().copyLog.Entries());
    if (const auto error = M().files.ReplaceAtomically(PathFromUtf8(*path), csv.bytes)) {
        M().host.ShowMessage({MessageIcon::Critical, kTitle,
                              "CSVファイルに保存できませんでした。\n" + *path + "\n" + *error});
        return;
    }
    if (csv.replaced > 0)
        M().host.ShowMessage({MessageIcon::Information, kTitle,
                              "Shift-JIS (CP932) で書けない文字 " + std::to_string(csv.replaced) +
                                  " 個を \"?\" にして保存しました。"});
}

void frmCopyLog::Command3_Click() {
    if (M().copyLog.Entries().empty()) return;
    if (!M().host.AskYesNo({MessageIcon::Question, kTitle, "コピー履歴をすべて消去しますか?"},
                           false))
        return;
    M().copyLog.Clear();
}

}  // namespace quillon
