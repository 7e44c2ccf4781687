// What every tool window shares: placement and always-on-top at load, the Enter chain, copy
// buttons, the close button, the "手前に表示" box and the X-Z / X-Y plane switch. A window
// declares these as data in its constructor; the behaviour lives here once.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "form.h"
#include "module1.h"

namespace quillon {

enum class Topmost {
    AtLoad,          // SetTopmost(on) once, when the window loads
    EachActivation,  // SetTopmost(on) every time the window is activated
};

class ToolWindow : public Form {
public:
    ToolWindow(Module1& m, std::string className, std::string caption, int dxTwips, int dyTwips,
               Topmost topmost);

    // True while the X-Y plane is selected (windows without a plane switch: always false).
    bool InXY() const;

protected:
    // Empties the clipboard, puts the text on it and brings the control's window forward.
    void CopyToClipboard(const std::string& text) { PutOnClipboard(text, true, nullptr); }
    // The same for a copy made again: recorded with the window, control and entry fields of
    // `as` rather than this window's.
    void CopyToClipboard(const std::string& text, const CopyEntry& as) {
        PutOnClipboard(text, true, &as);
    }
    // The one path of every copy: empties the clipboard, puts the text on it, brings the
    // control's window forward when `activate`, and records the copy in the history.
    void PutOnClipboard(const std::string& text, bool activate, const CopyEntry* as);
    // Places this window at the screen's bottom-right corner less the offsets.
    void PlaceToolWindow(int dxTwips, int dyTwips);
    // Puts this window into or out of the always-on-top band.
    void SetTopmost(bool on);

    // Declares the Enter chain: Enter in `from` moves the focus to `to`. The key itself is
    // passed on unchanged and nothing else is filtered.
    void EnterChain(std::initializer_list<std::pair<const char*, const char*>> links);
    // Declares a copy button whose text is built by `text` when it is clicked.
    void CopyButton(const std::string& button, std::function<std::string()> text);
    // Declares the close button: unload, then bring the control's window forward.
    void CloseButton(const std::string& button, bool activateControl = true);
    // Declares check box `check` as the window's "手前に表示" box. Unticked, it takes the
    // window out of the always-on-top band and puts the program's main window back in.
    void TopmostBox(const std::string& check);
    // Declares the plane switch on OptionXZ / OptionXY. The listed controls are relabelled
    // ("Z" <-> "Y", "K" <-> "J", "CZ" <-> "CY", "X Z コピー" <-> "X Y コピー"); `extra` makes
    // the window's further changes; then `recalculate` runs and the focus goes to Text1.
    void PlaneSwitch(std::vector<std::string> relabelled, std::function<void(bool xy)> extra,
                     std::function<void()> recalculate);

    // Declares the frame "座標" of the plane switch holding OptionXZ "Ｘ-Ｚ" (selected) and
    // OptionXY "Ｘ－Ｙ", one above the other or side by side; place it with the returned frame.
    Control& PlaneOptions(const std::string& frame, bool stacked);

    // The coordinate pair of two fields: "X" + x + " Z" + z (" Y" in the X-Y plane).
    std::string PairText(const std::string& xField, const std::string& zField);

    void Form_Load() override;
    void Form_Activate() override;

private:
    int dx_, dy_;
    Topmost topmost_;
};

}  // namespace quillon
