// Fixture of the layer check: the shell reaching up by a relative path and by <>.
#include <geometry/frmNoseR.h>
#include "../app/menu.h"
