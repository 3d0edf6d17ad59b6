#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QtGlobal>

namespace BCFLib {

// Limits that keep reading an untrusted archive bounded in memory and time. Sizes count the bytes
// actually inflated, not what the archive's headers claim.
struct BCFLIB_EXPORT ReadLimits
{
    // Entries in the archive's directory; a larger archive is refused.
    int maxEntries = 250000;
    // One XML entry (markup, visualization info, bcf.version, project.bcfp).
    qint64 maxXmlEntryBytes = 32LL * 1024 * 1024;
    // Any other entry that is read (snapshot, bitmap, snippet, document, extension schema).
    qint64 maxEntryBytes = 256LL * 1024 * 1024;
    // Everything read from one archive together.
    qint64 maxTotalBytes = 3LL * 1024 * 1024 * 1024;
};

} // namespace BCFLib
