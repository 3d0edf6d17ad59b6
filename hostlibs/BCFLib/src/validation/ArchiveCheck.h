#pragma once

namespace BCFLib {

class ArchiveContents;
class ProblemList;

// One of the checks that no schema expresses, run on the parsed parts of an archive.
class ArchiveCheck
{
public:
    virtual ~ArchiveCheck() = default;
    virtual void run(const ArchiveContents& contents, ProblemList& problems) = 0;
};

} // namespace BCFLib
