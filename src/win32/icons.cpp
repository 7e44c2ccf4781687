#include "icons.h"

// GDI+ draws the toolbar's pictures: smooth edges and alpha, on every Windows since XP. Its
// headers (declarations only: the library is loaded when needed) need the COM declarations
// that a lean windows.h leaves out.
#include <objidl.h>
// (after objidl.h)
#include <gdiplus.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/utf8.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// GDI+ is loaded when the first picture is drawn, not at start: the launcher shows first.
struct GdiplusApi {
    decltype(&GdipAddPathLine2) GdipAddPathLine2 = nullptr;
    decltype(&GdipAddPathLine) GdipAddPathLine = nullptr;
    decltype(&GdipStartPathFigure) GdipStartPathFigure = nullptr;
    decltype(&GdipAddPathBezier) GdipAddPathBezier = nullptr;
    decltype(&GdipAddPathArc) GdipAddPathArc = nullptr;
    decltype(&GdipClosePathFigure) GdipClosePathFigure = nullptr;
    decltype(&GdipAddPathRectangle) GdipAddPathRectangle = nullptr;
    decltype(&GdipCreateSolidFill) GdipCreateSolidFill = nullptr;
    decltype(&GdipFillPath) GdipFillPath = nullptr;
    decltype(&GdipDeleteBrush) GdipDeleteBrush = nullptr;
    decltype(&GdipCreatePen1) GdipCreatePen1 = nullptr;
    decltype(&GdipSetPenLineCap197819) GdipSetPenLineCap197819 = nullptr;
    decltype(&GdipSetPenLineJoin) GdipSetPenLineJoin = nullptr;
    decltype(&GdipSetPenDashArray) GdipSetPenDashArray = nullptr;
    decltype(&GdipDrawPath) GdipDrawPath = nullptr;
    decltype(&GdipDeletePen) GdipDeletePen = nullptr;
    decltype(&GdipCreatePath) GdipCreatePath = nullptr;
    decltype(&GdipAddPathEllipse) GdipAddPathEllipse = nullptr;
    decltype(&GdipDeletePath) GdipDeletePath = nullptr;
    decltype(&GdipCreateBitmapFromScan0) GdipCreateBitmapFromScan0 = nullptr;
    decltype(&GdipGetImageGraphicsContext) GdipGetImageGraphicsContext = nullptr;
    decltype(&GdipSetSmoothingMode) GdipSetSmoothingMode = nullptr;
    decltype(&GdipGraphicsClear) GdipGraphicsClear = nullptr;
    decltype(&GdipScaleWorldTransform) GdipScaleWorldTransform = nullptr;
    decltype(&GdipDeleteGraphics) GdipDeleteGraphics = nullptr;
    decltype(&GdipDisposeImage) GdipDisposeImage = nullptr;
    decltype(&GdiplusStartup) GdiplusStartup = nullptr;
};

template <typename F>
bool Resolve(HMODULE dll, F& f, const char* name) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    return f != nullptr;
}

