#include "form_window.h"

#include "start.h"

#include <commctrl.h>

#include <algorithm>

#include "shell/front_rules.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"QuillonForm";

}  // namespace

void FormWindow::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, kFormClass, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        // The title bar's small picture taken from the icon's own small image rather than
        // shrunk from the large one when the class is registered.
        wc.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
        wc.lpszClassName = kFormClass;
        RegisterClassExW(&wc);
    }
    RegisterPictureClass(instance);
}

FormWindow::FormWindow(Form& form, Win32Host& host)
    : form_(&form),
      host_(host),
      className_(form.ClassName()),
      fonts_(std::make_unique<UiFonts>(SystemDpi())),
      fontsMade_(1) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    // Laid out before the window exists, so that the window and its controls are made at
    // their places and sizes: every later move costs Wine a round trip to its server.
    MakeItems();
    layout::Result laid = ComputeLayout();
    const SIZE frame = FrameSize(laid, style, 0);
    hwnd_ = CreateWindowExW(0, kFormClass, Wide(form.Caption).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
    // A window made on a monitor of another resolution than the system's takes that one.
    if (const int dpi = WindowDpi(hwnd_); dpi != Fonts().Dpi()) {
        fonts_ = std::make_unique<UiFonts>(dpi);
        ++fontsMade_;
        laid = ComputeLayout();
    }
    // The tooltips come after the first paint (CreateTips): no tip shows before the window.
    Build(laid);
    Sync();
}

FormWindow::~FormWindow() {
    // Owned by no window, the tooltip goes on its own, before the controls it watches.
    if (tooltip_) DestroyWindow(tooltip_);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    for (auto& item : items_) {
        if (item->brush) DeleteObject(item->brush);
        if (item->images) ImageList_Destroy(item->images);
    }
}

bool FormWindow::LayOutAfterLoad() {
    if (laidOutAfterLoad_ || !form_) return false;
    laidOutAfterLoad_ = true;
    LayOutControls();
    return true;
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    // The old fonts live until no control uses them any more.
    std::unique_ptr<UiFonts> old = std::move(fonts_);
    fonts_ = std::make_unique<UiFonts>(dpi);
    ++fontsMade_;
    for (auto& item : items_) {
        if (!item->hwnd || !item->control) continue;
        const Control& c = *item->control;
        if (item->usesPicture) {
            item->picture.font = c.Fixed ? Fonts().Fixed() : Fonts().Figure();
            RefreshPicture(item->hwnd, item->picture);
            continue;
        }
        if (item->kind == ControlKind::Toolbar) {
            // The pictures drawn again at the new size.
            const int size = Fonts().Px(kToolbarIcon);
            ImageList_SetIconSize(item->images, size, size);
            int pictures = 0;
            for (const ToolbarButton& b : c.Buttons) pictures += b.separator ? 0 : 1;
            ImageList_SetImageCount(item->images, static_cast<UINT>(pictures));
            SendMessageW(item->hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(item->images));
            DrawToolbarIcons(*item);
            continue;
        }
        SendMessageW(item->hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(c.Fixed ? Fonts().Fixed() : Fonts().Ui()), TRUE);
    }
    if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Fonts().Px(400));
    // The suggested rectangle first (it keeps the window where the user dragged it), then
    // the layout at the new resolution sizes it to its contents from that corner.
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutControls();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// ---- lookup ----

FormWindow::Item* FormWindow::ItemById(int id) {
    const int i = id - kFirstId;
    if (i < 0 || i >= static_cast<int>(items_.size())) return nullptr;
    return items_[static_cast<size_t>(i)].get();
}

FormWindow::Item* FormWindow::ItemByHwnd(HWND hwnd) {
    // A combo box's edit field is a child of the combo box.
    for (int depth = 0; hwnd && hwnd != hwnd_ && depth < 3; ++depth) {
        for (auto& item : items_)
            if (item->hwnd == hwnd) return item.get();
        hwnd = GetParent(hwnd);
    }
    return nullptr;
}

