#pragma once

#include "BCFLib/Version.h"

#include <QByteArray>
#include <QString>

namespace BCFLib {

// Reads the two small documents at the root of a BCF archive: bcf.version and project.bcfp.
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
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace BCFLib
