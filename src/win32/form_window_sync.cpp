// Mirroring a window's state into its native controls: one function per kind of control, each
// touching a control only where the window's state differs from what was mirrored last.
#include "form_window.h"

#include <commctrl.h>

#include "shell/front_rules.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {

void FormWindow::Sync() {
    if (!form_ || syncing_ || !hwnd_) return;
    syncing_ = true;
    const std::string caption = WindowText(hwnd_);
    if (caption != form_->Caption) SetWindowTextW(hwnd_, Wide(form_->Caption).c_str());
    for (auto& item : items_) SyncItem(*item);
    SyncFocus();
    syncing_ = false;
}

void FormWindow::SyncItem(Item& item) {
    const bool first = !item.synced;
    item.synced = true;
    if (item.kind == ControlKind::Timer) return SyncTimer(item);
    if (!item.hwnd) return;
    SyncShown(item, first);
    switch (item.kind) {
        case ControlKind::TextBox:
            SyncTextBox(item, first);
            break;
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::CommandButton:
            SyncCaption(item, first);
            if (const Picture* pic = item.control->Pic.get();
                item.kind == ControlKind::CommandButton && pic &&
                pic->Revision() != item.picRevision) {
                // A button's picture changed: its face is drawn again.
                item.picRevision = pic->Revision();
                InvalidateRect(item.hwnd, nullptr, FALSE);
            }
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            SyncCheck(item, first);
            break;
        case ControlKind::ComboBox:
            SyncCombo(item, first);
            break;
        case ControlKind::ListBox:
            SyncList(item, first);
            break;
        case ControlKind::TabStrip:
            SyncTabs(item, first);
            break;
        case ControlKind::Toolbar:
            SyncToolbar(item, first);
            break;
        default:
            break;
    }
    if (item.usesPicture) SyncPicture(item);
    SyncColors(item);
}

void FormWindow::SyncTimer(Item& item) {
    const int ms = TimerPeriodMs(*item.control);
    if (ms > 0 && (!item.timer || item.timerMs != ms)) {
        item.timer =
            SetTimer(hwnd_, static_cast<UINT_PTR>(item.id), static_cast<UINT>(ms), nullptr);
        item.timerMs = ms;
    } else if (ms == 0 && item.timer) {
        KillTimer(hwnd_, item.timer);
        item.timer = 0;
    }
}

void FormWindow::SyncShown(Item& item, bool first) {
    const Control& c = *item.control;
    HWND w = item.hwnd;
    // The native controls of a frame are the window's children, not the frame's: a hidden or
    // disabled frame hides or disables them here.
    const bool enabled = EnabledWithFrames(*form_, c);
    const bool visible = VisibleWithFrames(*form_, c);
    if (first || enabled != item.enabled) EnableWindow(w, enabled), item.enabled = enabled;
    if (first || visible != item.visible)
        ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE), item.visible = visible;
    // Before the tooltips exist, CreateTips gives each its text.
    if (tooltip_ && (first || c.ToolTip != item.tip)) SetTip(item);
}

void FormWindow::SetTip(Item& item) {
    item.tip = item.control->ToolTip;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(item.hwnd);
    std::wstring tip = Wide(item.tip);
    ti.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void FormWindow::SyncTextBox(Item& item, bool first) {
    const Control& c = *item.control;
    HWND w = item.hwnd;
    if (first || c.Text != item.text) {
        SetWindowTextW(w, Wide(c.Text).c_str());
        item.text = c.Text;
        item.selStart = -1;
    }
    if (first || c.Locked != item.locked) {
        SendMessageW(w, EM_SETREADONLY, c.Locked, 0);
        item.locked = c.Locked;
    }
    // The selection follows the window's only when the window changed it, so that a
    // selection made with the mouse stays until the next edit.
    if (c.SelStart != item.selStart || c.SelLength != item.selLength) {
        const std::wstring shown = Wide(c.Text);
        const int start = ToUnits(shown, c.SelStart);
        const int end = ToUnits(shown, c.SelStart + c.SelLength);
        SendMessageW(w, EM_SETSEL, static_cast<WPARAM>(start), end);
        item.selStart = c.SelStart, item.selLength = c.SelLength;
    }
}

void FormWindow::SyncCaption(Item& item, bool first) {
    const Control& c = *item.control;
    if ((first || c.Text != item.text) && !item.usesPicture) {
        SetWindowTextW(item.hwnd, Wide(c.Text).c_str());
        item.text = c.Text;
    }
}

void FormWindow::SyncCheck(Item& item, bool first) {
    const Control& c = *item.control;
    if (first || c.Text != item.text) {
        SetWindowTextW(item.hwnd, Wide(c.Text).c_str());
        item.text = c.Text;
    }
    if (first || c.Value != item.value) {
        SendMessageW(item.hwnd, BM_SETCHECK, c.Value ? BST_CHECKED : BST_UNCHECKED, 0);
        item.value = c.Value;
    }
}

void FormWindow::SyncCombo(Item& item, bool first) {
    const Control& c = *item.control;
    HWND w = item.hwnd;
    if (first || item.items != c.Items) {
        SendMessageW(w, CB_RESETCONTENT, 0, 0);
        for (const auto& s : c.Items)
            SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(s).c_str()));
        item.items = c.Items;
        item.listIndex = -2;
    }
    if (c.ListIndex != item.listIndex) {
        SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(c.ListIndex), 0);
        item.listIndex = c.ListIndex;
        item.text.clear(), item.synced = true;
    }
    if (WindowText(w) != c.Text) SetWindowTextW(w, Wide(c.Text).c_str());
    item.text = c.Text;
}