// The functions of gdiplus.dll, started; nullptr where it is missing.
const GdiplusApi* Gdiplus() {
    static const GdiplusApi* loaded = []() -> const GdiplusApi* {
        static GdiplusApi api;
        HMODULE dll = LoadLibraryW(L"gdiplus.dll");
        if (!dll) return nullptr;
        bool ok = true;
        auto Load = [&](auto& f, const char* name) { ok = Resolve(dll, f, name) && ok; };
        Load(api.GdipAddPathLine2, "GdipAddPathLine2");
        Load(api.GdipAddPathLine, "GdipAddPathLine");
        Load(api.GdipStartPathFigure, "GdipStartPathFigure");
        Load(api.GdipAddPathBezier, "GdipAddPathBezier");
        Load(api.GdipAddPathArc, "GdipAddPathArc");
        Load(api.GdipClosePathFigure, "GdipClosePathFigure");
        Load(api.GdipAddPathRectangle, "GdipAddPathRectangle");
        Load(api.GdipCreateSolidFill, "GdipCreateSolidFill");
        Load(api.GdipFillPath, "GdipFillPath");
        Load(api.GdipDeleteBrush, "GdipDeleteBrush");
        Load(api.GdipCreatePen1, "GdipCreatePen1");
        Load(api.GdipSetPenLineCap197819, "GdipSetPenLineCap197819");
        Load(api.GdipSetPenLineJoin, "GdipSetPenLineJoin");
        Load(api.GdipSetPenDashArray, "GdipSetPenDashArray");
        Load(api.GdipDrawPath, "GdipDrawPath");
        Load(api.GdipDeletePen, "GdipDeletePen");
        Load(api.GdipCreatePath, "GdipCreatePath");
        Load(api.GdipAddPathEllipse, "GdipAddPathEllipse");
        Load(api.GdipDeletePath, "GdipDeletePath");
        Load(api.GdipCreateBitmapFromScan0, "GdipCreateBitmapFromScan0");
        Load(api.GdipGetImageGraphicsContext, "GdipGetImageGraphicsContext");
        Load(api.GdipSetSmoothingMode, "GdipSetSmoothingMode");
        Load(api.GdipGraphicsClear, "GdipGraphicsClear");
        Load(api.GdipScaleWorldTransform, "GdipScaleWorldTransform");
        Load(api.GdipDeleteGraphics, "GdipDeleteGraphics");
        Load(api.GdipDisposeImage, "GdipDisposeImage");
        Load(api.GdiplusStartup, "GdiplusStartup");
        if (!ok) return nullptr;
        GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return api.GdiplusStartup(&token, &input, nullptr) == Ok ? &api : nullptr;
    }();
    return loaded;
}

// The functions the drawing below calls, while it draws.
const GdiplusApi* gp = nullptr;

// ---- a small reader of the icon drawings (SVG: rect, circle, polygon, path, g) ----

struct Style {
    std::optional<ARGB> fill, stroke;
    REAL width = 1;
    std::vector<REAL> dash;
};

std::optional<std::string_view> Attribute(std::string_view tag, std::string_view name) {
    for (size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        const bool starts = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\n');
        const size_t eq = at + name.size();
        if (!starts || eq + 1 >= tag.size() || tag[eq] != '=' || tag[eq + 1] != '"') continue;
        const size_t end = tag.find('"', eq + 2);
        if (end == std::string_view::npos) return std::nullopt;
        return tag.substr(eq + 2, end - eq - 2);
    }
    return std::nullopt;
}

std::optional<ARGB> ParseColor(std::string_view v) {
    if (v.size() == 7 && v[0] == '#')
        return 0xFF000000u | static_cast<ARGB>(std::stoul(std::string(v.substr(1)), nullptr, 16));
    if (v.size() == 4 && v[0] == '#') {
        ARGB rgb = 0;
        for (size_t i = 1; i < 4; ++i) {
            const unsigned d = static_cast<unsigned>(std::stoul(std::string(1, v[i]), nullptr, 16));
            rgb = rgb << 8 | (d * 17);
        }
        return 0xFF000000u | rgb;
    }
    return std::nullopt;  // "none" and anything not understood
}

// Numbers of a list such as "16,6 24.7,11" or "2 2".
std::vector<REAL> Numbers(std::string_view v) {
    std::vector<REAL> out;
    std::string s(v);
    const char* p = s.c_str();
    char* end = nullptr;
    while (*p) {
        const double d = std::strtod(p, &end);
        if (end == p) {
            ++p;
            continue;
        }
        out.push_back(static_cast<REAL>(d));
        p = end;
    }
    return out;
}

REAL Number(std::string_view tag, std::string_view name, REAL fallback = 0) {
    const auto v = Attribute(tag, name);
    if (!v) return fallback;
    const auto n = Numbers(*v);
    return n.empty() ? fallback : n.front();
}

