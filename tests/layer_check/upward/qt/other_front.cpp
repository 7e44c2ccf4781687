// Fixture of the layer check: one front reaching into another.
#include "app/registry.h"
#include "win32/win_host.h"
