// The one start-up sequence of a window, the same for the launcher, the registration program,
// the tool windows the launcher opens, the command-line front and the tests.
#pragma once

#include "shell/form.h"

namespace quillon {

// What a front does with the windows that start.
class WindowFront {
public:
    virtual ~WindowFront() = default;
    // A window was created: build what shows it. Runs before the window's load.
    virtual void Created(Form& form) = 0;
    // Show the window (again) and bring it to the front.
    virtual void Show(Form& form) = 0;
};

// The front (none for the command line and the tests) builds its view, the window loads,
// shows and is activated. False when the window ended during its load: a failed start-up
// check unloads it or ends the program, and then it is never shown.
bool StartWindow(Form& form, WindowFront* front);

}  // namespace quillon
