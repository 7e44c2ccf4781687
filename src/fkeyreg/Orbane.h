// The registration program: adds a program to the OSP-P200's vertical function keys, or
// removes it, by editing the control's two function-key files, then ends.
//
// One source gives two builds that differ only in their constants: `Orbane` registers
// Quillon, `OrbaneCalculator` registers "Calculator.exe". Each expects to lie in the folder
// of the program it registers, and writes that folder into the path file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fkeyreg/fkey_file.h"
#include "shell/form.h"

namespace quillon {

// What differs between the two builds.
struct OrbaneBuild {
    const char* className;
    const char* targetFile;     // checked in the own folder, appended to it in the path entry
    const char* pathKey;        // registered test and removal in the path file
    const char* caption;        // written into the caption file, and its removal key
    const char* subject;        // how the messages name the program
    const char* missingTarget;  // first line of the message when the target is missing
    const char* registered;
    const char* removed;
    const char* label1;
    const char* label3;
};

extern const OrbaneBuild kOrbaneBuild;
extern const OrbaneBuild kOrbaneCalculatorBuild;

// Texts the window shows in both builds.
namespace orbane_text {
inline constexpr const char* kRegister = "登　録";
inline constexpr const char* kRemove = "削　除";
}  // namespace orbane_text

// The path written into the path file: the program folder followed by the target file name
// ("\Quillon.exe"). The folder is kept exactly as given; when it already ends with a separator
// ("C:\", or "/" on other systems) the target's own backslash is dropped so that none is
// doubled ("C:\" gives "C:\Quillon.exe").
std::string TargetPath(std::string_view folderUtf8, std::string_view targetFile);

// The folder that stands for the control's "C:\OSP-P": the given control root, else that path
// on Windows; none on other systems.
std::optional<std::filesystem::path> FunctionKeyRoot(
    const std::optional<std::filesystem::path>& controlRoot);

class Orbane : public Form {
public:
    explicit Orbane(Module1& m) : Orbane(m, kOrbaneBuild) {}

    const OrbaneBuild& Build() const { return build_; }

    void Command1_Click();
    void Command2_Click();

    // File names found at start (first match of "LV*.INI") and their whole contents, as the
    // CP932 bytes read.
    std::string PathFileName;
    std::string CaptionFileName;
    std::string PathFileText;
    std::string CaptionFileText;

protected:
    Orbane(Module1& m, const OrbaneBuild& build);

    void Form_Load() override;

private:
    // The outcome of one file: the edit, and the reason it was not written, if any.
    struct FileResult {
        std::string label;  // "\V-FKEY\LV01.INI"
        std::string header;
        fkeyreg::Edit edit;
        std::optional<std::string> writeError;

        bool Written() const { return edit.Changed() && !writeError; }
    };

    // Start-up failure: the message with the error icon, then the window closes and the
    // program ends.
    void Fail(const std::string& text);
    void End();
    FileResult Apply(const std::filesystem::path& file, std::string label, const char* header,
                     const std::string& text, bool registering, const std::string& value);
    std::string Reason(const FileResult& result) const;
    std::string Unchanged(const FileResult& result) const;
    void DrawKeyColumn();

    const OrbaneBuild& build_;
    std::filesystem::path pathFile_, captionFile_;
};

class OrbaneCalculator : public Orbane {
public:
    explicit OrbaneCalculator(Module1& m) : Orbane(m, kOrbaneCalculatorBuild) {}
};

}  // namespace quillon
