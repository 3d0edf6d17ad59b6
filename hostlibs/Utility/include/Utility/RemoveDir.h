#pragma once

#include "Utility/UtilityGlobal.h"

#include <QString>

namespace Vexamo {

// Removes the directory at path with all its content and returns whether it succeeded. A path
// where nothing exists counts as removed (true), as with QDir::removeRecursively.
// Refuses (false), removing nothing, what a wrong path would make a disaster of: an empty path
// (which QDir takes as the current directory), a path that is not a directory or is a symbolic
// link (whose target is not ours to empty), the file-system root and the user's home directory.
UTILITY_EXPORT bool RemoveDir(const QString& path);

} // namespace Vexamo
