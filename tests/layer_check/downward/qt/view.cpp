// Fixture of the layer check: fronts on the application and below.
#include <QWidget>

#include "app/registry.h"
#include "geometry/window.h"
