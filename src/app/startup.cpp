#include "startup.h"

#include "shell/module1.h"

namespace quillon {

bool StartWindow(Form& form, WindowFront* front) {
    if (front) front->Created(form);
    form.Load();
    if (form.Unloaded() || form.M().host.EndRequested()) return false;
    if (front) front->Show(form);
    form.Activate();
    return !form.Unloaded();
}

}  // namespace quillon
