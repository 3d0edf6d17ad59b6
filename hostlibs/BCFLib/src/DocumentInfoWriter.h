#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace BCFLib {

class Project;
struct Document;
struct ProjectExtensions;

// Writes the documents at the root of a BCF archive: bcf.version and project.bcfp (2.1 and 3.0),
// extensions.xml and documents.xml (3.0).
class DocumentInfoWriter
{
public:
    // 2.1: <Version VersionId="2.1"><DetailedVersion>..</DetailedVersion></Version>; the detailed
    // version is the model's when it is a 2.1 text, else "2.1". 3.0: <Version VersionId="3.0"/>.
    QByteArray writeVersion(const QString& detailedVersion, bool version3 = false) const;
    // 2.1 <ProjectExtension>: the project (when there is one) and the ExtensionSchema element, which the
    // schema requires (empty when there is no extension schema).
    QByteArray writeProject(const Project* project, const QString& extensionSchema) const;
    // 3.0 <ProjectInfo> of a project.
    QByteArray writeProjectInfo(const Project& project) const;
    // 3.0 <Extensions> with every list, blank values left out.
    QByteArray writeExtensions(const ProjectExtensions& extensions) const;
    // 3.0 <DocumentInfo>; a blank file name is written as the document's guid.
    QByteArray writeDocuments(const QList<Document>& documents) const;
};

} // namespace BCFLib
