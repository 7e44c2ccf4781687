// Creating a window's native controls: one for each control of its table, measured and placed
// by the shared layout, with their tooltips.
#include "form_window.h"

#include <commctrl.h>

#include <algorithm>

#include "icons.h"
#include "shell/front_rules.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

SIZE TextExtent(HDC dc, const std::string& text, int wrap = 0) {
    const std::wstring t = Wide(text.empty() ? std::string(" ") : text);
    RECT r{0, 0, wrap, 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX;
    if (wrap > 0) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, flags);
    return {text.empty() ? 0 : r.right, r.bottom};
}

// The picture of a drop-down button: a dark down arrow in the middle, transparent around it
// (premultiplied 32-bit pixels, as the image list takes them).
HBITMAP DownArrowBitmap(int size) {
    void* bits = nullptr;
    HBITMAP bmp = TopDownBitmap(nullptr, size, size, &bits);
    if (!bmp) return nullptr;
    auto* px = static_cast<unsigned char*>(bits);
    std::fill(px, px + static_cast<size_t>(size) * size * 4, 0);
    const int half = std::max(2, size / 5);  // half the arrow's width
    const int top = (size - half) / 2;
    for (int row = 0; row < half; ++row)
        for (int x = size / 2 - (half - row); x <= size / 2 + (half - row); ++x) {
            unsigned char* p = px + (static_cast<size_t>(top + row) * size + x) * 4;
            p[0] = p[1] = p[2] = 0x40;
            p[3] = 0xFF;
        }
    return bmp;
}

}  // namespace

void FormWindow::MakeItems() {
    items_.reserve(form_->Controls().size());
    int index = 0;
    for (const auto& c : form_->Controls()) {
        auto item = std::make_unique<Item>();
        item->control = c.get();
        item->name = c->Name();
        item->kind = c->Kind();
        item->hasText = ShowsText(c->Kind());
        item->id = kFirstId + index++;
        items_.push_back(std::move(item));
    }
}

void FormWindow::Build(const layout::Result& laid) {
    for (auto& item : items_) Create(*item, laid);
    // Made where the layout put them: this only brings frames beneath their controls and
    // moves what had to be made elsewhere (pictures).
    Place(laid);
    // What need not be there for the first paint (the tooltips, the toolbar's pictures) is
    // made once the window has painted: the timer's message comes after the paint messages.
    SetTimer(hwnd_, kAfterPaintTimer, USER_TIMER_MINIMUM, nullptr);
}

void FormWindow::CreateTips() {
    if (tooltip_) return;
    // Owned by no window: an owned always-on-top popup keeps its owner out of the
    // always-on-top band on some systems (Wine).
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Fonts().Px(400));
    for (auto& item : items_) {
        if (item->kind == ControlKind::Toolbar) {
            if (!buttonTips_) AddButtonTips(*item);
            buttonTips_ = true;
            continue;
        }
        AddTip(*item);
        if (item->hwnd && item->control) SetTip(*item);
    }
}

void FormWindow::LayOutControls() {
    Place(ComputeLayout());
}

layout::Result FormWindow::ComputeLayout() const {
    // The screen's device context measures as the window's does: the fonts are made for the
    // window's resolution.
    HDC dc = GetDC(nullptr);
    const layout::Result laid = layout::LayOut(
        *form_,
        [&](const Control& c) {
            SelectObject(dc, c.Fixed ? Fonts().Fixed() : Fonts().Ui());
            return Measure(dc, c);
        },
        [&] {
            layout::Metrics m = Fonts().Resolution().Metrics();
            TEXTMETRICW tm;
            SelectObject(dc, Fonts().Ui());
            GetTextMetricsW(dc, &tm);
            m.frameTop = tm.tmHeight + Fonts().Px(8);
            return m;
        }());
    ReleaseDC(nullptr, dc);
    return laid;
}

RECT FormWindow::WindowRect(const Item& item, const layout::Rect& r) const {
    // A combo box's rectangle includes its drop-down list.
    const int extra = item.kind == ControlKind::ComboBox ? Fonts().Px(200) : 0;
    return {r.x, r.y, r.x + r.width, r.y + r.height + extra};
}