void FormWindow::SyncList(Item& item, bool first) {
    const Control& c = *item.control;
    HWND w = item.hwnd;
    if (first || item.items != c.Items) {
        SendMessageW(w, LB_RESETCONTENT, 0, 0);
        for (const auto& s : c.Items)
            SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(s).c_str()));
        item.items = c.Items;
        item.listIndex = -2;
    }
    if (c.ListIndex != item.listIndex) {
        SendMessageW(w, LB_SETCURSEL, static_cast<WPARAM>(c.ListIndex), 0);
        item.listIndex = c.ListIndex;
    }
}

void FormWindow::SyncTabs(Item& item, bool first) {
    const Control& c = *item.control;
    HWND w = item.hwnd;
    if (first || item.tabs != c.Tabs) {
        SendMessageW(w, TCM_DELETEALLITEMS, 0, 0);
        for (size_t i = 0; i < c.Tabs.size(); ++i) {
            std::wstring t = Wide(c.Tabs[i]);
            TCITEMW ti{};
            ti.mask = TCIF_TEXT;
            ti.pszText = t.data();
            SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&ti));
        }
        item.tabs = c.Tabs;
        item.tab = 0;
    }
    if (c.SelectedTab != item.tab) {
        SendMessageW(w, TCM_SETCURSEL, static_cast<WPARAM>(c.SelectedTab - 1), 0);
        item.tab = c.SelectedTab;
    }
}

void FormWindow::SyncToolbar(Item& item, bool first) {
    const Control& c = *item.control;
    item.buttons.resize(c.Buttons.size(), true);
    for (size_t i = 0; i < c.Buttons.size(); ++i)
        if (!c.Buttons[i].separator && (first || c.Buttons[i].enabled != item.buttons[i])) {
            SendMessageW(item.hwnd, TB_ENABLEBUTTON, kFirstButtonId + i, c.Buttons[i].enabled);
            item.buttons[i] = c.Buttons[i].enabled;
        }
}

void FormWindow::SyncPicture(Item& item) {
    const Control& c = *item.control;
    const COLORREF back = ToColorRef(c.BackColor.value_or(colors::Black));
    const unsigned revision = c.Pic ? c.Pic->Revision() : 0;
    if (item.picture.picture != c.Pic.get() || back != item.picture.background ||
        revision != item.picRevision) {
        item.picture.picture = c.Pic.get();
        item.picture.background = back;
        item.picRevision = revision;
        RefreshPicture(item.hwnd, item.picture);
    }
}

void FormWindow::SyncColors(Item& item) {
    const Control& c = *item.control;
    if (item.back == c.BackColor && item.fore == c.ForeColor) return;
    item.back = c.BackColor;
    item.fore = c.ForeColor;
    if (!item.usesPicture) InvalidateRect(item.hwnd, nullptr, TRUE);
}

HBRUSH FormWindow::BrushFor(Item& item, HDC dc) {
    if (!item.control) return nullptr;
    const Control& c = *item.control;
    if (c.ForeColor) SetTextColor(dc, ToColorRef(*c.ForeColor));
    if (!c.BackColor) return nullptr;
    const COLORREF back = ToColorRef(*c.BackColor);
    SetBkColor(dc, back);
    if (!item.brush || item.brushColor != back) {
        if (item.brush) DeleteObject(item.brush);
        item.brush = CreateSolidBrush(back);
        item.brushColor = back;
    }
    return item.brush;
}

void FormWindow::SyncFocus() {
    if (!form_) return;
    const std::string& focus = form_->Focus();
    if (focus != mirroredFocus_) {
        mirroredFocus_ = focus;
        focusPending_ = true;
    }
    // Only an active window moves the keyboard focus: elsewhere it would activate it.
    if (!focusPending_ || GetActiveWindow() != hwnd_) return;
    focusPending_ = false;
    if (focus.empty()) return;
    const Item* item = ItemByName(focus);
    if (!item || !item->hwnd || GetFocus() == item->hwnd) return;
    const bool was = syncing_;
    syncing_ = true;
    SetFocus(item->hwnd);
    syncing_ = was;
}

}  // namespace quillon::win32
