#pragma once

#include <QString>

namespace BCFLib {
class Project;
}

namespace Vexamo {
class BCFapi;
}

namespace BCFTool {

// Writes the content of any BCFapi as a file, the way the viewer's save and export commands do.
class DocumentWriter
{
public:
    // BCF 2.1: the topics are copied into a fresh model through BCFFileApi and the model writes the
    // archive. project, when given, is carried over with its guid, name and extension schema.
    static bool writeBCF21(const Vexamo::BCFapi& source, const BCFLib::Project* project, const QString& path);
    // BCF 1.0 through BCF1Export.
    static bool writeBCF1(Vexamo::BCFapi& source, const QString& path);
};

} // namespace BCFTool