SIZE FormWindow::FrameSize(const layout::Result& laid, DWORD style, DWORD ex) {
    RECT rc{0, 0, laid.client.width, laid.client.height};
    AdjustWindowRectEx(&rc, style, FALSE, ex);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void FormWindow::Create(Item& item, const layout::Result& laid) {
    const Control& c = *item.control;
    // Where the layout puts it; a control it leaves out is made tiny and placed later.
    RECT at{0, 0, 1, 1};
    if (const auto it = laid.rects.find(item.name); it != laid.rects.end())
        at = WindowRect(item, it->second);
    const UiFonts& fonts = Fonts();
    const wchar_t* cls = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex = 0;
    const bool tab = c.TabStop && TakesFocus(c.Kind());
    if (tab) style |= WS_TABSTOP;
    switch (c.Kind()) {
        case ControlKind::TextBox:
            cls = WC_EDITW;
            ex = WS_EX_CLIENTEDGE;
            style |= ES_AUTOHSCROLL;
            if (c.Multiline) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
            break;
        case ControlKind::Label:
        case ControlKind::Image:
            if (c.Pic || c.Kind() == ControlKind::Image) {
                item.usesPicture = true;
                break;
            }
            cls = WC_STATICW;
            style |= SS_NOPREFIX | (c.Multiline ? SS_LEFT | SS_EDITCONTROL : SS_LEFTNOWORDWRAP);
            // A label with a tooltip must see the mouse; the others let it through to the
            // window (mouse moves over the window).
            if (!c.ToolTip.empty()) style |= SS_NOTIFY;
            break;
        case ControlKind::CommandButton:
            cls = WC_BUTTONW;
            // A button with a picture draws its face itself (WM_DRAWITEM).
            style |= (c.Pic ? BS_OWNERDRAW : BS_PUSHBUTTON) | BS_NOTIFY;
            break;
        case ControlKind::OptionButton:
            // The window decides which option of a group is selected.
            cls = WC_BUTTONW;
            style |= BS_RADIOBUTTON | BS_NOTIFY;
            break;
        case ControlKind::CheckBox:
            cls = WC_BUTTONW;
            style |= BS_CHECKBOX | BS_NOTIFY;
            break;
        case ControlKind::Frame:
            cls = WC_BUTTONW;
            style |= BS_GROUPBOX;
            break;
        case ControlKind::PictureBox:
            item.usesPicture = true;
            break;
        case ControlKind::ComboBox:
            cls = WC_COMBOBOXW;
            style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
            break;
        case ControlKind::ListBox:
            cls = WC_LISTBOXW;
            ex = WS_EX_CLIENTEDGE;
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
            break;
        case ControlKind::TabStrip:
            cls = WC_TABCONTROLW;
            break;
        case ControlKind::Toolbar:
            CreateToolbar(item, at);
            return;
        case ControlKind::Timer:
            return;
    }
    if (item.usesPicture) {
        CreatePicture(item);
    } else {
        item.hwnd = CreateWindowExW(ex, cls, L"", style, at.left, at.top, at.right - at.left,
                                    at.bottom - at.top, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                    GetModuleHandleW(nullptr), nullptr);
        item.placed = at;
    }
    SendMessageW(item.hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(c.Fixed ? fonts.Fixed() : fonts.Ui()), FALSE);
}

void FormWindow::CreatePicture(Item& item) {
    const Control& c = *item.control;
    PictureBinding& b = item.picture;
    b.picture = c.Pic.get();
    b.font = c.Fixed ? Fonts().Fixed() : Fonts().Figure();
    b.background = ToColorRef(c.BackColor.value_or(colors::Black));
    b.takesFocus = TakesFocus(c.Kind());
    const std::string name = item.name;
    if (form_->HasHandler(name, Event::MouseMove)) {
        b.cross = true;
        b.mouseMove = [this, name](double x, double y) {
            Deliver([&](Form& f) { f.DeliverMouseMove(name, x, y); });
        };
    }
    if (form_->HasHandler(kFormName, Event::MouseMove))
        // Leaving the picture for the rest of the window is a move over the window.
        b.mouseLeave = [this] {
            POINT p;
            GetCursorPos(&p);
            // Onto any other part of this window, its fields and buttons included.
            const HWND under = WindowFromPoint(p);
            if (!under || GetAncestor(under, GA_ROOT) != hwnd_) return;
            ScreenToClient(hwnd_, &p);
            const double twips = TwipsPerPixel(Fonts().Dpi());
            Deliver([&](Form& f) { f.DeliverMouseMove(kFormName, p.x * twips, p.y * twips); });
        };
    b.focused = [this, name] { FocusIn(name); };
    b.exposed = [this] { SchedulePaint(); };
    b.cross = b.cross || c.CrossPointer;
    item.hwnd = CreatePictureWindow(hwnd_, item.id, &b);
}

void FormWindow::CreateToolbar(Item& item, const RECT& at) {
    const Control& c = *item.control;
    const UiFonts& fonts = Fonts();
    item.hwnd = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_NORESIZE |
                                    CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                at.left, at.top, at.right - at.left, at.bottom - at.top, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                GetModuleHandleW(nullptr), nullptr);
    item.placed = at;
    SendMessageW(item.hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int size = fonts.Px(kToolbarIcon);
    // The pictures are drawn once the window has painted (kAfterPaintTimer): blank until then.
    int pictures = 0;
    for (const ToolbarButton& b : c.Buttons) pictures += b.separator ? 0 : 1;
    const bool menu = !form_->MenuEntries.empty();
    const int menuPicture = pictures;
    if (menu) ++pictures;  // the menu's button: a down arrow
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, pictures, 0);
    ImageList_SetImageCount(images, static_cast<UINT>(pictures));
    item.images = images;
    std::vector<TBBUTTON> buttons;
    int picture = 0;
    for (size_t i = 0; i < c.Buttons.size(); ++i) {
        const ToolbarButton& b = c.Buttons[i];
        TBBUTTON tb{};
        tb.idCommand = kFirstButtonId + static_cast<int>(i);
        if (b.separator) {
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = fonts.Px(8);
        } else {
            tb.iBitmap = picture++;
            tb.fsStyle = BTNS_BUTTON;
            tb.fsState = b.enabled ? TBSTATE_ENABLED : 0;
        }
        buttons.push_back(tb);
    }
    if (menu) {
        // The window's menu drops down from one more button after a separator at the right
        // end; its ids follow the window's own buttons'.
        const int next = kFirstButtonId + static_cast<int>(c.Buttons.size());
        TBBUTTON sep{};
        sep.idCommand = next;
        sep.fsStyle = BTNS_SEP;
        sep.iBitmap = fonts.Px(8);
        buttons.push_back(sep);
        TBBUTTON more{};
        more.idCommand = next + 1;
        more.iBitmap = menuPicture;
        more.fsStyle = BTNS_BUTTON | BTNS_WHOLEDROPDOWN;
        more.fsState = TBSTATE_ENABLED;
        buttons.push_back(more);
        SendMessageW(item.hwnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    }
    SendMessageW(item.hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(item.hwnd, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(item.hwnd, TB_SETMAXTEXTROWS, 0, 0);
}

void FormWindow::DrawToolbarIcons(Item& item) {
    if (!item.control || !item.images) return;
    const int size = Fonts().Px(kToolbarIcon);
    int picture = 0;
    for (const ToolbarButton& b : item.control->Buttons) {
        if (b.separator) continue;
        HBITMAP bmp = ToolbarBitmap(b.icon, b.key, size);
        ImageList_Replace(item.images, picture++, bmp, nullptr);
        DeleteObject(bmp);
    }
    if (form_ && !form_->MenuEntries.empty()) {
        HBITMAP bmp = DownArrowBitmap(size);
        ImageList_Replace(item.images, picture, bmp, nullptr);
        DeleteObject(bmp);
    }
    InvalidateRect(item.hwnd, nullptr, TRUE);
}

layout::Size FormWindow::Measure(HDC dc, const Control& c) const {
    const UiFonts& f = Fonts();
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    const int line = tm.tmHeight;
    const auto widest = [&](const std::vector<std::string>& texts) {
        int w = 0;
        for (const auto& t : texts) w = std::max<int>(w, TextExtent(dc, t).cx);
        return w;
    };
    switch (c.Kind()) {
        case ControlKind::TextBox: {
            const int w = std::max<int>(f.Px(72), TextExtent(dc, "-0000.000").cx + f.Px(12));
            return {w, c.Multiline ? 4 * line + f.Px(8) : line + f.Px(8)};
        }
        case ControlKind::Label: {
            const int wrap = c.Multiline ? std::max(c.MinWidth, f.Px(360)) : 0;
            const SIZE s = TextExtent(dc, c.Text, wrap);
            return {static_cast<int>(s.cx) + f.Px(2), std::max<int>(s.cy, line) + f.Px(2)};
        }
        case ControlKind::CommandButton: {
            const SIZE s = TextExtent(dc, c.Text);
            return {std::max<int>(s.cx + f.Px(20), f.Px(64)), std::max(line + f.Px(10), f.Px(23))};
        }
        case ControlKind::OptionButton:
        case ControlKind::CheckBox: {
            const SIZE s = TextExtent(dc, c.Text);
            return {static_cast<int>(s.cx) + GetSystemMetrics(SM_CXMENUCHECK) + f.Px(8),
                    std::max(line, f.Px(13)) + f.Px(4)};
        }
        case ControlKind::Frame:
            return {static_cast<int>(TextExtent(dc, c.Text).cx) + f.Px(20), line};
        case ControlKind::ComboBox:
            return {std::max(widest(c.Items) + f.Px(30), f.Px(100)), line + f.Px(10)};
        case ControlKind::ListBox:
            return {std::max(widest(c.Items) + f.Px(30), f.Px(120)),
                    8 * (line + f.Px(1)) + f.Px(4)};
        case ControlKind::TabStrip: {
            int w = f.Px(8);
            for (const auto& t : c.Tabs) w += TextExtent(dc, t).cx + f.Px(26);
            return {w, line + f.Px(12)};
        }
        case ControlKind::Toolbar: {
            int w = 0;
            for (const auto& b : c.Buttons) w += b.separator ? f.Px(8) : f.Px(kToolbarIcon + 7);
            // The separator and the drop-down button of the window's menu.
            if (!form_->MenuEntries.empty()) w += f.Px(8) + f.Px(kToolbarIcon + 7);
            return {w, f.Px(kToolbarIcon + 8)};
        }
        case ControlKind::PictureBox:
        case ControlKind::Image:
            return {f.Px(120), f.Px(80)};
        case ControlKind::Timer:
            break;
    }
    return {0, 0};
}

void FormWindow::Place(const layout::Result& laid) {
    for (auto& item : items_) {
        if (!item->hwnd) continue;
        const auto it = laid.rects.find(item->name);
        if (it == laid.rects.end()) continue;
        // A control already where the layout wants it is left alone: the layout runs again
        // after the window's load, when mostly nothing moves, and every move costs Wine a
        // round trip to its server.
        const RECT want = WindowRect(*item, it->second);
        if (!EqualRect(&want, &item->placed)) {
            SetWindowPos(item->hwnd, nullptr, want.left, want.top, want.right - want.left,
                         want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
            item->placed = want;
        }
        if (item->kind == ControlKind::Toolbar) {
            const LPARAM size =
                MAKELPARAM(Fonts().Px(kToolbarIcon + 7), Fonts().Px(kToolbarIcon + 6));
            if (size != item->buttonSize) SendMessageW(item->hwnd, TB_SETBUTTONSIZE, 0, size);
            item->buttonSize = size;
            if (tooltip_ && !buttonTips_) {
                AddButtonTips(*item);
                buttonTips_ = true;
            }
        }
    }
    // Frames lie beneath the controls they hold.
    for (auto& item : items_)
        if (item->kind == ControlKind::Frame)
            SetWindowPos(item->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    frameSize_ = FrameSize(laid, style, ex);
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.right - now.left != frameSize_.cx || now.bottom - now.top != frameSize_.cy)
        SetWindowPos(hwnd_, nullptr, 0, 0, frameSize_.cx, frameSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::AddButtonTips(Item& item) {
    // The window's own tooltip shows the buttons' tips (the toolbar's own would be owned).
    const Control& c = *item.control;
    for (size_t i = 0; i < c.Buttons.size(); ++i) {
        if (c.Buttons[i].separator || c.Buttons[i].tooltip.empty()) continue;
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = item.hwnd;
        ti.uId = kFirstButtonId + i;
        SendMessageW(item.hwnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&ti.rect));
        std::wstring tip = Wide(c.Buttons[i].tooltip);
        ti.lpszText = tip.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    if (form_ && !form_->MenuEntries.empty() && !form_->MenuTip.empty()) {
        // The drop-down button of the window's menu, after its separator.
        const size_t at = c.Buttons.size() + 1;
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = item.hwnd;
        ti.uId = kFirstButtonId + at;
        SendMessageW(item.hwnd, TB_GETITEMRECT, at, reinterpret_cast<LPARAM>(&ti.rect));
        std::wstring tip = Wide(form_->MenuTip);
        ti.lpszText = tip.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void FormWindow::AddTip(Item& item) {
    if (!item.hwnd || item.kind == ControlKind::Toolbar || !item.control) return;
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(item.hwnd);
    ti.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace quillon::win32
