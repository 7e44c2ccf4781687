// Fixture of the layer check: one window library reaching sideways into another.
#include "machining/calc_functions.h"
#include "shell/form.h"
