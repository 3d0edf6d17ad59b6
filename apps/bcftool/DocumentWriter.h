#pragma once

#include <QString>

namespace BCFLib {
class BCFModel;
}

namespace Vexamo {
class BCFapi;
}

namespace BCFTool {

// Writes the content of any BCFapi as a file, the way the viewer's save and export commands do.
class DocumentWriter
{
public:
    // BCF 2.1 or 3.0 (version "2.1" or "3.0"): the topics are copied into a fresh model through
    // BCFFileApi and the model writes the archive. What belongs to the document rather than to its
    // topics (project, extension schema, value lists, documents) is taken from sourceModel when
    // given. The writer's report and error reach the write observer (see WriteReportPrinter).
    static bool writeModelVersion(const Vexamo::BCFapi& source, const BCFLib::BCFModel* sourceModel,
                                  const QString& path, const QString& version);
    // BCF 1.0 through BCF1Export.
    static bool writeBCF1(Vexamo::BCFapi& source, const QString& path);
};

} // namespace BCFTool
