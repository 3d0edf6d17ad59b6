#pragma once

#include <QByteArray>
#include <QString>

namespace BCFLib {

class Project;

// Writes the two small documents at the root of a BCF 2.1 archive: bcf.version and project.bcfp.
class DocumentInfoWriter
{
public:
    // <Version VersionId="2.1"><DetailedVersion>..</DetailedVersion></Version>; the detailed
    // version is the model's when it is a 2.1 text, else "2.1".
    QByteArray writeVersion(const QString& detailedVersion) const;
    // <ProjectExtension>: the project (when there is one) and the ExtensionSchema element, which the
    // schema requires (empty when there is no extension schema).
    QByteArray writeProject(const Project* project, const QString& extensionSchema) const;
};

} // namespace BCFLib