FormWindow::Item* FormWindow::ItemByName(const std::string& name) {
    for (auto& item : items_)
        if (item->name == name) return item.get();
    return nullptr;
}

const FormWindow::Item* FormWindow::ItemByName(const std::string& name) const {
    for (const auto& item : items_)
        if (item->name == name) return item.get();
    return nullptr;
}

HWND FormWindow::ControlHwnd(const std::string& name) const {
    const Item* item = ItemByName(name);
    return item ? item->hwnd : nullptr;
}

// ---- the window's own state ----

void FormWindow::SetInputMode(const std::string& control, InputMode mode) {
    Item* item = ItemByName(control);
    if (!item || item->kind != ControlKind::TextBox) return;
    item->inputMode = mode;
    if (GetFocus() == item->hwnd) ApplyInputMode(*item);
}

void FormWindow::SetTopmost(bool on) {
    topmost_ = on;
    // No move, no size (flags 3); the result is not used. A window not shown yet (the launcher
    // while it loads) cannot be activated anyway, and saying so spares Wine an activation
    // attempt that took 5 to 11 ms of the launcher's start.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | (IsWindowVisible(hwnd_) ? 0 : SWP_NOACTIVATE);
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void FormWindow::Detach() {
    form_ = nullptr;
    for (auto& item : items_) {
        item->control = nullptr;
        item->picture.picture = nullptr;
        item->picture.mouseMove = nullptr;
        item->picture.mouseLeave = nullptr;
        item->picture.focused = nullptr;
        item->picture.exposed = nullptr;
        if (item->timer) KillTimer(hwnd_, item->timer);
        item->timer = 0;
    }
    ShowWindow(hwnd_, SW_HIDE);
}

// ---- the window's messages ----

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        auto* self = static_cast<FormWindow*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    ++self->depth_;
    const LRESULT result = self->Handle(msg, wp, lp);
    --self->depth_;
    return result;
}