Style Apply(Style s, std::string_view tag) {
    if (const auto v = Attribute(tag, "fill")) s.fill = ParseColor(*v);
    if (const auto v = Attribute(tag, "stroke")) s.stroke = ParseColor(*v);
    if (const auto v = Attribute(tag, "stroke-width")) s.width = Number(tag, "stroke-width", 1);
    if (const auto v = Attribute(tag, "stroke-dasharray")) s.dash = Numbers(*v);
    return s;
}

// The arc of an SVG path ("A r r 0 large sweep x y") for circles: its centre and angles.
void AddArc(GpPath* path, REAL x0, REAL y0, REAL r, bool large, bool sweep, REAL x, REAL y) {
    const double hx = (x0 - x) / 2.0, hy = (y0 - y) / 2.0;
    double rr = std::fabs(r);
    const double d2 = hx * hx + hy * hy;
    if (d2 == 0 || rr == 0) {
        gp->GdipAddPathLine(path, x0, y0, x, y);
        return;
    }
    if (d2 > rr * rr) rr = std::sqrt(d2);
    double k = std::sqrt(std::max(0.0, (rr * rr - d2) / d2));
    if (large == sweep) k = -k;
    const double cx = k * hy + (x0 + x) / 2.0, cy = -k * hx + (y0 + y) / 2.0;
    const double a0 = std::atan2(y0 - cy, x0 - cx), a1 = std::atan2(y - cy, x - cx);
    double delta = a1 - a0;
    const double turn = 2 * 3.14159265358979323846;
    if (sweep && delta < 0) delta += turn;
    if (!sweep && delta > 0) delta -= turn;
    const REAL deg = static_cast<REAL>(180 / 3.14159265358979323846);
    gp->GdipAddPathArc(path, static_cast<REAL>(cx - rr), static_cast<REAL>(cy - rr),
                       static_cast<REAL>(2 * rr), static_cast<REAL>(2 * rr),
                       static_cast<REAL>(a0) * deg, static_cast<REAL>(delta) * deg);
}

void AddPathData(GpPath* path, std::string_view d) {
    REAL x = 0, y = 0, sx = 0, sy = 0;
    char command = 0;
    std::vector<REAL> args;
    auto run = [&] {
        const bool rel = command >= 'a' && command <= 'z';
        const REAL ox = rel ? x : 0, oy = rel ? y : 0;
        switch (command & ~0x20) {
            case 'M':
                for (size_t i = 0; i + 1 < args.size(); i += 2) {
                    const REAL nx = ox + args[i], ny = oy + args[i + 1];
                    if (i == 0) {
                        gp->GdipStartPathFigure(path);
                        sx = nx, sy = ny;
                    } else {
                        gp->GdipAddPathLine(path, x, y, nx, ny);
                    }
                    x = nx, y = ny;
                }
                break;
            case 'L':
                for (size_t i = 0; i + 1 < args.size(); i += 2) {
                    const REAL nx = ox + args[i], ny = oy + args[i + 1];
                    gp->GdipAddPathLine(path, x, y, nx, ny);
                    x = nx, y = ny;
                }
                break;
            case 'H':
                for (const REAL v : args) gp->GdipAddPathLine(path, x, y, ox + v, y), x = ox + v;
                break;
            case 'V':
                for (const REAL v : args) gp->GdipAddPathLine(path, x, y, x, oy + v), y = oy + v;
                break;
            case 'Q':
                for (size_t i = 0; i + 3 < args.size(); i += 4) {
                    const REAL qx = ox + args[i], qy = oy + args[i + 1];
                    const REAL nx = ox + args[i + 2], ny = oy + args[i + 3];
                    gp->GdipAddPathBezier(path, x, y, x + 2 * (qx - x) / 3, y + 2 * (qy - y) / 3,
                                          nx + 2 * (qx - nx) / 3, ny + 2 * (qy - ny) / 3, nx, ny);
                    x = nx, y = ny;
                }
                break;
            case 'A':
                for (size_t i = 0; i + 6 < args.size(); i += 7) {
                    const REAL nx = ox + args[i + 5], ny = oy + args[i + 6];
                    AddArc(path, x, y, args[i], args[i + 3] != 0, args[i + 4] != 0, nx, ny);
                    x = nx, y = ny;
                }
                break;
            case 'Z':
                gp->GdipClosePathFigure(path);
                x = sx, y = sy;
                break;
            default:
                break;
        }
        args.clear();
    };
    std::string number;
    for (size_t i = 0; i <= d.size(); ++i) {
        const char c = i < d.size() ? d[i] : ' ';
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool numeric = (c >= '0' && c <= '9') || c == '.' || (c == '-' && number.empty());
        if (numeric) {
            number += c;
            continue;
        }
        if (!number.empty()) {
            args.push_back(static_cast<REAL>(std::strtod(number.c_str(), nullptr)));
            number.clear();
        }
        if (c == '-') number = "-";
        if (letter || i == d.size()) {
            if (command) run();
            command = letter ? c : 0;
        }
    }
}

