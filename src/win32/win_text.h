// Text and colour conversions between the form runtime (UTF-8, Color) and Win32 (UTF-16,
// COLORREF).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "shell/color.h"

namespace quillon::win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Character positions: the form counts code points, Win32 counts UTF-16 units.
int ToUnits(std::wstring_view text, int codePoints);
int ToCodePoints(std::wstring_view text, int units);

// The window's text as UTF-8.
std::string WindowText(HWND hwnd);

// A colour of the form runtime as GDI paints it; system colours follow the user's scheme.
COLORREF ToColorRef(const Color& color);

}  // namespace quillon::win32
