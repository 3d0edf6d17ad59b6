#pragma once

#include "Utility/UtilityGlobal.h"

#include <QString>

namespace Vexamo {

// Removes the directory at path with all its content and returns whether it succeeded.
// Refuses, removing nothing: an empty path, a path that does not exist, a path that is not a
// directory or is a symbolic link, the file-system root and the user's home directory.
UTILITY_EXPORT bool RemoveDir(const QString& path);

} // namespace Vexamo
