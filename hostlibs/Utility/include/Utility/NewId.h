#pragma once

#include "Utility/UtilityGlobal.h"

#include <QString>

namespace Vexamo {

// A new random UUID as lower-case text without braces, e.g. "3f2504e0-4f89-41d3-9a0c-0305e82c3301":
// the form the BCF schemas require for GUIDs.
UTILITY_EXPORT QString NewId();

} // namespace Vexamo