LRESULT FormWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == Win32Host::DumpMessage() && msg != 0) return host_.DumpState() ? 1 : 0;
    switch (msg) {
        case WM_COMMAND:
            OnCommand(wp);
            return 0;
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_TIMER:
            if (wp == kAfterPaintTimer) {
                KillTimer(hwnd_, kAfterPaintTimer);
                CreateTips();
                StartupMark("toolbar shown");
                for (auto& item : items_)
                    if (item->kind == ControlKind::Toolbar) DrawToolbarIcons(*item);
                StartupMark("toolbar pictures");
                return 0;
            }
            OnTimer(wp);
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            Item* item = ItemByHwnd(reinterpret_cast<HWND>(lp));
            if (HBRUSH brush = item ? BrushFor(*item, reinterpret_cast<HDC>(wp)) : nullptr)
                return reinterpret_cast<LRESULT>(brush);
            break;
        }
        case WM_DRAWITEM: {
            const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            const Item* item = ItemById(static_cast<int>(dis.CtlID));
            if (!item || dis.CtlType != ODT_BUTTON) break;
            PaintPictureButton(dis, item->control ? item->control->Pic.get() : nullptr,
                               Fonts().Ui(), Fonts().Px(kButtonInset));
            return TRUE;
        }
        case WM_GETMINMAXINFO: {
            // Windows keeps a window within the screen's size unless told otherwise.
            auto& mm = *reinterpret_cast<MINMAXINFO*>(lp);
            mm.ptMaxTrackSize.x = std::max<LONG>(mm.ptMaxTrackSize.x, frameSize_.cx);
            mm.ptMaxTrackSize.y = std::max<LONG>(mm.ptMaxTrackSize.y, frameSize_.cy);
            return 0;
        }
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_ACTIVATE:
            OnActivate(wp);
            return 0;
        case WM_SETFOCUS:
            // The window itself got the focus (activated): hand it to the window's control.
            focusPending_ = true;
            SyncFocus();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd_, &ps);
            EndPaint(hwnd_, &ps);
            SchedulePaint();
            return 0;
        }
        case kMsgPaint:
            paintPending_ = false;
            if (form_ && IsWindowVisible(hwnd_)) Deliver([](Form& f) { f.DeliverPaint(); });
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lp);
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_CONTEXTMENU:
            // A right click anywhere in a window with a menu (the controls pass it on); from
            // the keyboard (-1, -1), at the window's top-left corner.
            if (form_ && !form_->MenuEntries.empty()) {
                POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                if (at.x == -1 && at.y == -1) {
                    at = {0, 0};
                    ClientToScreen(hwnd_, &at);
                }
                ShowMenu(at);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            return 0;
        case kMsgCollect:
            host_.Collect();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void FormWindow::OnCommand(WPARAM wp) {
    const int id = LOWORD(wp);
    if (id >= kFirstButtonId && HIWORD(wp) == BN_CLICKED) {
        // A toolbar button: the toolbar is the one control that has such ids.
        for (auto& item : items_)
            if (item->kind == ControlKind::Toolbar && form_) {
                const std::string name = item->name;
                const int index = id - kFirstButtonId + 1;
                // The menu's separator and drop-down button follow the window's own buttons.
                if (!item->control || index > static_cast<int>(item->control->Buttons.size()))
                    break;
                Deliver([&](Form& f) { f.DeliverPick(name, index); });
                break;
            }
        return;
    }
    if (Item* item = ItemById(id)) Command(*item, HIWORD(wp));
}

void FormWindow::OnTimer(WPARAM wp) {
    for (auto& item : items_)
        if (item->timer == wp && item->kind == ControlKind::Timer) {
            const std::string name = item->name;
            Deliver([&](Form& f) { f.DeliverTick(name); });
            break;
        }
}

void FormWindow::OnActivate(WPARAM wp) {
    // The window's activation runs once each time it becomes the active window; a repeated
    // notice without a deactivation between is no new activation.
    if (LOWORD(wp) == WA_INACTIVE) {
        active_ = false;
    } else if (!active_ && form_) {
        active_ = true;
        focusPending_ = true;
        Deliver([](Form& f) { f.Activate(); });
        SyncFocus();
    }
}

void FormWindow::OnMouseMove(LPARAM lp) {
    if (!form_ || !form_->HasHandler(kFormName, Event::MouseMove)) return;
    // The window's own coordinates are twips.
    const double twips = TwipsPerPixel(Fonts().Dpi());
    const double x = static_cast<short>(LOWORD(lp)) * twips;
    const double y = static_cast<short>(HIWORD(lp)) * twips;
    Deliver([&](Form& f) { f.DeliverMouseMove(kFormName, x, y); });
}

void FormWindow::ShowMenu(POINT at) {
    if (!form_ || form_->MenuEntries.empty()) return;
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const std::vector<std::string> entries = form_->MenuEntries;
    for (size_t i = 0; i < entries.size(); ++i)
        AppendMenuW(menu, MF_STRING, kMenuFirstId + i, Wide(entries[i]).c_str());
    // The menu's own loop runs until an entry is picked or the menu is dismissed.
    const int picked = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                       at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    const int index = picked - kMenuFirstId;
    if (picked == 0 || index < 0 || index >= static_cast<int>(entries.size())) return;
    const std::string entry = entries[static_cast<size_t>(index)];
    Deliver([&](Form& f) { f.DeliverMenu(entry); });
}

void FormWindow::OnClose() {
    // Closed from the title bar: the window unloads (the host then lets the view go).
    if (form_ && !form_->Unloaded())
        Deliver([](Form& f) { f.Unload(); });
    else
        ShowWindow(hwnd_, SW_HIDE);
}

}  // namespace quillon::win32