void AddRect(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL r) {
    if (r <= 0) {
        gp->GdipAddPathRectangle(path, x, y, w, h);
        return;
    }
    const REAL d = 2 * r;
    gp->GdipStartPathFigure(path);
    gp->GdipAddPathArc(path, x, y, d, d, 180, 90);
    gp->GdipAddPathArc(path, x + w - d, y, d, d, 270, 90);
    gp->GdipAddPathArc(path, x + w - d, y + h - d, d, d, 0, 90);
    gp->GdipAddPathArc(path, x, y + h - d, d, d, 90, 90);
    gp->GdipClosePathFigure(path);
}

void Draw(GpGraphics* g, GpPath* path, const Style& s) {
    if (s.fill) {
        GpSolidFill* brush = nullptr;
        gp->GdipCreateSolidFill(*s.fill, &brush);
        gp->GdipFillPath(g, brush, path);
        gp->GdipDeleteBrush(brush);
    }
    if (s.stroke && s.width > 0) {
        GpPen* pen = nullptr;
        gp->GdipCreatePen1(*s.stroke, s.width, UnitWorld, &pen);
        gp->GdipSetPenLineCap197819(pen, LineCapRound, LineCapRound, DashCapRound);
        gp->GdipSetPenLineJoin(pen, LineJoinRound);
        if (!s.dash.empty()) {
            std::vector<REAL> dash;
            for (const REAL v : s.dash) dash.push_back(std::max<REAL>(v / s.width, 0.1f));
            gp->GdipSetPenDashArray(pen, dash.data(), static_cast<INT>(dash.size()));
        }
        gp->GdipDrawPath(g, pen, path);
        gp->GdipDeletePen(pen);
    }
}

void Render(GpGraphics* g, std::string_view svg) {
    std::vector<Style> styles{Style{}};
    for (size_t at = svg.find('<'); at != std::string_view::npos; at = svg.find('<', at + 1)) {
        const size_t end = svg.find('>', at);
        if (end == std::string_view::npos) break;
        const std::string_view tag = svg.substr(at + 1, end - at - 1);
        if (tag.empty() || tag[0] == '?' || tag[0] == '!') continue;
        if (tag[0] == '/') {
            if (tag.substr(1, 1) == "g" && styles.size() > 1) styles.pop_back();
            continue;
        }
        const size_t nameEnd = tag.find_first_of(" \n/");
        const std::string_view name = tag.substr(0, nameEnd);
        const bool selfClosing = tag.back() == '/';
        const Style style = Apply(styles.back(), tag);
        if (name == "svg") {
            styles.back() = style;  // the defaults of the whole drawing
            continue;
        }
        if (name == "g") {
            if (!selfClosing) styles.push_back(style);
            continue;
        }
        GpPath* path = nullptr;
        gp->GdipCreatePath(FillModeAlternate, &path);
        if (name == "circle") {
            const REAL r = Number(tag, "r");
            gp->GdipAddPathEllipse(path, Number(tag, "cx") - r, Number(tag, "cy") - r, 2 * r,
                                   2 * r);
        } else if (name == "rect") {
            AddRect(path, Number(tag, "x"), Number(tag, "y"), Number(tag, "width"),
                    Number(tag, "height"), Number(tag, "rx"));
        } else if (name == "polygon" || name == "polyline") {
            const auto n = Numbers(Attribute(tag, "points").value_or(""));
            std::vector<PointF> pts;
            for (size_t i = 0; i + 1 < n.size(); i += 2) pts.emplace_back(n[i], n[i + 1]);
            if (pts.size() >= 2) {
                gp->GdipAddPathLine2(path, pts.data(), static_cast<INT>(pts.size()));
                if (name == "polygon") gp->GdipClosePathFigure(path);
            }
        } else if (name == "path") {
            AddPathData(path, Attribute(tag, "d").value_or(""));
        }
        Draw(g, path, style);
        gp->GdipDeletePath(path);
    }
}

