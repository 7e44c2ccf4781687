#include "fkeyreg/Orbane.h"

#include "shell/color.h"
#include "shell/module1.h"
#include "shell/native_path.h"

namespace fs = std::filesystem;

namespace quillon {

const OrbaneBuild kOrbaneBuild = {
    "Orbane",
    "\\Quillon.exe",
    "Quillon",
    "QUILLON",
    "Quillon",
    "Quillon.exeファイルが見つかりません。",
    "ファンクションキーにQuillonを登録しました。",
    "ファンクションキーからQuillonを削除しました。",
    "OSP-P200の縦ファンクションキーにQuillonのショートカットを登録または削除をおこないます。",
    "OSP画面の右側面にあるこのファンクションキーを押すとQuillonのショートカットが表示されます。",
};

const OrbaneBuild kOrbaneCalculatorBuild = {
    "OrbaneCalculator",
    "\\Calculator.exe",
    "Calculator",
    "電卓",
    "電卓",
    "Calculator.exeファイルが見つかりません。",
    "ファンクションキーに電卓を登録しました。",
    "ファンクションキーから電卓を削除しました。",
    "OSP-P200の縦ファンクションキーに電卓のショートカットを登録または削除をおこないます。",
    "OSP画面の右側面にあるこのファンクションキーを押すと電卓のショートカットが表示されます。",
};

namespace {

constexpr const char* kCaption = "縦ファンクションキー設定";
constexpr const char* kDesignCaption = "設  定";
constexpr const char* kCancel = "キャンセル";
constexpr const char* kPutInSameFolder = "このソフトを同じフォルダーに入れてください。";
constexpr const char* kPathFileMissing = "\\V-FKEY\\LV*.INIファイルが見つかりません。";
constexpr const char* kOnlyOsp = "このソフトはOSP-P200のみ有効です。";
constexpr const char* kCaptionFileMissing = "\\JPN\\LV*.INIファイルが見つかりません。";
constexpr const char* kRegistered = "現在すでに登録されています。";
constexpr const char* kNotRegistered = "現在は未登録です。";
constexpr const char* kPowerCycle = "電源を再投入してください。";
constexpr const char* kPathHeader = "[SuppPath]";
constexpr const char* kCaptionHeader = "[SuppCap]";
constexpr const char* kPattern = "LV*.INI";

// The control's folders under its root, and how the messages name them.
constexpr const char* kKeyFolder = "V-FKEY";
constexpr const char* kCaptionFolder = "JPN";
constexpr const char* kPathLabel = "\\V-FKEY\\";
constexpr const char* kCaptionLabel = "\\V-FKEY\\JPN\\";

std::string Entry(int i) {
    return "data" + std::to_string(i);
}

constexpr Field kHint{"Label1"};
constexpr Field kKeyNote{"Label3"};
constexpr Field kState{"Label2"};
constexpr Field kKeyPicture{"Image1"};
constexpr Field kRegisterButton{"Command1"};
constexpr Field kCancelButton{"Command2"};

}  // namespace

std::string TargetPath(std::string_view folderUtf8, std::string_view targetFile) {
    std::string out(folderUtf8);
    const bool endsWithSeparator = !out.empty() && (out.back() == '\\' || out.back() == '/');
    if (endsWithSeparator && !targetFile.empty() && targetFile.front() == '\\')
        targetFile.remove_prefix(1);
    return out + std::string(targetFile);
}

std::optional<fs::path> FunctionKeyRoot(const std::optional<fs::path>& controlRoot) {
    return controlRoot ? controlRoot : DefaultControlRoot();
}

Orbane::Orbane(Module1& m, const OrbaneBuild& build)
    : Form(m, build.className, kCaption), build_(build) {
    Label("Label1", build.label1).At(0, 0, 1, 2);
    Add("Image1", ControlKind::Image).At(1, 0).Size(160, 160);
    Label("Label3", build.label3).At(1, 1);
    Label("Label2", "").At(2, 0, 1, 2);
    Button("Command1", kDesignCaption).At(3, 0);
    Button("Command2", kCancel).At(3, 1);
    (*this)[kHint].Multiline = true;
    (*this)[kKeyNote].Multiline = true;
    DrawKeyColumn();

    On(kRegisterButton, Event::Click, [this] { Command1_Click(); });
    On(kCancelButton, Event::Click, [this] { Command2_Click(); });
}

// The picture beside the hint: the right edge of the control's screen with its column of
// eight vertical function keys, the key that starts the program marked with its caption.
void Orbane::DrawKeyColumn() {
    Control& image = (*this)[kKeyPicture];
    image.BackColor = colors::White;
    image.Pic = std::make_unique<Picture>(160, 160);
    Picture& pic = *image.Pic;
    pic.SetScale(0, 0, 100, 100);
    const auto box = [&pic](double x1, double y1, double x2, double y2, Color c) {
        pic.Line(x1, y1, x2, y1, c);
        pic.Line(x2, y1, x2, y2, c);
        pic.Line(x2, y2, x1, y2, c);
        pic.Line(x1, y2, x1, y1, c);
    };
    const Color screen = Color::Rgb(64, 64, 64);
    const Color key = Color::Rgb(128, 128, 128);
    box(2, 2, 56, 98, screen);
    pic.ForeColor = screen;
    pic.CurrentX = 6;
    pic.CurrentY = 6;
    pic.Print("OSP");
    for (int i = 0; i < fkeyreg::kEntries; ++i) {
        const double top = 3 + i * 12;
        box(60, top, 98, top + 10, i == 0 ? colors::Blue : key);
    }
    // The marked key is drawn twice as strong and carries the caption that is registered.
    box(61, 4, 97, 12, colors::Blue);
    pic.ForeColor = colors::Blue;
    pic.CurrentX = 63;
    pic.CurrentY = 5;
    pic.Print(build_.caption);
}

void Orbane::End() {
    Unload();
    M().host.EndProgram();
}

void Orbane::Fail(const std::string& text) {
    M().host.ShowMessage({MessageIcon::Critical, "", text});
    End();
}

void Orbane::Form_Load() {
    Files& files = M().files;
    const std::string target = std::string(build_.targetFile).substr(1);
    if (!files.FirstMatch(M().ProgramFolder, target)) {
        Fail(std::string(build_.missingTarget) + "\n" + kPutInSameFolder);
        return;
    }
    const auto root = FunctionKeyRoot(M().ControlRoot);
    const fs::path pathDir = root ? *root / kKeyFolder : fs::path();
    const auto pathName = root ? files.FirstMatch(pathDir, kPattern) : std::nullopt;
    if (!pathName) {
        Fail(std::string(kPathFileMissing) + "\n" + kOnlyOsp);
        return;
    }
    PathFileName = *pathName;
    const fs::path captionDir = pathDir / kCaptionFolder;
    const auto captionName = files.FirstMatch(captionDir, kPattern);
    if (!captionName) {
        Fail(std::string(kCaptionFileMissing) + "\n" + kOnlyOsp);
        return;
    }
    CaptionFileName = *captionName;

    pathFile_ = pathDir / PathFromUtf8(PathFileName);
    captionFile_ = captionDir / PathFromUtf8(CaptionFileName);
    const auto pathText = files.ReadAll(pathFile_);
    const auto captionText = pathText ? files.ReadAll(captionFile_) : std::nullopt;
    if (!pathText || !captionText) {
        Fail((!pathText ? kPathLabel + PathFileName : kCaptionLabel + CaptionFileName) +
             "ファイルを読み込めません。");
        return;
    }
    PathFileText = *pathText;
    CaptionFileText = *captionText;

    if (fkeyreg::Contains(PathFileText, build_.pathKey)) {
        SetText(kRegisterButton, orbane_text::kRemove);
        SetText(kState, kRegistered);
    } else {
        SetText(kRegisterButton, orbane_text::kRegister);
        SetText(kState, kNotRegistered);
    }
}

Orbane::FileResult Orbane::Apply(const fs::path& file, std::string label, const char* header,
                                 const std::string& text, bool registering,
                                 const std::string& value) {
    FileResult result{std::move(label), header, {}, std::nullopt};
    result.edit =
        registering ? fkeyreg::Register(text, header, value) : fkeyreg::Remove(text, header, value);
    // Only a changed file is written, and only through a complete copy that replaces it at
    // once: the control is switched off right after this program.
    if (result.edit.Changed())
        result.writeError = M().files.ReplaceAtomically(file, result.edit.bytes);
    return result;
}

std::string Orbane::Reason(const FileResult& r) const {
    if (r.writeError) return "ファイルに書き込めませんでした。（" + *r.writeError + "）";
    const std::string entry = Entry(r.edit.entry);
    switch (r.edit.outcome) {
        case fkeyreg::Outcome::NoFreeEntry:
            return "data1からdata8まで空きがありません。";
        case fkeyreg::Outcome::NotNamed:
            return std::string(build_.subject) + "が登録されているキーがありません。";
        case fkeyreg::Outcome::NoHeader:
            return r.header + "がありません。";
        case fkeyreg::Outcome::MissingEntry:
            return r.header + "の後に" + entry + "がありません。";
        case fkeyreg::Outcome::EntryNotEnded:
            return entry + "の行が改行で終わっていません。";
        case fkeyreg::Outcome::EntryWithoutEquals:
            return entry + "の行に「=」がありません。";
        case fkeyreg::Outcome::Unencodable:
            return "フォルダー名にファイルへ書き込めない文字が含まれています。";
        case fkeyreg::Outcome::Changed:
            break;
    }
    return "";
}

std::string Orbane::Unchanged(const FileResult& r) const {
    return r.label + "ファイルは変更していません。\n" + Reason(r);
}

void Orbane::Command1_Click() {
    const bool registering = Text(kRegisterButton) == orbane_text::kRegister;
    const std::string pathValue = registering
                                      ? TargetPath(PathToUtf8(M().ProgramFolder), build_.targetFile)
                                      : std::string(build_.pathKey);
    const FileResult results[] = {
        Apply(pathFile_, kPathLabel + PathFileName, kPathHeader, PathFileText, registering,
              pathValue),
        Apply(captionFile_, kCaptionLabel + CaptionFileName, kCaptionHeader, CaptionFileText,
              registering, build_.caption),
    };
    Unload();
    Host& host = M().host;
    if (results[0].Written() || results[1].Written()) {
        // Something changed: the control reads the files only at power-up.
        host.ShowMessage(
            {MessageIcon::Warning, "",
             std::string(registering ? build_.registered : build_.removed) + "\n" + kPowerCycle});
        for (const FileResult& r : results)
            if (!r.Written()) host.ShowMessage({MessageIcon::Warning, "", Unchanged(r)});
    } else {
        std::string text = registering ? "ファンクションキーに" + std::string(build_.subject) +
                                             "を登録できませんでした。"
                                       : "ファンクションキーから" + std::string(build_.subject) +
                                             "を削除できませんでした。";
        for (const FileResult& r : results) text += "\n" + Unchanged(r);
        host.ShowMessage({MessageIcon::Critical, "", text});
    }
    host.EndProgram();
}

void Orbane::Command2_Click() {
    End();
}

}  // namespace quillon
