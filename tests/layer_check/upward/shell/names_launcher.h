// Fixture of the layer check: the shell reaching up into the application.
#pragma once

#include "app/registry.h"
