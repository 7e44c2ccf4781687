#include "front_rules.h"

#include <algorithm>
#include <cmath>

namespace quillon {
namespace {

// Frames hold controls, never one another deeper than this; the bound ends a walk through a
// (mis)declared cycle of frames.
constexpr int kMaxFrameDepth = 16;

const Control* Named(const Form& form, const std::string& name) {
    for (const auto& c : form.Controls())
        if (c->Name() == name) return c.get();
    return nullptr;
}

// True when the flag is set on the control and on every frame around it.
bool SetWithFrames(const Form& form, const Control& c, bool Control::*flag) {
    const Control* p = &c;
    for (int depth = 0; p && depth < kMaxFrameDepth; ++depth) {
        if (!(p->*flag)) return false;
        if (p->Parent.empty()) return true;
        p = Named(form, p->Parent);
    }
    return true;
}

}  // namespace

bool EnabledWithFrames(const Form& form, const Control& c) {
    return SetWithFrames(form, c, &Control::Enabled);
}

bool VisibleWithFrames(const Form& form, const Control& c) {
    return SetWithFrames(form, c, &Control::Visible);
}

bool Usable(const Form& form, const Control& c) {
    return EnabledWithFrames(form, c) && VisibleWithFrames(form, c);
}

std::vector<std::string> TabOrder(const Form& form) {
    std::vector<std::string> order;
    for (const auto& c : form.Controls())
        if (c->TabStop && TakesFocus(c->Kind())) order.push_back(c->Name());
    return order;
}

std::string NextInTabOrder(const Form& form, const std::string& from, bool backwards) {
    std::vector<std::string> order;
    for (const std::string& name : TabOrder(form))
        if (form.CanFocus(name)) order.push_back(name);
    if (order.empty()) return "";
    const auto it = std::find(order.begin(), order.end(), from);
    if (it == order.end()) return backwards ? order.back() : order.front();
    const size_t at = static_cast<size_t>(it - order.begin());
    return order[backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size()];
}

bool RouteKey(Form& form, const std::string& control, const Key& key, const DeliverEvent& deliver) {
    // The key goes to the control that has the focus on screen; keep the window in step.
    if (!control.empty() && form.Focus() != control && form.CanFocus(control) &&
        !deliver([&](Form& f) { f.DeliverFocus(control); }))
        return false;
    bool passed = true;
    if (!deliver([&](Form& f) { passed = f.DeliverKey(key, /*applyDefault=*/false); }) || !passed)
        return false;
    // Enter presses a button that has the focus (the space bar is the native button's own).
    const Control* c = form.Find(control);
    if (c && key.keyCode == keys::Enter && PressesButton(*c, key)) {
        deliver([&](Form& f) { f.DeliverClick(control); });
        return false;
    }
    return true;
}

int TimerPeriodMs(const Control& timer) {
    if (!timer.Enabled || !(timer.Interval > 0)) return 0;
    return std::max(1, static_cast<int>(std::lround(timer.Interval * 1000)));
}

double TwipsPerPixel(double dpi) {
    return 1440.0 / dpi;
}

int TwipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

ScreenPoint BottomRightPlacement(const ScreenRect& area, int frameWidth, int frameHeight,
                                 int dxTwips, int dyTwips, double dpiX, double dpiY,
                                 const std::optional<ScreenRect>& work) {
    const int x = area.x + area.width - frameWidth - TwipsToPixels(dxTwips, dpiX);
    const int y = area.y + area.height - frameHeight - TwipsToPixels(dyTwips, dpiY);
    // A window larger than the area (or placed far in) keeps its top-left corner, and with it
    // the title bar by which it is moved, inside: the rest hangs out at the right and bottom.
    // A negative offset still places it outward, as long as the corner stays in.
    auto clamp = [](int v, int low, int extent) {
        return std::max(low, std::min(v, low + std::max(extent, 1) - 1));
    };
    const ScreenRect& in = work ? *work : area;
    return {clamp(x, in.x, in.width), clamp(y, in.y, in.height)};
}

}  // namespace quillon
