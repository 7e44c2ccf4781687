#include "ui_fonts.h"

namespace quillon::win32 {
namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

HFONT MakeFont(const LOGFONTW& base, const std::wstring& face, int points, int dpi) {
    LOGFONTW lf = base;
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWidth = 0;
    lf.lfQuality = CLEARTYPE_QUALITY;
    if (!face.empty()) {
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    }
    return CreateFontIndirectW(&lf);
}

}  // namespace

bool UiFonts::HasFace(const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

UiFonts::UiFonts() : UiFonts(SystemDpi()) {}

UiFonts::UiFonts(int dpi) : dpi_(dpi) {
    // The system's message font is the last resort and the template of the others. The
    // system's fonts do not change while the program runs: the faces are looked up once (a
    // font enumeration each), however many windows and resolutions make their fonts.
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    system_ = ncm.lfMessageFont;
    static const std::wstring uiFace = [&ncm] {
        for (const wchar_t* face : {L"Meiryo UI", L"MS UI Gothic"})
            if (HasFace(face)) return std::wstring(face);
        return std::wstring(ncm.lfMessageFont.lfFaceName);
    }();
    face_ = uiFace;
    ui_ = MakeFont(system_, face_, 9, Dpi());
}

HFONT UiFonts::Figure() const {
    if (!figure_) figure_ = MakeFont(system_, face_, 8, Dpi());
    return figure_;
}

HFONT UiFonts::Fixed() const {
    if (fixed_) return fixed_;
    LOGFONTW fixed = system_;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    static const std::wstring fixedFace = [] {
        for (const wchar_t* face : {L"MS Gothic", L"ＭＳ ゴシック"})
            if (HasFace(face)) return std::wstring(face);
        return std::wstring();
    }();
    if (fixedFace.empty()) fixed.lfFaceName[0] = L'\0';
    fixed_ = MakeFont(fixed, fixedFace, 9, Dpi());
    return fixed_;
}

UiFonts::~UiFonts() {
    for (HFONT f : {ui_, figure_, fixed_})
        if (f) DeleteObject(f);
}

}  // namespace quillon::win32
