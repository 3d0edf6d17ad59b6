#pragma once

#include <QString>

namespace BCFLib {

// Whether a guid read from a file is a plain identifier that is safe to use as a folder or file
// name later on: 1 to 100 characters from letters, digits, "-", "_", "{",
// "}" and "."; not starting with "."; no path separators or control characters.
bool isSafeIdentifier(const QString& guid);

} // namespace BCFLib
