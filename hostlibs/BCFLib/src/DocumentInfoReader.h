#pragma once

#include "BCFLib/Document.h"
#include "BCFLib/ProjectExtensions.h"
#include "BCFLib/Version.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace BCFLib {

// Reads the small documents at the root of a BCF archive: bcf.version, project.bcfp and (3.0)
// extensions.xml and documents.xml.
class DocumentInfoReader
{
public:
    struct ProjectInfo
    {
        bool hasProject = false;
        QString projectId;
        QString name;
        QString extensionSchema;
    };

    bool readVersion(const QByteArray& bytes, Version& version);
    bool readProject(const QByteArray& bytes, ProjectInfo& project);
    // BCF 3.0 extensions.xml and documents.xml (document content is not read here).
    bool readExtensions(const QByteArray& bytes, ProjectExtensions& extensions);
    bool readDocuments(const QByteArray& bytes, QList<Document>& documents);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace BCFLib
