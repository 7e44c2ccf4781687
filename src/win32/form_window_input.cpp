// Input of a window's native controls: their notifications, the keys before the controls see
// them (routed by the core's rules), the focus and the selection.
#include "form_window.h"

#include <commctrl.h>
#include <imm.h>

#include "shell/front_rules.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

// The key as the window's handlers see it, for the keys that produce no character or whose
// character the front does not pass on; characters arrive as WM_CHAR.
std::optional<Key> NamedKey(WPARAM vk) {
    switch (vk) {
        case VK_RETURN:
            return Key{keys::Enter, keys::EnterChar, ""};
        case VK_ESCAPE:
            return Key{keys::Esc, keys::EscChar, ""};
        case VK_BACK:
            return Key{keys::Backspace, keys::BackspaceChar, ""};
        default:
            break;
    }
    // The keys are the Windows virtual keys already: those without a character pass as they
    // are.
    static constexpr int plain[] = {keys::Shift,    keys::Control, keys::Alt,  keys::PageUp,
                                    keys::PageDown, keys::End,     keys::Home, keys::Left,
                                    keys::Up,       keys::Right,   keys::Down, keys::Insert,
                                    keys::Delete};
    const int code = static_cast<int>(vk);
    for (const int k : plain)
        if (code == k) return Key{code, 0, ""};
    if (code >= keys::F1 && code <= keys::F12) return Key{code, 0, ""};
    return std::nullopt;
}

}  // namespace

void FormWindow::ApplyInputMode(const Item& item) {
    if (item.inputMode == InputMode::NoControl) return;
    if (HIMC imc = ImmGetContext(item.hwnd)) {
        ImmSetOpenStatus(imc, item.inputMode == InputMode::On);
        ImmReleaseContext(item.hwnd, imc);
    }
}

void FormWindow::NoteSelection() {
    // An edit field reports no selection changes: what the user selected with the mouse or
    // the arrow keys is passed on before the next event, which may read it.
    Item* item = ItemByHwnd(GetFocus());
    if (!item || item->kind != ControlKind::TextBox || !item->control) return;
    DWORD from = 0, to = 0;
    SendMessageW(item->hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    const std::wstring shown = Wide(item->control->Text);
    const int start = ToCodePoints(shown, static_cast<int>(from));
    const int length = ToCodePoints(shown, static_cast<int>(to)) - start;
    if (start == item->selStart && length == item->selLength) return;
    item->selStart = start, item->selLength = length;
    form_->DeliverSelect(item->name, start, length);
}

void FormWindow::Deliver(const std::function<void(Form&)>& fn) {
    if (!form_ || syncing_) return;
    NoteSelection();
    ++depth_;
    try {
        fn(*form_);
    } catch (const std::exception& e) {
        OutputDebugStringA((className_ + ": " + e.what() + "\n").c_str());
    }
    --depth_;
    host_.AfterEvent();
}

void FormWindow::FocusIn(const std::string& name) {
    // Focus set by mirroring, or already known to the window, is not news.
    if (syncing_ || !form_ || form_->Focus() == name || !form_->CanFocus(name)) return;
    Deliver([&](Form& f) { f.DeliverFocus(name); });
}

void FormWindow::Command(Item& item, int code) {
    const std::string name = item.name;
    switch (item.kind) {
        case ControlKind::TextBox:
            if (code == EN_SETFOCUS) {
                ApplyInputMode(item);
                FocusIn(name);
            } else if (code == EN_CHANGE && !syncing_ && form_) {
                const std::wstring shown = Wide(WindowText(item.hwnd));
                DWORD from = 0, to = 0;
                SendMessageW(item.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                             reinterpret_cast<LPARAM>(&to));
                item.text = Narrow(shown);
                const int caret = ToCodePoints(shown, static_cast<int>(to));
                item.selStart = caret, item.selLength = 0;
                const std::string typed = item.text;
                Deliver([&](Form& f) {
                    f.DeliverSetText(name, typed);
                    f.DeliverSelect(name, caret, 0);
                });
            }
            break;
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            if (code == BN_SETFOCUS)
                FocusIn(name);
            else if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
                // The second click of a quick pair comes as a double click (the buttons notify
                // their focus, and such buttons report double clicks): it is a click all the
                // same, or a fast second press of a calculator key would be lost.
                Deliver([&](Form& f) { f.DeliverClick(name); });
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SETFOCUS) {
                FocusIn(name);
            } else if (code == CBN_SELENDOK) {
                const int index = static_cast<int>(SendMessageW(item.hwnd, CB_GETCURSEL, 0, 0));
                if (index >= 0) Deliver([&](Form& f) { f.DeliverPick(name, index); });
            } else if (code == CBN_EDITCHANGE && !syncing_) {
                item.text = WindowText(item.hwnd);
                const std::string typed = item.text;
                Deliver([&](Form& f) { f.DeliverSetText(name, typed); });
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SETFOCUS) {
                FocusIn(name);
            } else if (code == LBN_SELCHANGE && !syncing_) {
                const int index = static_cast<int>(SendMessageW(item.hwnd, LB_GETCURSEL, 0, 0));
                if (index >= 0) Deliver([&](Form& f) { f.DeliverPick(name, index); });
            } else if (code == LBN_DBLCLK && !syncing_) {
                // The first click of the two has picked the item.
                const int index = static_cast<int>(SendMessageW(item.hwnd, LB_GETCURSEL, 0, 0));
                if (index >= 0) Deliver([&](Form& f) { f.DeliverDblClick(name, index); });
            }
            break;
        default:
            break;
    }
}

