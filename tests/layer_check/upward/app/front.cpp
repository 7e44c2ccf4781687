// Fixture of the layer check: the application reaching up into a front.
#include "cli/runner.h"
