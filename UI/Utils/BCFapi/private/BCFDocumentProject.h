#pragma once

#include "BCFLib/Document.h"
#include "BCFLib/ProjectExtensions.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace BCFLib {
class BCFModel;
}

namespace Vexamo {

// What a BCF document holds besides its topics: its version ("2.1", "3.0", ...), its project
// (identifier and name), the project extension's schema (reference and, for a file of the archive,
// its content), its value lists (extensions.xml of BCF 3.0) and its documents (documents.xml).
//
// The working cache stores topics only. So that opening and saving a file keeps its project,
// the workflow writes this part of the opened document into a hidden file beside the topic
// directories (never listed as a topic) and puts it back into the model that it saves. Emptying
// the cache removes the file with everything else, so a new document has no project.
class BCFDocumentProject
{
public:
    static BCFDocumentProject fromModel(const BCFLib::BCFModel& model);
    // The content of a file written by write(); empty when it is missing or unreadable. A file
    // that exists but cannot be read or is damaged sets *error (when given) to the reason, so that
    // the project is reported rather than silently dropped.
    static BCFDocumentProject read(const QString& filePath, QString* error = nullptr);

    bool isEmpty() const;
    // Writes the file atomically, or removes it when there is nothing to keep.
    bool write(const QString& filePath) const;
    // Gives model this project, extension schema, value lists and documents; an empty object
    // changes nothing. The version is not applied: the caller chooses the version it writes.
    void applyTo(BCFLib::BCFModel& model) const;

    // The version of the file the document was read from or last written to; empty for a new one.
    QString version() const { return m_version; }
    void setVersion(const QString& version) { m_version = version; }
    // The value lists the document offers for its topics: its own (3.0), else the enumerations of
    // its 2.1 extension schema.
    BCFLib::ProjectExtensions extensions() const;
    void setExtensions(const BCFLib::ProjectExtensions& extensions) { m_extensions = extensions; }

private:
    QVariantMap m_project; // the model's project record, empty when the document has none
    QString m_extensionSchema;
    QByteArray m_extensionSchemaData;
    QString m_version;
    BCFLib::ProjectExtensions m_extensions;
    QList<BCFLib::Document> m_documents;
};

} // namespace Vexamo
