// The toolbar's pictures: drawn at run time, at the size the toolbar asks for.
#pragma once

#include <windows.h>

#include <string>

namespace quillon::win32 {

// A 32-bit picture of `size` x `size` pixels for the toolbar button with this icon name
// (the icon set shared with the other front) and Key. The caller deletes it.
HBITMAP ToolbarBitmap(const std::string& icon, const std::string& key, int size);

// A 32-bit bitmap of width x height pixels whose rows run from the top, compatible with `dc`
// (or the screen); `bits` receives its pixels. Null when it cannot be made. The caller deletes
// it.
HBITMAP TopDownBitmap(HDC dc, int width, int height, void** bits);

}  // namespace quillon::win32
