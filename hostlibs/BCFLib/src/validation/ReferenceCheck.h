#pragma once

#include "ArchiveCheck.h"

#include <QString>

namespace BCFLib {

// References resolve: a comment's viewpoint is one of its topic's viewpoints, related topics are in
// the archive (a warning: they may live in another file), viewpoint files, internal document
// references, internal header files and snippet files are entries of the archive, and in 3.0 a
// document reference names a document of documents.xml whose file is in the Documents folder.
class ReferenceCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;

private:
    void checkFile(const ArchiveContents& contents, const QString& folder, const QString& reference,
                   const QString& what, const QString& entry, int line, ProblemList& problems);
    void checkDocuments(const ArchiveContents& contents, ProblemList& problems);
};

} // namespace BCFLib
