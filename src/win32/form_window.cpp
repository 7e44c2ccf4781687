#include "form_window.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "icons.h"
#include "shell/utf8.h"
#include "win_host.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"QuillonForm";
constexpr int kFirstId = 1000;             // control ids: kFirstId + index in the table
constexpr int kFirstButtonId = 5000;       // toolbar buttons: kFirstButtonId + index
constexpr int kToolbarIcon = 32;           // toolbar icons, at 96 dots per inch
constexpr const char* kFormName = "Form";  // the window itself in mouse events and handlers

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

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

SIZE TextExtent(HDC dc, const std::string& text, int wrap = 0) {
    const std::wstring t = Wide(text.empty() ? std::string(" ") : text);
    RECT r{0, 0, wrap, 0};
    UINT flags = DT_CALCRECT | DT_NOPREFIX;
    if (wrap > 0) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &r, flags);
    return {text.empty() ? 0 : r.right, r.bottom};
}

}  // namespace

// ---- building ----

void FormWindow::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, kFormClass, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = kFormClass;
        RegisterClassExW(&wc);
    }
    RegisterPictureClass(instance);
}

FormWindow::FormWindow(Form& form, Win32Host& host)
    : form_(&form), host_(host), className_(form.ClassName()) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    hwnd_ =
        CreateWindowExW(0, kFormClass, Wide(form.Caption).c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    // The tooltips are owned by no window: an owned always-on-top popup keeps its owner out of
    // the always-on-top band on some systems (Wine).
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, host_.Fonts().Px(400));
    Build();
    Sync();
}

FormWindow::~FormWindow() {
    for (auto& item : items_) {
        if (item->brush) DeleteObject(item->brush);
        if (item->images) ImageList_Destroy(item->images);
    }
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    // Owned by no window, the tooltip goes on its own.
    if (tooltip_) DestroyWindow(tooltip_);
}

void FormWindow::Build() {
    items_.reserve(form_->Controls().size());
    int index = 0;
    for (const auto& c : form_->Controls()) {
        auto item = std::make_unique<Item>();
        item->control = c.get();
        item->name = c->Name();
        item->kind = c->Kind();
        item->hasText = ShowsText(c->Kind());
        item->id = kFirstId + index++;
        Create(*item);
        items_.push_back(std::move(item));
    }
    LayOutControls();
    for (auto& item : items_) AddTip(*item);
}

void FormWindow::LayOutControls() {
    HDC dc = GetDC(hwnd_);
    const layout::Result laid = layout::LayOut(
        *form_,
        [&](const Control& c) {
            SelectObject(dc, c.Fixed ? host_.Fonts().Fixed() : host_.Fonts().Ui());
            return Measure(dc, c);
        },
        [&] {
            layout::Metrics m = layout::Metrics{}.Scaled(host_.Fonts().Dpi() / 96.0);
            TEXTMETRICW tm;
            SelectObject(dc, host_.Fonts().Ui());
            GetTextMetricsW(dc, &tm);
            m.frameTop = tm.tmHeight + host_.Fonts().Px(8);
            return m;
        }());
    ReleaseDC(hwnd_, dc);
    Place(laid);
}

bool FormWindow::LayOutAfterLoad() {
    if (laidOutAfterLoad_ || !form_) return false;
    laidOutAfterLoad_ = true;
    LayOutControls();
    return true;
}

void FormWindow::Create(Item& item) {
    const Control& c = *item.control;
    const UiFonts& fonts = host_.Fonts();
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
            style |= BS_PUSHBUTTON | BS_NOTIFY;
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
            CreateToolbar(item);
            return;
        case ControlKind::Timer:
            return;
    }
    if (item.usesPicture) {
        PictureBinding& b = item.picture;
        b.picture = c.Pic.get();
        b.font = c.Fixed ? fonts.Fixed() : fonts.Figure();
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
                const double twips = 1440.0 / host_.Fonts().Dpi();
                Deliver([&](Form& f) { f.DeliverMouseMove(kFormName, p.x * twips, p.y * twips); });
            };
        b.focused = [this, name] { FocusIn(name); };
        b.exposed = [this] { SchedulePaint(); };
        b.cross = b.cross || c.CrossPointer;
        item.hwnd = CreatePictureWindow(hwnd_, item.id, &b);
    } else {
        item.hwnd = CreateWindowExW(ex, cls, L"", style, 0, 0, 1, 1, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                    GetModuleHandleW(nullptr), nullptr);
    }
    SendMessageW(item.hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(c.Fixed ? fonts.Fixed() : fonts.Ui()), FALSE);
}

