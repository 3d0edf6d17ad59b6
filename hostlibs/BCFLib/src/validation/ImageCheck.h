#pragma once

#include "ArchiveCheck.h"

#include <QString>

namespace BCFLib {

// Every snapshot and bitmap a file names is in the archive and is a PNG or JPEG image, of the format
// its file name or its format element says; in 3.0 a snapshot is at most 1500 pixels on its long
// side. Only the first bytes of each image are read.
class ImageCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;

private:
    void checkImage(const ArchiveContents& contents, const QString& folder, const QString& reference,
                    const QString& declaredFormat, bool isSnapshot, const QString& entry, int line,
                    ProblemList& problems);
};

} // namespace BCFLib
