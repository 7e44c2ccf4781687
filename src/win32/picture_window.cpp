#include "picture_window.h"

#include "icons.h"

#include <cmath>
#include <type_traits>
#include <variant>

#include "shell/picture_map.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

constexpr wchar_t kClass[] = L"QuillonPicture";

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

int PenStyle(DrawStyle style) {
    switch (style) {
        case DrawStyle::Dot:
            return PS_DOT;
        case DrawStyle::DashDot:
            return PS_DASHDOT;
        case DrawStyle::Solid:
            break;
    }
    return PS_SOLID;
}

// One pen per colour and style while a picture paints.
class Pens {
public:
    explicit Pens(HDC dc) : dc_(dc), old_(SelectObject(dc, GetStockObject(BLACK_PEN))) {}
    ~Pens() {
        SelectObject(dc_, old_);
        if (pen_) DeleteObject(pen_);
    }
    void Use(COLORREF color, int style) {
        if (pen_ && color == color_ && style == style_) return;
        HPEN pen = CreatePen(style, 1, color);
        SelectObject(dc_, pen);
        if (pen_) DeleteObject(pen_);
        pen_ = pen, color_ = color, style_ = style;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
    HPEN pen_ = nullptr;
    COLORREF color_ = 0;
    int style_ = 0;
};

// Arc draws counter-clockwise from the ray through its first point to the ray through its
// second; equal rays make it a whole circle. Rays that round to the same pixel for a sweep
// short of the whole circle are drawn as the stroke between the arc's ends instead.
void DrawArc(HDC dc, const DeviceArc& a) {
    const double r = std::max(a.r, 0.5);
    const double kDegree = 3.14159265358979323846 / 180;
    const double s = a.start * kDegree, e = (a.start + a.sweep) * kDegree;
    // The rays' points lie well outside the circle, where rounding turns them least.
    const double reach = r + 1000;
    const int x1 = Round(a.centre.x + reach * std::cos(s)),
              y1 = Round(a.centre.y - reach * std::sin(s));
    const int x2 = Round(a.centre.x + reach * std::cos(e)),
              y2 = Round(a.centre.y - reach * std::sin(e));
    if (a.sweep < 360 && x1 == x2 && y1 == y2) {
        const int ax = Round(a.centre.x + r * std::cos(s)),
                  ay = Round(a.centre.y - r * std::sin(s));
        const int bx = Round(a.centre.x + r * std::cos(e)),
                  by = Round(a.centre.y - r * std::sin(e));
        MoveToEx(dc, ax, ay, nullptr);
        LineTo(dc, bx, by);
        return;
    }
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    Arc(dc, Round(a.centre.x - r), Round(a.centre.y - r), Round(a.centre.x + r) + 1,
        Round(a.centre.y + r) + 1, x1, y1, x2, y2);
}

PictureBinding* BindingOf(HWND hwnd) {
    return reinterpret_cast<PictureBinding*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void OnPaint(HWND hwnd, PictureBinding* b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int w = rc.right, h = rc.bottom;
    // Drawn off screen, then copied in one go: no flicker while a figure is rebuilt.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1));
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    PaintPicture(mem, b ? b->picture : nullptr, w, h, b ? b->background : RGB(0, 0, 0),
                 b ? b->font : nullptr);
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(hwnd, &ps);
    if (!b) return;
    const bool asked = b->requested;
    b->requested = false;
    if (!asked && b->exposed) b->exposed();
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PictureBinding* b = BindingOf(hwnd);
    switch (msg) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint(hwnd, b);
            return 0;
        case WM_SETCURSOR:
            if (b && b->cross && LOWORD(lp) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_CROSS));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (b && b->takesFocus && GetFocus() != hwnd) SetFocus(hwnd);
            return 0;
        case WM_SETFOCUS:
            if (b && b->focused) b->focused();
            return 0;
        case WM_MOUSEMOVE:
            if (b && (b->mouseMove || b->mouseLeave)) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
            }
            if (b && b->mouseMove && b->picture) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                const PictureMapping map(b->picture->GetScale(), rc.right, rc.bottom);
                const DevicePoint at = map.ToPicture(static_cast<short>(LOWORD(lp)) + 0.5,
                                                     static_cast<short>(HIWORD(lp)) + 0.5);
                b->mouseMove(at.x, at.y);
            }
            return 0;
        case WM_MOUSELEAVE:
            if (b && b->mouseLeave) b->mouseLeave();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_WANTARROWS;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void RegisterPictureClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kClass, &wc)) return;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

