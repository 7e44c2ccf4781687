#include "icons.h"

// GDI+ draws the toolbar's pictures: smooth edges and alpha, on every Windows since XP. Its
// headers (declarations only: the library is loaded when needed) need the COM declarations
// that a lean windows.h leaves out.
#include <objidl.h>
// (after objidl.h)
#include <gdiplus.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/icon_drawing.h"
#include "shell/utf8.h"
#include "win_text.h"

namespace quillon::win32 {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// GDI+ is loaded when the first picture is drawn, not at start: the launcher shows first.
struct GdiplusApi {
    decltype(&GdipAddPathLine) GdipAddPathLine = nullptr;
    decltype(&GdipStartPathFigure) GdipStartPathFigure = nullptr;
    decltype(&GdipAddPathBezier) GdipAddPathBezier = nullptr;
    decltype(&GdipAddPathArc) GdipAddPathArc = nullptr;
    decltype(&GdipClosePathFigure) GdipClosePathFigure = nullptr;
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
        Load(api.GdipAddPathLine, "GdipAddPathLine");
        Load(api.GdipStartPathFigure, "GdipStartPathFigure");
        Load(api.GdipAddPathBezier, "GdipAddPathBezier");
        Load(api.GdipAddPathArc, "GdipAddPathArc");
        Load(api.GdipClosePathFigure, "GdipClosePathFigure");
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

// ---- painting the drawings (shell/icon_drawing.h reads them) ----

PointF At(const IconPoint& p) {
    return PointF(static_cast<REAL>(p.x), static_cast<REAL>(p.y));
}

GpPath* CreatePath(const std::vector<IconSegment>& segments) {
    GpPath* path = nullptr;
    gp->GdipCreatePath(FillModeWinding, &path);
    PointF cur;
    for (const IconSegment& s : segments) {
        switch (s.kind) {
            case IconSegment::Kind::Move:
                gp->GdipStartPathFigure(path);
                cur = At(s.p[0]);
                break;
            case IconSegment::Kind::Line: {
                const PointF to = At(s.p[0]);
                gp->GdipAddPathLine(path, cur.X, cur.Y, to.X, to.Y);
                cur = to;
                break;
            }
            case IconSegment::Kind::Cubic: {
                const PointF c1 = At(s.p[0]), c2 = At(s.p[1]), to = At(s.p[2]);
                gp->GdipAddPathBezier(path, cur.X, cur.Y, c1.X, c1.Y, c2.X, c2.Y, to.X, to.Y);
                cur = to;
                break;
            }
            case IconSegment::Kind::Arc: {
                // GDI+ counts angles as the drawing does: degrees, clockwise on screen.
                const auto r = static_cast<REAL>(s.radius);
                const PointF c = At(s.p[0]);
                gp->GdipAddPathArc(path, c.X - r, c.Y - r, 2 * r, 2 * r, static_cast<REAL>(s.start),
                                   static_cast<REAL>(s.sweep));
                cur = At(s.p[2]);
                break;
            }
            case IconSegment::Kind::Close:
                gp->GdipClosePathFigure(path);
                break;
        }
    }
    return path;
}

ARGB Argb(const quillon::Color& c) {
    return 0xFF000000u | static_cast<ARGB>(c.r) << 16 | static_cast<ARGB>(c.g) << 8 |
           static_cast<ARGB>(c.b);
}

void Draw(GpGraphics* g, const IconShape& shape) {
    GpPath* path = CreatePath(shape.path);
    if (shape.fill) {
        GpSolidFill* brush = nullptr;
        gp->GdipCreateSolidFill(Argb(*shape.fill), &brush);
        gp->GdipFillPath(g, brush, path);
        gp->GdipDeleteBrush(brush);
    }
    if (shape.stroke) {
        const auto width = static_cast<REAL>(shape.strokeWidth);
        GpPen* pen = nullptr;
        gp->GdipCreatePen1(Argb(*shape.stroke), width, UnitWorld, &pen);
        gp->GdipSetPenLineCap197819(pen, LineCapRound, LineCapRound, DashCapRound);
        gp->GdipSetPenLineJoin(pen, LineJoinRound);
        if (!shape.dashes.empty()) {
            // GDI+ takes dashes in units of the pen's width.
            std::vector<REAL> dash;
            for (const double v : shape.dashes)
                dash.push_back(std::max(static_cast<REAL>(v) / width, 0.1f));
            gp->GdipSetPenDashArray(pen, dash.data(), static_cast<INT>(dash.size()));
        }
        gp->GdipDrawPath(g, pen, path);
        gp->GdipDeletePen(pen);
    }
    gp->GdipDeletePath(path);
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

HBITMAP TopDownBitmap(HDC dc, int width, int height, void** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP ToolbarBitmap(const std::string& icon, const std::string& key, int size) {
    // Top-down, as GDI+ writes it.
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = TopDownBitmap(dc, size, size, &bits);
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
        const IconDrawing picture = ReadIconDrawing(*drawing);
        const auto k = static_cast<REAL>(size / picture.width);
        gp->GdipScaleWorldTransform(g, k, k, MatrixOrderPrepend);
        for (const IconShape& shape : picture.shapes) Draw(g, shape);
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