void FormWindow::CreateToolbar(Item& item) {
    const Control& c = *item.control;
    const UiFonts& fonts = host_.Fonts();
    item.hwnd =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_NORESIZE |
                            CCS_NOPARENTALIGN | CCS_NODIVIDER,
                        0, 0, 1, 1, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(item.hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const int size = fonts.Px(kToolbarIcon);
    // The pictures are drawn once the window shows (kMsgIcons): blank until then.
    int pictures = 0;
    for (const ToolbarButton& b : c.Buttons) pictures += b.separator ? 0 : 1;
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
    SendMessageW(item.hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(item.hwnd, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(item.hwnd, TB_SETMAXTEXTROWS, 0, 0);
    PostMessageW(hwnd_, kMsgIcons, 0, 0);
}

void FormWindow::DrawToolbarIcons(Item& item) {
    if (!item.control || !item.images) return;
    const int size = host_.Fonts().Px(kToolbarIcon);
    int picture = 0;
    for (const ToolbarButton& b : item.control->Buttons) {
        if (b.separator) continue;
        HBITMAP bmp = ToolbarBitmap(b.icon, b.key, size);
        ImageList_Replace(item.images, picture++, bmp, nullptr);
        DeleteObject(bmp);
    }
    InvalidateRect(item.hwnd, nullptr, TRUE);
}

layout::Size FormWindow::Measure(HDC dc, const Control& c) const {
    const UiFonts& f = host_.Fonts();
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
        const layout::Rect& r = it->second;
        // A combo box's rectangle includes its drop-down list.
        const int extra = item->kind == ControlKind::ComboBox ? host_.Fonts().Px(200) : 0;
        SetWindowPos(item->hwnd, nullptr, r.x, r.y, r.width, r.height + extra,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (item->kind == ControlKind::Toolbar) {
            SendMessageW(
                item->hwnd, TB_SETBUTTONSIZE, 0,
                MAKELPARAM(host_.Fonts().Px(kToolbarIcon + 7), host_.Fonts().Px(kToolbarIcon + 6)));
            if (!buttonTips_) AddButtonTips(*item);
            buttonTips_ = true;
        }
    }
    // Frames lie beneath the controls they hold.
    for (auto& item : items_)
        if (item->kind == ControlKind::Frame)
            SetWindowPos(item->hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const DWORD ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    RECT rc{0, 0, laid.client.width, laid.client.height};
    AdjustWindowRectEx(&rc, style, FALSE, ex);
    SetWindowPos(hwnd_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
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

// ---- events ----

void FormWindow::SetInputMode(const std::string& control, InputMode mode) {
    Item* item = ItemByName(control);
    if (!item || item->kind != ControlKind::TextBox) return;
    item->inputMode = mode;
    if (GetFocus() == item->hwnd) ApplyInputMode(*item);
}

void FormWindow::ApplyInputMode(const Item& item) {
    if (item.inputMode == InputMode::NoControl) return;
    if (HIMC imc = ImmGetContext(item.hwnd)) {
        ImmSetOpenStatus(imc, item.inputMode == InputMode::On);
        ImmReleaseContext(item.hwnd, imc);
    }
}

void FormWindow::SetTopmost(bool on) {
    topmost_ = on;
    // No move, no size (flags 3); the result is not used.
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
    // The key goes to the control that has the focus on screen; keep the window in step.
    if (!control.empty() && form_->Focus() != control && form_->CanFocus(control))
        Deliver([&](Form& f) { f.DeliverFocus(control); });
    if (!form_) return false;
    bool passed = true;
    Deliver([&](Form& f) { passed = f.DeliverKey(key, /*applyDefault=*/false); });
    if (!passed || !form_) return false;
    // Enter presses a button that has the focus (the space bar presses it natively).
    const Control* c = form_->Find(control);
    if (c && key.keyCode == keys::Enter && PressesButton(*c, key)) {
        Deliver([&](Form& f) { f.DeliverClick(control); });
        return false;
    }
    return true;
}

void FormWindow::TabFrom(const std::string& control, bool backwards) {
    if (!form_) return;
    std::vector<std::string> order;
    for (const auto& c : form_->Controls())
        if (c->TabStop && form_->CanFocus(c->Name())) order.push_back(c->Name());
    if (order.empty()) return;
    const auto it = std::find(order.begin(), order.end(), control);
    size_t i = 0;
    if (it != order.end()) {
        const size_t at = static_cast<size_t>(it - order.begin());
        i = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    } else if (backwards) {
        i = order.size() - 1;
    }
    const std::string next = order[i];
    Deliver([&](Form& f) { f.DeliverFocus(next); });
}

bool FormWindow::PreTranslate(MSG& msg) {
    Item* item = msg.hwnd == hwnd_ ? nullptr : ItemByHwnd(msg.hwnd);
    const std::string control = item ? item->name : std::string();
    const bool singleLineEdit =
        item && (item->kind == ControlKind::TextBox || item->kind == ControlKind::ComboBox) &&
        !(item->control && item->control->Multiline);
    ++depth_;
    bool consumed = false;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (msg.wParam == VK_TAB && msg.message == WM_KEYDOWN) {
                // Tab walks the window's tab order; the controls never see it.
                TabFrom(control, GetKeyState(VK_SHIFT) < 0);
                consumed = true;
                break;
            }
            if (msg.message == WM_SYSKEYDOWN) break;  // Alt combinations are the system's
            const auto key = NamedKey(msg.wParam);
            if (!key) break;
            if (!HandleKey(control, *key)) {
                consumed = true;
                // A cancelled Backspace must not reach the field as a character either.
                if (msg.wParam == VK_BACK) swallowChar_ = 8;
            }
            break;
        }
        case WM_CHAR: {
            const wchar_t ch = static_cast<wchar_t>(msg.wParam);
            if (swallowChar_ && msg.wParam == swallowChar_) {
                swallowChar_ = 0;
                consumed = true;
                break;
            }
            swallowChar_ = 0;
            if (ch == 13 || ch == 27 || ch == 9) {
                // Seen at WM_KEYDOWN; a single-line field would only beep at them.
                consumed = singleLineEdit || ch == 9;
                break;
            }
            if (ch == 8) break;  // seen at WM_KEYDOWN
            if (ch >= 0xD800 && ch <= 0xDBFF) {
                highSurrogate_ = ch;
                break;
            }
            std::wstring w;
            if (ch >= 0xDC00 && ch <= 0xDFFF && highSurrogate_) w += highSurrogate_;
            highSurrogate_ = 0;
            w += ch;
            Key key;
            if (ch < 32) {
                // A control character (Ctrl with a letter): the letter's key code too.
                key = Key{ch >= 1 && ch <= 26 ? keys::A + ch - 1 : 0, ch, ""};
            } else {
                const auto parsed = ParseKey(Narrow(w));
                if (!parsed) break;
                key = *parsed;
            }
            consumed = !HandleKey(control, key);
            break;
        }
        default:
            break;
    }
    --depth_;
    return consumed;
}

void FormWindow::SchedulePaint() {
    if (paintPending_ || !form_) return;
    paintPending_ = true;
    PostMessageW(hwnd_, kMsgPaint, 0, 0);
}

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
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (id >= kFirstButtonId && HIWORD(wp) == BN_CLICKED) {
                // A toolbar button: the toolbar is the one control that has such ids.
                for (auto& item : items_)
                    if (item->kind == ControlKind::Toolbar && form_) {
                        const std::string name = item->name;
                        const int index = id - kFirstButtonId + 1;
                        Deliver([&](Form& f) { f.DeliverPick(name, index); });
                        break;
                    }
                return 0;
            }
            if (Item* item = ItemById(id)) Command(*item, HIWORD(wp));
            return 0;
        }
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<NMHDR*>(lp));
        case WM_TIMER:
            for (auto& item : items_)
                if (item->timer == wp && item->kind == ControlKind::Timer) {
                    const std::string name = item->name;
                    Deliver([&](Form& f) { f.DeliverTick(name); });
                    break;
                }
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
        case WM_ACTIVATE:
            // The window's activation runs once each time it becomes the active window; a
            // repeated notice without a deactivation between is no new activation.
            if (LOWORD(wp) == WA_INACTIVE) {
                active_ = false;
            } else if (!active_ && form_) {
                active_ = true;
                focusPending_ = true;
                Deliver([](Form& f) { f.Activate(); });
                SyncFocus();
            }
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
            if (form_ && form_->HasHandler(kFormName, Event::MouseMove)) {
                // The window's own coordinates are twips.
                const double twips = 1440.0 / host_.Fonts().Dpi();
                const double x = static_cast<short>(LOWORD(lp)) * twips;
                const double y = static_cast<short>(HIWORD(lp)) * twips;
                Deliver([&](Form& f) { f.DeliverMouseMove(kFormName, x, y); });
            }
            return 0;
        case WM_CLOSE:
            // Closed from the title bar: the window unloads (the host then lets the view go).
            if (form_ && !form_->Unloaded())
                Deliver([](Form& f) { f.Unload(); });
            else
                ShowWindow(hwnd_, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            return 0;
        case kMsgCollect:
            host_.Collect();
            return 0;
        case kMsgIcons:
            for (auto& item : items_)
                if (item->kind == ControlKind::Toolbar) DrawToolbarIcons(*item);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

// ---- mirroring the window's state ----

bool FormWindow::WithFrames(const Control& c, bool Control::*flag) const {
    // The native controls of a frame are the window's children, not the frame's: a hidden or
    // disabled frame hides or disables them here.
    const Control* p = &c;
    for (int depth = 0; p && depth < 16; ++depth) {
        if (!(p->*flag)) return false;
        if (p->Parent.empty()) return true;
        p = form_->Find(p->Parent);
    }
    return true;
}

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
    const Control& c = *item.control;
    const bool first = !item.synced;
    item.synced = true;
    if (item.kind == ControlKind::Timer) {
        const int ms = std::max(1, static_cast<int>(std::lround(c.Interval * 1000)));
        const bool run = c.Enabled && c.Interval > 0;
        if (run && (!item.timer || item.timerMs != ms)) {
            item.timer =
                SetTimer(hwnd_, static_cast<UINT_PTR>(item.id), static_cast<UINT>(ms), nullptr);
            item.timerMs = ms;
        } else if (!run && item.timer) {
            KillTimer(hwnd_, item.timer);
            item.timer = 0;
        }
        return;
    }
    HWND w = item.hwnd;
    if (!w) return;
    const bool enabled = WithFrames(c, &Control::Enabled);
    const bool visible = WithFrames(c, &Control::Visible);
    if (first || enabled != item.enabled) EnableWindow(w, enabled), item.enabled = enabled;
    if (first || visible != item.visible)
        ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE), item.visible = visible;
    if (first || c.ToolTip != item.tip) {
        item.tip = c.ToolTip;
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(w);
        std::wstring tip = Wide(c.ToolTip);
        ti.lpszText = tip.data();
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    const bool textChanged = first || c.Text != item.text;
    switch (item.kind) {
        case ControlKind::TextBox: {
            if (textChanged) {
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
            break;
        }
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::CommandButton:
            if (textChanged && !item.usesPicture) {
                SetWindowTextW(w, Wide(c.Text).c_str());
                item.text = c.Text;
            }
            break;
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            if (textChanged) {
                SetWindowTextW(w, Wide(c.Text).c_str());
                item.text = c.Text;
            }
            if (first || c.Value != item.value) {
                SendMessageW(w, BM_SETCHECK, c.Value ? BST_CHECKED : BST_UNCHECKED, 0);
                item.value = c.Value;
            }
            break;
        case ControlKind::ComboBox:
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
            break;
        case ControlKind::ListBox:
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
            break;
        case ControlKind::TabStrip:
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
            break;
        case ControlKind::Toolbar:
            item.buttons.resize(c.Buttons.size(), true);
            for (size_t i = 0; i < c.Buttons.size(); ++i)
                if (!c.Buttons[i].separator && (first || c.Buttons[i].enabled != item.buttons[i])) {
                    SendMessageW(w, TB_ENABLEBUTTON, kFirstButtonId + i, c.Buttons[i].enabled);
                    item.buttons[i] = c.Buttons[i].enabled;
                }
            break;
        default:
            break;
    }
    if (item.usesPicture) {
        const COLORREF back = ToColorRef(c.BackColor.value_or(colors::Black));
        const unsigned revision = c.Pic ? c.Pic->Revision() : 0;
        if (item.picture.picture != c.Pic.get() || back != item.picture.background ||
            revision != item.picRevision) {
            item.picture.picture = c.Pic.get();
            item.picture.background = back;
            item.picRevision = revision;
            RefreshPicture(w, item.picture);
        }
    }
    SyncColors(item);
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

// ---- what the controls show ----

std::string FormWindow::ShownStateJson() const {
    std::string texts, values, hwnds, focus = "null";
    const HWND focused = GetFocus();
    for (const auto& item : items_) {
        if (!item->hwnd) continue;
        if (!hwnds.empty()) hwnds += ",";
        hwnds +=
            JsonString(item->name) + ":" + std::to_string(reinterpret_cast<UINT_PTR>(item->hwnd));
        if (item->hasText && !item->usesPicture) {
            if (!texts.empty()) texts += ",";
            texts += JsonString(item->name) + ":" + JsonString(WindowText(item->hwnd));
        }
        if (item->kind == ControlKind::OptionButton || item->kind == ControlKind::CheckBox) {
            if (!values.empty()) values += ",";
            const bool on = SendMessageW(item->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
            values += JsonString(item->name) + ":" + (on ? "true" : "false");
        }
        if (focused && (focused == item->hwnd || GetParent(focused) == item->hwnd))
            focus = JsonString(item->name);
    }
    return "{\"window\":" + JsonString(className_) +
           ",\"caption\":" + JsonString(WindowText(hwnd_)) +
           ",\"visible\":" + (IsWindowVisible(hwnd_) ? "true" : "false") + ",\"texts\":{" + texts +
           "},\"values\":{" + values + "},\"focus\":" + focus +
           ",\"hwnd\":" + std::to_string(reinterpret_cast<UINT_PTR>(hwnd_)) + ",\"hwnds\":{" +
           hwnds + "}}";
}

}  // namespace quillon::win32
