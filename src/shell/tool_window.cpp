#include "tool_window.h"

namespace quillon {
namespace {

// The label sets of the two planes.
constexpr std::pair<const char*, const char*> kPlaneTexts[] = {
    {"Z", "Y"}, {"K", "J"}, {"CZ", "CY"}, {"X Z コピー", "X Y コピー"}};

std::string PlaneText(const std::string& text, bool xy) {
    for (const auto& [xz, xyText] : kPlaneTexts) {
        if (xy && text == xz) return xyText;
        if (!xy && text == xyText) return xz;
    }
    return text;
}

}  // namespace

ToolWindow::ToolWindow(Module1& m, std::string className, std::string caption, int dxTwips,
                       int dyTwips, Topmost topmost)
    : Form(m, std::move(className), std::move(caption)),
      dx_(dxTwips),
      dy_(dyTwips),
      topmost_(topmost) {}

bool ToolWindow::InXY() const {
    auto* self = const_cast<ToolWindow*>(this);
    const Control* xy = self->Find("OptionXY");
    return xy && xy->Value;
}

void ToolWindow::Form_Load() {
    PlaceToolWindow(dx_, dy_);
    if (topmost_ == Topmost::AtLoad) SetTopmost(true);
}

void ToolWindow::Form_Activate() {
    if (topmost_ == Topmost::EachActivation) SetTopmost(true);
}

void ToolWindow::PutOnClipboard(const std::string& text, bool activate, const CopyEntry* as) {
    M().host.ClearClipboard();
    M().host.SetClipboardText(text);
    const bool activated = activate && M().ActivateControlWindow();
    CopyEntry entry = DescribeCopy(*this, text, activated);
    if (as) {
        entry.window = as->window;
        entry.caption = as->caption;
        entry.button = as->button;
        entry.buttonCaption = as->buttonCaption;
        entry.inputs = as->inputs;
    }
    M().copyLog.Add(std::move(entry));
}

void ToolWindow::PlaceToolWindow(int dxTwips, int dyTwips) {
    M().host.PlaceWindow(*this, dxTwips, dyTwips);
}

void ToolWindow::SetTopmost(bool on) {
    M().host.SetTopmost(ClassName(), on);
}

void ToolWindow::EnterChain(std::initializer_list<std::pair<const char*, const char*>> links) {
    for (const auto& [from, to] : links) {
        std::string next = to;
        OnKey(from, Event::KeyPress, [this, next](KeyArgs& k) {
            if (k.keyAscii == keys::Enter) SetFocus(next);
        });
    }
}

void ToolWindow::CopyButton(const std::string& button, std::function<std::string()> text) {
    On(button, Event::Click, [this, text = std::move(text)] { CopyToClipboard(text()); });
}

void ToolWindow::CloseButton(const std::string& button, bool activateControl) {
    On(button, Event::Click, [this, activateControl] {
        Unload();
        if (activateControl) M().ActivateControlWindow();
    });
}

void ToolWindow::TopmostBox(const std::string& check) {
    On(check, Event::Click, [this, check] {
        if ((*this)[check].Value) {
            SetTopmost(true);
        } else {
            SetTopmost(false);
            if (!M().MainWindow.empty()) M().host.SetTopmost(M().MainWindow, true);
        }
    });
}

void ToolWindow::PlaneSwitch(std::vector<std::string> relabelled, std::function<void(bool)> extra,
                             std::function<void()> recalculate) {
    auto handler = [this, relabelled, extra, recalculate](const std::string& option) {
        if ((*this)[option].Value) {
            const bool xy = option == "OptionXY";
            for (const auto& name : relabelled)
                (*this)[name].Text = PlaneText((*this)[name].Text, xy);
            if (extra) extra(xy);
        }
        if (recalculate) recalculate();
        SetFocus("Text1");
    };
    On("OptionXZ", Event::Click, [handler] { handler("OptionXZ"); });
    On("OptionXY", Event::Click, [handler] { handler("OptionXY"); });
}

Control& ToolWindow::PlaneOptions(const std::string& frame, bool stacked) {
    Control& f = Frame(frame, "座標");
    Option("OptionXZ", "Ｘ-Ｚ", true).In(frame).At(0, 0);
    Option("OptionXY", "Ｘ－Ｙ").In(frame).At(stacked ? 1 : 0, stacked ? 0 : 1);
    return f;
}

std::string ToolWindow::PairText(const std::string& xField, const std::string& zField) {
    return "X" + (*this)[xField].Text + (InXY() ? " Y" : " Z") + (*this)[zField].Text;
}

}  // namespace quillon
