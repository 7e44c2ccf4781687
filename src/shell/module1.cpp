#include "module1.h"

namespace quillon {

std::optional<std::filesystem::path> DefaultControlRoot() {
#ifdef _WIN32
    return std::filesystem::path(L"C:\\OSP-P");
#else
    return std::nullopt;
#endif
}

void Module1::DetectControl() {
    OnControl = ControlRoot && files.IsOrdinaryFile(*ControlRoot / kControlMarker);
}

bool Module1::ActivateControlWindow() {
    if (!OnControl) return false;
    try {
        host.ActivateWindowByTitle(kControlWindowTitle);
    } catch (...) {
        // The control's window may be missing or refuse the focus; the copy still counts.
    }
    return true;
}

void Module1::WaitSeconds(double n) {
    if (n > 0) host.Wait(n);
}

}  // namespace quillon