// The drawing's width in its own units (viewBox), 32 when it gives none.
REAL DrawingWidth(std::string_view svg) {
    const size_t at = svg.find("<svg");
    const size_t end = svg.find('>', at);
    if (at == std::string_view::npos || end == std::string_view::npos) return 32;
    const auto box = Attribute(svg.substr(at, end - at), "viewBox");
    const auto n = box ? Numbers(*box) : std::vector<REAL>{};
    return n.size() == 4 && n[2] > 0 ? n[2] : 32;
}

std::optional<std::string_view> IconResource(const std::string& icon) {
    if (icon.empty()) return std::nullopt;
    HRSRC res = FindResourceW(nullptr, Wide(icon).c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return std::nullopt;
    HGLOBAL data = LoadResource(nullptr, res);
    const void* p = data ? LockResource(data) : nullptr;
    if (!p) return std::nullopt;
    return std::string_view(static_cast<const char*>(p), SizeofResource(nullptr, res));
}

// A tile with the Key's first character, for a button without a drawing.
void DrawKeyTile(HDC dc, const std::string& key, int size) {
    HBRUSH tile = CreateSolidBrush(RGB(0x1f, 0x3a, 0x93));
    const RECT inner{size / 16, size / 16, size - size / 16, size - size / 16};
    FillRect(dc, &inner, tile);
    DeleteObject(tile);
    const auto [cp, len] = utf8::Decode(key);
    (void)cp;
    const std::wstring glyph = Wide(key.substr(0, len));
    HFONT font = CreateFontW(-size * 5 / 8, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             ANTIALIASED_QUALITY, 0, L"MS UI Gothic");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT rc{0, 0, size, size};
    DrawTextW(dc, glyph.c_str(), static_cast<int>(glyph.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

}  // namespace

HBITMAP ToolbarBitmap(const std::string& icon, const std::string& key, int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;  // top-down, as GDI+ writes it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<unsigned char*>(bits);
    const auto drawing = IconResource(icon);
    if (drawing && (gp = Gdiplus()) != nullptr) {
        // Premultiplied alpha, as the image list takes it; transparent where nothing is drawn.
        GpBitmap* target = nullptr;
        gp->GdipCreateBitmapFromScan0(size, size, size * 4, PixelFormat32bppPARGB, px, &target);
        GpGraphics* g = nullptr;
        gp->GdipGetImageGraphicsContext(target, &g);
        gp->GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
        gp->GdipGraphicsClear(g, 0);
        const REAL k = static_cast<REAL>(size) / DrawingWidth(*drawing);
        gp->GdipScaleWorldTransform(g, k, k, MatrixOrderPrepend);
        Render(g, *drawing);
        gp->GdipDeleteGraphics(g);
        gp->GdipDisposeImage(target);
    } else {
        HGDIOBJ old = SelectObject(dc, bmp);
        const RECT all{0, 0, size, size};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        DrawKeyTile(dc, key, size);
        GdiFlush();
        SelectObject(dc, old);
        // GDI leaves the alpha channel empty: every pixel is opaque.
        for (int i = 0; i < size * size; ++i) px[i * 4 + 3] = 255;
    }
    DeleteDC(dc);
    return bmp;
}

}  // namespace quillon::win32
