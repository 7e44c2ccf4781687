#include "icons.h"

#include "shell/utf8.h"
#include "win_text.h"

namespace quillon::win32 {

HBITMAP ToolbarBitmap(const std::string& icon, const std::string& key, int size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    // A tile with the Key's first character.
    (void)icon;
    HBRUSH tile = CreateSolidBrush(RGB(0x1f, 0x3a, 0x93));
    const RECT inner{size / 16, size / 16, size - size / 16, size - size / 16};
    FillRect(dc, &inner, tile);
    DeleteObject(tile);
    const auto [cp, len] = utf8::Decode(key);
    const std::wstring glyph = Wide(key.substr(0, len));
    HFONT font = CreateFontW(-size * 5 / 8, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             ANTIALIASED_QUALITY, 0, L"MS UI Gothic");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT rc = all;
    DrawTextW(dc, glyph.c_str(), static_cast<int>(glyph.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    (void)cp;
    SelectObject(dc, oldFont);
    DeleteObject(font);
    GdiFlush();
    // GDI leaves the alpha channel empty: make every pixel opaque.
    auto* px = static_cast<unsigned char*>(bits);
    for (int i = 0; i < size * size; ++i) px[i * 4 + 3] = 255;
    SelectObject(dc, old);
    DeleteDC(dc);
    return bmp;
}

}  // namespace quillon::win32