LRESULT FormWindow::Notify(NMHDR& nm) {
    Item* item = ItemByHwnd(nm.hwndFrom);
    if (!item) return 0;
    const std::string name = item->name;
    if (item->kind == ControlKind::Toolbar && nm.code == TBN_DROPDOWN) {
        // The drop-down button of the window's menu: the menu below the button.
        const auto& drop = reinterpret_cast<NMTOOLBARW&>(nm);
        POINT at{drop.rcButton.left, drop.rcButton.bottom};
        ClientToScreen(item->hwnd, &at);
        ShowMenu(at);
        return TBDDRET_DEFAULT;
    }
    if (item->kind == ControlKind::TabStrip) {
        if (nm.code == TCN_SELCHANGE && !syncing_) {
            const int index = static_cast<int>(SendMessageW(item->hwnd, TCM_GETCURSEL, 0, 0));
            if (index >= 0) Deliver([&](Form& f) { f.DeliverPick(name, index + 1); });
        } else if (nm.code == NM_SETFOCUS) {
            FocusIn(name);
        }
        return 0;
    }
    if (nm.code == NM_CUSTOMDRAW && item->kind == ControlKind::CommandButton && item->control &&
        item->control->BackColor && *item->control->BackColor != colors::ButtonFace) {
        // A button with a colour of its own (a pressed key's flash): its face in that colour.
        auto& cd = reinterpret_cast<NMCUSTOMDRAW&>(nm);
        if (cd.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
        HBRUSH brush = CreateSolidBrush(ToColorRef(*item->control->BackColor));
        FillRect(cd.hdc, &cd.rc, brush);
        DeleteObject(brush);
        DrawEdge(cd.hdc, &cd.rc, EDGE_SUNKEN, BF_RECT);
        SetBkMode(cd.hdc, TRANSPARENT);
        SetTextColor(
            cd.hdc,
            ToColorRef(item->control->ForeColor.value_or(Color::Sys(Color::System::WindowText))));
        const std::wstring text = Wide(item->control->Text);
        RECT rc = cd.rc;
        DrawTextW(cd.hdc, text.c_str(), static_cast<int>(text.size()), &rc,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

bool FormWindow::HandleKey(const std::string& control, const Key& key) {
    if (!form_) return true;
    // The view outlives the message it handles (Busy): only its window may go.
    return RouteKey(*form_, control, key, [this](const std::function<void(Form&)>& fn) {
        Deliver(fn);
        return form_ != nullptr;
    });
}

bool FormWindow::PreTranslate(MSG& msg) {
    Item* item = msg.hwnd == hwnd_ ? nullptr : ItemByHwnd(msg.hwnd);
    const std::string control = item ? item->name : std::string();
    const bool singleLineEdit =
        item && (item->kind == ControlKind::TextBox || item->kind == ControlKind::ComboBox) &&
        !(item->control && item->control->Multiline);
    ++depth_;
    bool consumed = false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        consumed = OnKeyDown(msg, control);
    else if (msg.message == WM_CHAR)
        consumed = OnChar(msg, control, singleLineEdit);
    --depth_;
    return consumed;
}

bool FormWindow::OnKeyDown(const MSG& msg, const std::string& control) {
    if (msg.wParam == VK_TAB && msg.message == WM_KEYDOWN) {
        // Tab walks the window's tab order; the controls never see it.
        const std::string next =
            form_ ? NextInTabOrder(*form_, control, GetKeyState(VK_SHIFT) < 0) : std::string();
        if (!next.empty()) Deliver([&](Form& f) { f.DeliverFocus(next); });
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN) return false;  // Alt combinations are the system's
    const auto key = NamedKey(msg.wParam);
    if (!key || HandleKey(control, *key)) return false;
    // A cancelled Backspace must not reach the field as a character either.
    if (msg.wParam == VK_BACK) swallowChar_ = 8;
    return true;
}

bool FormWindow::OnChar(const MSG& msg, const std::string& control, bool singleLineEdit) {
    const wchar_t ch = static_cast<wchar_t>(msg.wParam);
    if (swallowChar_ && msg.wParam == swallowChar_) {
        swallowChar_ = 0;
        return true;
    }
    swallowChar_ = 0;
    // Seen at WM_KEYDOWN; a single-line field would only beep at them.
    if (ch == 13 || ch == 27 || ch == 9) return singleLineEdit || ch == 9;
    // Backspace was seen at WM_KEYDOWN; the same character with Ctrl is Ctrl+H.
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ch == 8 && !ctrl) return false;
    if (ch >= 0xD800 && ch <= 0xDBFF) {
        highSurrogate_ = ch;
        return false;
    }
    std::wstring w;
    if (ch >= 0xDC00 && ch <= 0xDFFF && highSurrogate_) w += highSurrogate_;
    highSurrogate_ = 0;
    w += ch;
    Key key;
    if (ch < 32) {
        // A control character (Ctrl with a letter): the letter's key code too.
        key = Key{ch >= 1 && ch <= 26 ? keys::A + ch - 1 : 0, ch, "", ctrl ? kCtrlMask : 0};
    } else {
        const auto parsed = ParseKey(Narrow(w));
        if (!parsed) return false;
        key = *parsed;
    }
    return !HandleKey(control, key);
}

void FormWindow::SchedulePaint() {
    if (paintPending_ || !form_) return;
    paintPending_ = true;
    PostMessageW(hwnd_, kMsgPaint, 0, 0);
}

}  // namespace quillon::win32
