#pragma once

#include "ArchiveCheck.h"

namespace BCFLib {

// BCF 3.0: the topic types, statuses, priorities, labels, stages, snippet types and assigned users
// that topics use are declared in extensions.xml.
class ExtensionCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;
};

} // namespace BCFLib
