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
    // The system's message font is the last resort and the template of the others.
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    const LOGFONTW& system = ncm.lfMessageFont;
    for (const wchar_t* face : {L"Meiryo UI", L"MS UI Gothic"})
        if (HasFace(face)) {
            face_ = face;
            break;
        }
    if (face_.empty()) face_ = system.lfFaceName;
    ui_ = MakeFont(system, face_, 9, Dpi());
    figure_ = MakeFont(system, face_, 8, Dpi());
}

HFONT UiFonts::Fixed() const {
    if (fixed_) return fixed_;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    LOGFONTW fixed = ncm.lfMessageFont;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wstring fixedFace;
    for (const wchar_t* face : {L"MS Gothic", L"ＭＳ ゴシック"})
        if (HasFace(face)) {
            fixedFace = face;
            break;
        }
    if (fixedFace.empty()) fixed.lfFaceName[0] = L'\0';
    fixed_ = MakeFont(fixed, fixedFace, 9, Dpi());
    return fixed_;
}

UiFonts::~UiFonts() {
    for (HFONT f : {ui_, figure_, fixed_})
        if (f) DeleteObject(f);
}

}  // namespace quillon::win32
