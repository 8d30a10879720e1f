// Included by the files that define exports, so that each definition is checked
// against its public declaration.
#pragma once
#define VARNELLE_API
#include "../../include/varnelle.h"
