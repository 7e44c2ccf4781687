// Fixture of the layer check: fronts on the application and below.
#include <nlohmann/json.hpp>

#include "app/registry.h"
#include "shell/form.h"
