#include "win_text.h"

namespace quillon::win32 {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

namespace {
bool HighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
}  // namespace

int ToUnits(std::wstring_view text, int codePoints) {
    size_t i = 0;
    for (int n = 0; i < text.size() && n < codePoints; ++n)
        i += (HighSurrogate(text[i]) && i + 1 < text.size()) ? 2 : 1;
    return static_cast<int>(i);
}

int ToCodePoints(std::wstring_view text, int units) {
    int n = 0;
    for (size_t i = 0; i < text.size() && static_cast<int>(i) < units; ++n)
        i += (HighSurrogate(text[i]) && i + 1 < text.size()) ? 2 : 1;
    return n;
}

std::string WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return Narrow(text);
}

COLORREF ToColorRef(const Color& color) {
    switch (color.system) {
        case Color::System::ButtonFace:
            return GetSysColor(COLOR_BTNFACE);
        case Color::System::ButtonShadow:
            return GetSysColor(COLOR_BTNSHADOW);
        case Color::System::GrayText:
            return GetSysColor(COLOR_GRAYTEXT);
        case Color::System::Window:
            return GetSysColor(COLOR_WINDOW);
        case Color::System::WindowText:
            return GetSysColor(COLOR_WINDOWTEXT);
        case Color::System::None:
            break;
    }
    return RGB(color.r, color.g, color.b);
}

}  // namespace quillon::win32