HWND CreatePictureWindow(HWND parent, int id, PictureBinding* binding) {
    return CreateWindowExW(0, kClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1, 1, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), binding);
}

void RefreshPicture(HWND picture, PictureBinding& binding) {
    binding.requested = true;
    InvalidateRect(picture, nullptr, FALSE);
}

void PaintPicture(HDC dc, const Picture* picture, int width, int height, COLORREF background,
                  HFONT font) {
    const RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (!picture || picture->Ops().empty()) return;

    Pens pens(dc);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (const DeviceOp& op : MapToDevice(*picture, width, height)) {
        std::visit(
            [&](const auto& o) {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, DeviceLine>) {
                    pens.Use(ToColorRef(o.color), PenStyle(o.style));
                    const int x1 = Round(o.a.x), y1 = Round(o.a.y);
                    const int x2 = Round(o.b.x), y2 = Round(o.b.y);
                    MoveToEx(dc, x1, y1, nullptr);
                    LineTo(dc, x2, y2);
                    // GDI leaves out a line's last pixel; the figure's strokes end where
                    // they are drawn to.
                    SetPixelV(dc, x2, y2, ToColorRef(o.color));
                } else if constexpr (std::is_same_v<T, DeviceCircle>) {
                    pens.Use(ToColorRef(o.color), PenStyle(o.style));
                    const double r = std::max(o.r, 0.5);
                    Ellipse(dc, Round(o.centre.x - r), Round(o.centre.y - r),
                            Round(o.centre.x + r) + 1, Round(o.centre.y + r) + 1);
                } else if constexpr (std::is_same_v<T, DeviceArc>) {
                    pens.Use(ToColorRef(o.color), PenStyle(o.style));
                    DrawArc(dc, o);
                } else if constexpr (std::is_same_v<T, DeviceDot>) {
                    SetPixelV(dc, Round(o.at.x), Round(o.at.y), ToColorRef(o.color));
                } else {
                    SetTextColor(dc, ToColorRef(o.color));
                    const std::wstring text = Wide(o.text);
                    TextOutW(dc, Round(o.at.x), Round(o.at.y), text.c_str(),
                             static_cast<int>(text.size()));
                }
            },
            op);
    }
    if (oldFont) SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
}

COLORREF Dimmed(COLORREF color, COLORREF toward) {
    auto half = [](int a, int b) { return static_cast<BYTE>((a + b + 1) / 2); };
    return RGB(half(GetRValue(color), GetRValue(toward)), half(GetGValue(color), GetGValue(toward)),
               half(GetBValue(color), GetBValue(toward)));
}

void PaintPictureButton(const DRAWITEMSTRUCT& item, const Picture* picture, HFONT font, int inset) {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int x = rc.left + inset + shift, y = rc.top + inset + shift;
    const int w = rc.right - rc.left - 2 * inset, h = rc.bottom - rc.top - 2 * inset;
    if (w > 0 && h > 0) {
        // Drawn into a bitmap of our own, so that a disabled button's picture can be dimmed
        // pixel by pixel before it goes onto the face.
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        void* bits = nullptr;
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = TopDownBitmap(dc, w, h, &bits);
        if (mem && bmp && bits) {
            HGDIOBJ old = SelectObject(mem, bmp);
            PaintPicture(mem, picture, w, h, face, font);
            GdiFlush();
            if (disabled) {
                // Every stroke halfway to the face; the DIB holds 0x00RRGGBB pixels.
                auto* px = static_cast<DWORD*>(bits);
                for (int i = 0; i < w * h; ++i) {
                    const DWORD p = px[i];
                    const COLORREF c =
                        Dimmed(RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff), face);
                    px[i] = (DWORD{GetRValue(c)} << 16) | (DWORD{GetGValue(c)} << 8) | GetBValue(c);
                }
            }
            BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
        }
        if (bmp) DeleteObject(bmp);
        if (mem) DeleteDC(mem);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -std::max(2, inset / 2), -std::max(2, inset / 2));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace quillon::win32
