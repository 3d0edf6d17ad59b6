#pragma once

#include "ArchiveCheck.h"

namespace BCFLib {

// A perspective camera's FieldOfView is in the range of the file's version: 45 to 60 in 2.0 (and
// 1.0); in 2.1 a warning outside 45 to 60, which its schema states but its annotation drops; above 0
// and below 180 everywhere. What a schema already checked is not reported twice.
class FieldOfViewCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;
};

} // namespace BCFLib
