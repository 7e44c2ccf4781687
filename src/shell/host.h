// The host port: everything a form model may do to the world outside it.
//
// Each GUI front (Qt, Win32) implements it for real; the command-line front and the tests
// record what is asked of it. Form models never touch a toolkit, the clipboard or the system
// directly.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon {

class Form;

enum class MessageIcon { None, Critical, Warning, Information, Question };

// The input method of a text field, as the field's own setting: off gives half-width
// characters, on gives Japanese input (the values are those of the Windows setting).
enum class InputMode { NoControl = 0, On = 1, Off = 2 };

struct Message {
    MessageIcon icon = MessageIcon::None;
    std::string title;
    std::string text;
};

// A local date and time to the second.
struct DateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

// What a save dialog offers: its title, the file name it suggests and its file type
// ("CSV (*.csv)" shows as the type, "csv" is added to a name typed without an ending).
struct SaveFileRequest {
    std::string title;
    std::string suggestedName;
    std::string typeName;   // "CSV ファイル (*.csv)"
    std::string extension;  // "csv"
};

class Host {
public:
    virtual ~Host() = default;

    // Clipboard: empty it, and put plain text on it.
    virtual void ClearClipboard() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // Brings the top-level window with this title to the front; failures are ignored.
    virtual void ActivateWindowByTitle(const std::string& title) = 0;

    // Shows a modal message box with an OK button and returns when it is dismissed.
    virtual void ShowMessage(const Message& message) = 0;

    // Seconds since midnight.
    virtual double Clock() = 0;
    // The local date and time, to the second.
    virtual DateTime Now() = 0;

    // Asks a question with the buttons はい and いいえ; true for はい. `defaultYes` says which
    // button Enter presses; the answer is that button's when the box is closed otherwise.
    virtual bool AskYesNo(const Message& question, bool defaultYes) = 0;
    // Asks for the name of a file to write (the front's save dialog); the path as UTF-8, or
    // nothing when the user cancels. The dialog asks itself before replacing a file.
    virtual std::optional<std::string> AskSaveFileName(const SaveFileRequest& request) = 0;
    // Waits for the given time while letting pending window events run (never spins).
    virtual void Wait(double seconds) = 0;

    // Puts a window into (on) or out of (off) the always-on-top band without moving it.
    // `className` names the window by its class.
    virtual void SetTopmost(const std::string& className, bool on) = 0;
    // Places a window at the screen's bottom-right corner less the offsets (twips).
    virtual void PlaceWindow(Form& form, int dxTwips, int dyTwips) = 0;

    // Sets the input method of a form's text field (the Windows input-method API on Windows,
    // the toolkit's input-method hints elsewhere).
    virtual void SetInputMode(Form& form, const std::string& control, InputMode mode) = 0;

    // A form has unloaded itself: the front closes its window.
    virtual void FormUnloaded(Form& form) = 0;
    // Ends the whole program (after the current handler returns).
    virtual void EndProgram() = 0;
    // True once EndProgram was asked for.
    virtual bool EndRequested() const { return false; }
};

}  // namespace quillon
