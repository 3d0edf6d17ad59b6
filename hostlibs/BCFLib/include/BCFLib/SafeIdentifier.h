#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

// The one rule for the identifiers (guids) of topics, comments and viewpoints, shared by the model
// and by every store that keeps its items: a plain identifier that is safe to use as a folder or
// file name: 1 to 100 characters from letters, digits, "-", "_", "{", "}" and "."; not starting
// with "."; no path separators or control characters. Two identifiers of one scope that differ
// only in case name the same item.
BCFLIB_EXPORT bool isSafeIdentifier(const QString& guid);

} // namespace BCFLib
