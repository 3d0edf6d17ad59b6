#pragma once

#include "BCFTestSupport/CallLog.h"

#include "BCFapi/BCFapi.h"

#include <QHash>
#include <QMap>

namespace BCFTest {

// A complete, simple BCFapi that keeps everything in memory: topic records whole (comments, viewpoints,
// components, snippet, files, references and related topics nested inside them, as the working cache
// keeps them), snapshots, bitmaps and bim snippet contents by identifiers. It is a peer for copies,
// exports and anything else that only needs "some BCFapi".
//
// - Projects: none unless created (getProject() is empty, like both real implementations).
// - Project scope: by default the project argument is ignored (both real implementations hold one
//   project). setProjectScoped(true) keeps a separate topic list per project identifier.
// - Call log: setCallLog(&log, "receiver") appends every call to the shared log, see CallLog.
// - setRefuseTopics(true) makes createTopic store nothing and return an empty id.
// - outstandingContentCopies() counts the byte arrays handed out by get...Content that the caller
//   has not deleted yet; a copy that leaks or keeps one shows up there.
// Projects have no names and no extensions of their own. The workflow operations do nothing:
// getActions() is empty, getExtraAction() null. hasProjectList,
// setCurrentProject, getCurrentProject and copyFromInterface are the base class's.
class InMemoryBCFapi : public Vexamo::BCFapi
{
    Q_OBJECT

public:
    explicit InMemoryBCFapi(QObject* parent = nullptr);
    InMemoryBCFapi(const QString& version, QObject* parent);
    ~InMemoryBCFapi() override;

    // Set-up for tests (not logged).
    void setCallLog(CallLog* log, const QString& name);
    void setProjectScoped(bool scoped) { m_projectScoped = scoped; }
    void setRefuseTopics(bool refuse) { m_refuseTopics = refuse; }
    void setType(Type type) { m_type = type; }
    void setSnapshot(const QString& topic_id, const QString& viewpoint_id, const QByteArray& content,
                     const QString& project_id = QString());
    void setBitmap(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                   const QByteArray& content, const QString& project_id = QString());

    // Inspection for tests (not logged).
    QStringList topicIds(const QString& project_id = QString()) const;
    int snapshotCount() const { return m_snapshots.size(); }
    int bitmapCount() const { return m_bitmaps.size(); }
    int outstandingContentCopies() const;

    Type getType() const override;
    QString username() const override;

    QVariantList getProject() const override;
    QString createProject(const QString& name) override;
    QString getSingleProject(const QString& project_id) const override;
    void editSingleProject(const QString& project_id, const QString& name) override;
    QVariantMap getProjectExtension(const QString& project_id) const override;
    void createProjectExtension(const QString& project_id, const QVariantMap& extension) override;
    void editProjectExtension(const QString& project_id, const QVariantMap& extension) override;

    QVariantList getTopic(const QString& project_id) const override;
    QString createTopic(const QVariantMap& topic, const QString& project_id) override;
    QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const override;
    void editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id) override;
    void removeSingleTopic(const QString& topic_id, const QString& project_id) override;

    QVariantMap getBimSnippet(const QString& topic_id, const QString& project_id) const override;
    void setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id) override;
    QByteArray* getBimSnippetContent(const QString& topic_id, const QString& project_id) const override;
    void setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id) override;
    QVariantList getFile(const QString& topic_id, const QString& project_id) const override;
    void setFile(const QString& topic_id, const QVariantList& files, const QString& project_id) override;

    QVariantList getComment(const QString& topic_id, const QString& project_id) const override;
    QString createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id) override;
    QVariantMap getSingleComment(const QString& topic_id, const QString& comment_id,
                                 const QString& project_id) const override;
    void editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                           const QString& project_id) override;
    void removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id) override;

    QStringList getRelatedTopics(const QString& topic_id, const QString& project_id) const override;
    void setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id) override;
    QVariantList getDocumentReference(const QString& topic_id, const QString& project_id) const override;
    void setDocumentReference(const QString& topic_id, const QVariantList& references,
                              const QString& project_id) override;

    QVariantList getViewpoint(const QString& topic_id, const QString& project_id) const override;
    QString createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                            const QString& project_id) override;
    QVariantMap getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                   const QString& project_id) const override;
    void editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& viewpoint,
                             const QString& project_id) override;
    void removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                               const QString& project_id) override;

    QByteArray* getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                   const QString& project_id) const override;
    void editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                             const QString& project_id) override;
    QByteArray* getBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                 const QString& project_id) const override;
    void editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                           QByteArray* content, const QString& project_id) override;
    QVariantMap getComponent(const QString& topic_id, const QString& viewpoint_id,
                             const QString& project_id) const override;
    void setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                      const QString& project_id) override;

    // Keeps no files: writes nothing and returns false.
    bool saveTopics(const QString& file_name) override;
    bool clearTopics() override;

    QList<QAction*> getActions() override;
    QAction* getExtraAction() override;
    void actionUnselected(QAction* action) override;
    void checkToSaveCurrentBCF() override;

private:
    using TopicList = QList<QVariantMap>;

    void log(const QString& operation, const QStringList& args) const;
    QString scope(const QString& project_id) const;
    int topicIndex(const QString& topic_id, const QString& project_id) const;
    QVariantMap* topicRecord(const QString& topic_id, const QString& project_id);
    const QVariantMap* topicRecord(const QString& topic_id, const QString& project_id) const;
    bool hasViewpoint(const QString& topic_id, const QString& viewpoint_id, const QString& project_id) const;
    // Comments and viewpoints, kept as lists of records under key inside the topic record.
    QString addNested(const QString& topic_id, const QString& key, const QVariantMap& item, const QString& project_id);
    QVariantMap nestedItem(const QString& topic_id, const QString& key, const QString& item_id,
                           const QString& project_id) const;
    // Replaces the item with item (its "guid" kept), or removes it when item is invalid.
    bool replaceNested(const QString& topic_id, const QString& key, const QString& item_id, const QVariant& item,
                       const QString& project_id);
    QVariantList nestedList(const QString& topic_id, const QString& key, const QString& project_id) const;
    void setNestedList(const QString& topic_id, const QString& key, const QVariantList& list,
                       const QString& project_id);
    QString contentKey(const QString& project_id, const QStringList& ids) const;
    QByteArray* handOut(const QHash<QString, QByteArray>& store, const QString& key) const;

    CallLog* m_log = nullptr;
    QString m_name;
    Type m_type = ModelBacked;
    const QString m_username = QStringLiteral("tester");
    bool m_projectScoped = false;
    bool m_refuseTopics = false;
    QVariantList m_projects;
    QMap<QString, TopicList> m_topics;
    QHash<QString, QByteArray> m_snapshots;
    QHash<QString, QByteArray> m_bitmaps;
    QHash<QString, QByteArray> m_snippetContents;
};

} // namespace BCFTest
