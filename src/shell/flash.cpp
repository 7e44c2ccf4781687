#include "flash.h"

#include "module1.h"

namespace quillon {

void FlashButton(Form& form, const std::string& button) {
    form[button].BackColor = colors::ButtonShadow;
    form.M().WaitSeconds(kFlashSeconds);
    // The window may have gone while it waited.
    if (Control* c = form.Find(button)) c->BackColor = colors::ButtonFace;
}

}  // namespace quillon
