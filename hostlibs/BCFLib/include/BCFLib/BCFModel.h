#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/ConversionNote.h"
#include "BCFLib/Document.h"
#include "BCFLib/ProjectExtensions.h"
#include "BCFLib/Version.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace BCFLib {

class Project;
class Topic;

// One BCF document in memory: version, project (at most one), project extension schema and
// topics. The model owns its items; callers keep raw pointers. Topic guids are compared
// case-insensitively. Guids of topics, comments and viewpoints become file and folder names when
// the model is written, so the add operations refuse (return null for) a guid that is already used
// or is not a plain identifier: 1 to 100 characters from letters, digits and "-_{}.", not starting
// with ".".
class BCFLIB_EXPORT BCFModel : public QObject
{
    Q_OBJECT
public:
    // A new, empty model (version 2.1). The shared pointer owns it; it is not made a QObject child of
    // parent (which would delete it a second time), it only takes parent's thread.
    static QSharedPointer<BCFModel> Create(QObject* parent = nullptr);
    ~BCFModel() override;

    const Version& version() const { return m_version; }
    void setVersion(const Version& version) { m_version = version; }

    // Topics, in order.
    Topic* topic(const QString& guid) const;
    QList<Topic*> topics() const;
    int topicCount() const { return int(m_topics.size()); }
    // A new topic named guid (kept as given) or a new lower-case UUID; null when a topic of that
    // guid exists already or the guid is not a plain identifier.
    Topic* addTopic(const QString& title, const QString& author, const QDateTime& date,
                    const QString& guid = QString());
    bool removeTopic(const QString& guid);
    // Takes a topic built outside the model (by a reader) and appends it; null, deleting the
    // topic, when its guid is refused as by addTopic().
    Topic* adoptTopic(std::unique_ptr<Topic> topic);

    // The single project, or null.
    Project* project() const { return m_project.get(); }
    // Adds the project named guid (or a new lower-case UUID). A document holds one project: when
    // there is one already, it is returned unchanged if its guid matches (or guid is empty) and
    // otherwise replaced by the new one.
    Project* addProject(const QString& guid = QString());
    void removeProject();

    // The project extension's schema reference (ExtensionSchema of project.bcfp) and, when it
    // names a file of the archive, that file's content.
    QString extensionSchema() const { return m_extensionSchema; }
    void setExtensionSchema(const QString& reference) { m_extensionSchema = reference; }
    QByteArray extensionSchemaData() const { return m_extensionSchemaData; }
    void setExtensionSchemaData(const QByteArray& data) { m_extensionSchemaData = data; }

    // The value lists of the project (extensions.xml of BCF 3.0). Writing 3.0 from a model without
    // lists takes the enumerations of its 2.1 extension schema; writing 2.1 from a model without
    // extension schema makes one from the lists.
    const ProjectExtensions& extensions() const { return m_extensions; }
    void setExtensions(const ProjectExtensions& extensions) { m_extensions = extensions; }

    // The documents kept in the archive (BCF 3.0 documents.xml), in order.
    const QList<Document>& documents() const { return m_documents; }
    void setDocuments(const QList<Document>& documents) { m_documents = documents; }
    // The document of that guid (compared case-insensitively), or null.
    const Document* document(const QString& guid) const;

    // Writes the model as a BCF archive of its version: 3.0 when version() is 3.0, else 2.1 (see
    // BCFArchiveWriter). True on success; otherwise errorString() gives the reason (a full disk, a
    // read-only folder, content the reader would refuse). conversionReport() lists what the write
    // left out or changed, after success and failure alike.
    bool serialize(const QString& fileName);
    QString errorString() const { return m_writeError; }
    ConversionReport conversionReport() const { return m_conversionReport; }

    // Whether the document that was loaded into this model can be used. False, with a message and
    // a title for the user, when the file could not be read at all; true with a message when it
    // was read with losses (the message says what was skipped and why); true with both empty
    // when it was read completely (or the model was not loaded from a file). fileName is used in
    // the message only.
    bool isValid(const QString& fileName, QString& message, QString& title) const;

    // Load report, filled by the reader.
    QString loadError() const { return m_loadError; }
    void setLoadError(const QString& error) { m_loadError = error; }
    QStringList loadWarnings() const { return m_loadWarnings; }
    void addLoadWarning(const QString& warning) { m_loadWarnings.append(warning); }
    void clearLoadReport();

protected:
    explicit BCFModel(QObject* parent = nullptr);

private:
    Version m_version;
    std::unique_ptr<Project> m_project;
    QString m_extensionSchema;
    ProjectExtensions m_extensions;
    QList<Document> m_documents;
    QString m_writeError;
    ConversionReport m_conversionReport;
    QByteArray m_extensionSchemaData;
    std::vector<std::unique_ptr<Topic>> m_topics;
    QHash<QString, Topic*> m_topicsByGuid; // key: lower-case guid
    QString m_loadError;
    QStringList m_loadWarnings;
};

} // namespace BCFLib
