#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace BCFLib {
class BCFModel;
}

namespace Vexamo {

// What a BCF document holds besides its topics: its project (identifier and name) and the
// project extension's schema (reference and, for a file of the archive, its content).
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
    // Gives model this project and extension schema; an empty object changes nothing.
    void applyTo(BCFLib::BCFModel& model) const;

private:
    QVariantMap m_project; // the model's project record, empty when the document has none
    QString m_extensionSchema;
    QByteArray m_extensionSchemaData;
};

} // namespace Vexamo
