#pragma once

#include "ArchiveCheck.h"

namespace BCFLib {

// Topic, comment and viewpoint ids are unique across the whole archive, and each topic lives in the
// folder named by its Guid.
class IdentifierCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;
};

} // namespace BCFLib
