#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace BCFLib {

class BimSnippet;
class ByteSource;
class Comment;
class DocumentReference;
class File;
class RelatedTopic;
class Viewpoint;

// One topic (issue) of a BCF document with everything its markup holds, plus the snapshot images
// of its viewpoints. The topic owns its items; callers keep raw pointers, valid until the item is
// removed or the topic destroyed. Guids are compared case-insensitively (they are UUIDs).
class BCFLIB_EXPORT Topic
{
public:
    explicit Topic(const QString& guid);
    ~Topic();
    Topic(const Topic&) = delete;
    Topic& operator=(const Topic&) = delete;

    QString guid() const { return m_guid; }

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QDateTime creationDate() const { return m_creationDate; }
    void setCreationDate(const QDateTime& date) { m_creationDate = date; }
    QString creationAuthor() const { return m_creationAuthor; }
    void setCreationAuthor(const QString& author) { m_creationAuthor = author; }
    QDateTime modifiedDate() const { return m_modifiedDate; }
    void setModifiedDate(const QDateTime& date) { m_modifiedDate = date; }
    QString modifiedAuthor() const { return m_modifiedAuthor; }
    void setModifiedAuthor(const QString& author) { m_modifiedAuthor = author; }
    QString topicType() const { return m_topicType; }
    void setTopicType(const QString& type) { m_topicType = type; }
    QString topicStatus() const { return m_topicStatus; }
    void setTopicStatus(const QString& status) { m_topicStatus = status; }
    QString priority() const { return m_priority; }
    void setPriority(const QString& priority) { m_priority = priority; }
    // -1 when the topic has no index.
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    QStringList labels() const { return m_labels; }
    void setLabels(const QStringList& labels) { m_labels = labels; }
    QString assignedTo() const { return m_assignedTo; }
    void setAssignedTo(const QString& user) { m_assignedTo = user; }
    QString stage() const { return m_stage; }
    void setStage(const QString& stage) { m_stage = stage; }
    QDateTime dueDate() const { return m_dueDate; }
    void setDueDate(const QDateTime& date) { m_dueDate = date; }
    // The identifier a BCF server gave the topic (BCF 3.0); empty when none.
    QString serverAssignedId() const { return m_serverAssignedId; }
    void setServerAssignedId(const QString& id) { m_serverAssignedId = id; }
    QString description() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }

    // The first reference link, or empty.
    QString referenceLink() const;
    // Replaces the first reference link (adds one when there is none; an empty text removes the first).
    void setReferenceLink(const QString& link);
    QStringList referenceLinks() const { return m_referenceLinks; }
    void setReferenceLinks(const QStringList& links) { m_referenceLinks = links; }

    // The topic record: every scalar key ("guid", "title", "creation_date", "creation_author",
    // "modified_date", "modified_author", "topic_type", "topic_status", "priority", "labels",
    // "assigned_to", "reference_link", "reference_links", "description", "stage", "due_date"), "server_assigned_id" when set,
    // "index" when not -1, "bim_snippet" when the topic has one, and the lists "files",
    // "document_references", "related_topics", "comments", "viewpoints".
    QVariant toQVariant() const;

    // Comments, in order.
    Comment* comment(const QString& guid) const;
    QList<Comment*> comments() const;
    // A new comment linked to this topic, named guid or a new lower-case UUID; null when a
    // comment of that guid exists already or the guid is not a plain identifier (see BCFModel).
    Comment* addComment(const QString& guid = QString());
    bool removeComment(const QString& guid);

    // Viewpoints, in order.
    Viewpoint* viewpoint(const QString& guid) const;
    QList<Viewpoint*> viewpoints() const;
    // A new viewpoint named guid or a new lower-case UUID; null when one of that guid exists or
    // the guid is not a plain identifier (see BCFModel).
    Viewpoint* addViewpoint(const QString& guid = QString());
    // Removes the viewpoint and its snapshot.
    bool removeViewpoint(const QString& guid);

    // Snapshot images by viewpoint guid, held as bytes or kept in a ByteSource (a reader that
    // defers images, a host's cache) and read when needed. snapshot() points at the stored bytes
    // (null when none); the caller copies them. A snapshot kept in a source is read by snapshot()
    // and held from then on (null, and still kept in its source, when it cannot be read).
    // addSnapshot() copies the bytes, addSnapshotSource() keeps the source; either replaces an
    // existing snapshot, and a null pointer has no effect and gives false.
    QByteArray* snapshot(const QString& viewpointGuid) const;
    bool addSnapshot(const QString& viewpointGuid, QByteArray* bytes);
    bool addSnapshotSource(const QString& viewpointGuid, std::shared_ptr<const ByteSource> source);
    bool removeSnapshot(const QString& viewpointGuid);
    bool hasSnapshot(const QString& viewpointGuid) const;
    // The snapshot as a source whatever way it is held (null when none): the writer reads it only
    // when it writes it, and readSnapshot() reads it without keeping it in the topic.
    std::shared_ptr<const ByteSource> snapshotSource(const QString& viewpointGuid) const;
    bool readSnapshot(const QString& viewpointGuid, QByteArray* bytes, QString* error = nullptr) const;

    BimSnippet* bimSnippet() const { return m_bimSnippet.get(); }
    // Replaces an existing snippet by a new, empty one.
    BimSnippet* addBimSnippet();
    void removeBimSnippet();

    QList<File*> files() const;
    File* addFile();
    void removeFiles();

    QList<DocumentReference*> documentReferences() const;
    // The guid may be empty (it is optional in the format).
    DocumentReference* addDocumentReference(const QString& guid = QString());
    void removeDocumentReferences();

    QList<RelatedTopic*> relatedTopics() const;
    RelatedTopic* addRelatedTopic(const QString& guid);
    void removeRelatedTopics();

private:
    QString m_guid;
    QString m_title;
    QDateTime m_creationDate;
    QString m_creationAuthor;
    QDateTime m_modifiedDate;
    QString m_modifiedAuthor;
    QString m_topicType;
    QString m_topicStatus;
    QString m_priority;
    int m_index = -1;
    QStringList m_labels;
    QString m_assignedTo;
    QString m_stage;
    QDateTime m_dueDate;
    QString m_description;
    QString m_serverAssignedId;
    QStringList m_referenceLinks;

    std::vector<std::unique_ptr<Comment>> m_comments;
    QHash<QString, Comment*> m_commentsByGuid;     // key: lower-case guid
    std::vector<std::unique_ptr<Viewpoint>> m_viewpoints;
    QHash<QString, Viewpoint*> m_viewpointsByGuid; // key: lower-case guid
    struct Snapshot
    {
        QByteArray bytes;
        std::shared_ptr<const ByteSource> source; // set while the bytes are not read
    };
    mutable QHash<QString, Snapshot> m_snapshots; // key: lower-case viewpoint guid
    std::unique_ptr<BimSnippet> m_bimSnippet;
    std::vector<std::unique_ptr<File>> m_files;
    std::vector<std::unique_ptr<DocumentReference>> m_documentReferences;
    std::vector<std::unique_ptr<RelatedTopic>> m_relatedTopics;
};

} // namespace BCFLib
