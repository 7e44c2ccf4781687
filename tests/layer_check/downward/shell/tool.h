// Fixture of the layer check: includes that point down the layers only.
#pragma once

#include <string>

#include "form.h"
