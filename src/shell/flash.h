// The flash of a pressed button: it turns the button-shadow colour for a tenth of a second
// while window events go on, then back to the button-face colour.
#pragma once

#include <string>

#include "form.h"

namespace quillon {

// How long a pressed button stays dark.
inline constexpr double kFlashSeconds = 0.1;

// Flashes `button` of `form`; the wait lets other events of the window run meanwhile.
void FlashButton(Form& form, const std::string& button);

}  // namespace quillon
