// What a window's native controls show, for a program that drives the window (the automation
// hook QuillonDumpState): read back from the controls, not from the window's state.
#include "form_window.h"

#include <nlohmann/json.hpp>

#include "win_text.h"

namespace quillon::win32 {
namespace {

using Json = nlohmann::ordered_json;

// A handle as the number a driving program turns back into the handle.
Json HandleNumber(HWND hwnd) {
    return static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(hwnd));
}

}  // namespace

Json FormWindow::ShownState() const {
    Json texts = Json::object(), values = Json::object(), hwnds = Json::object();
    Json focus = nullptr;
    const HWND focused = GetFocus();
    for (const auto& item : items_) {
        if (!item->hwnd) continue;
        hwnds[item->name] = HandleNumber(item->hwnd);
        if (item->hasText && !item->usesPicture) texts[item->name] = WindowText(item->hwnd);
        if (item->kind == ControlKind::OptionButton || item->kind == ControlKind::CheckBox)
            values[item->name] = SendMessageW(item->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (focused && (focused == item->hwnd || GetParent(focused) == item->hwnd))
            focus = item->name;
    }
    Json state;
    state["window"] = className_;
    state["caption"] = WindowText(hwnd_);
    state["visible"] = IsWindowVisible(hwnd_) != FALSE;
    state["texts"] = texts;
    state["values"] = values;
    state["focus"] = focus;
    state["hwnd"] = HandleNumber(hwnd_);
    state["hwnds"] = hwnds;
    state["dpi"] = Fonts().Dpi();
    state["fontsMade"] = fontsMade_;
    return state;
}

}  // namespace quillon::win32
