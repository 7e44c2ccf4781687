// Fixture of the layer check: a window on the shell.
#include <vector>

#include "../shell/tool.h"
#include "shell/form.h"
