#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

// text without the characters that XML 1.0 cannot carry: control characters other than tab, line
// feed and carriage return, lone surrogates, U+FFFE and U+FFFF. Every writer of BCF XML passes its
// texts through this, so that no file holds such a character raw (a parser would refuse the whole
// file). removed, when given, is increased by the number of UTF-16 units dropped.
BCFLIB_EXPORT QString withoutXmlIllegalCharacters(const QString& text, int* removed = nullptr);

} // namespace BCFLib
