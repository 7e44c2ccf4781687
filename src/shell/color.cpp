#include "color.h"

#include <cstdio>

namespace quillon {

std::string Color::Name() const {
    switch (system) {
        case System::ButtonShadow:
            return "buttonShadow";
        case System::GrayText:
            return "grayText";
        case System::ButtonFace:
            return "buttonFace";
        case System::Window:
            return "window";
        case System::WindowText:
            return "windowText";
        case System::None:
            break;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", r, g, b);
    return buf;
}

}  // namespace quillon
