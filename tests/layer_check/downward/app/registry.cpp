// Fixture of the layer check: the application on a window and the shell.
#include "geometry/window.h"
#include "shell/tool.h"
