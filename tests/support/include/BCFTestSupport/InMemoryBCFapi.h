#pragma once

#include "BCFTestSupport/CallLog.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QAction>
#include <QHash>
#include <QMap>

namespace BCFTest {

// A complete, simple BCFapi that keeps everything in memory: topic records whole (comments, viewpoints,
// components, snippet, files, references and related topics nested inside them, as the working cache
// keeps them), snapshots, bitmaps and bim snippet contents by identifiers. It is a peer for copies,
// exports and anything else that only needs "some BCFapi".
//
// - Projects: none unless created (getProject() is empty, like both real implementations); they
//   have no names and no extensions of their own.
// - Project scope: by default the project argument is ignored (both real implementations hold one
//   project). setProjectScoped(true) keeps a separate topic list per project identifier.
// - Call log: setCallLog(&log, "receiver") appends every call to the shared log, see CallLog.
// - setRefuseTopics(true) makes createTopic store nothing and return an empty id.
// - outstandingContentCopies() counts the byte arrays handed out by get...Content that the caller
//   has not deleted yet; a copy that leaks or keeps one shows up there.
// saveTopics writes nothing and returns false. The workflow operations do nothing: getActions() is
// empty, getExtraAction() null. hasProjectList, setCurrentProject, getCurrentProject and
// copyFromInterface are the base class's.
class InMemoryBCFapi : public Vexamo::BCFapi
{
    Q_OBJECT

public:
    explicit InMemoryBCFapi(QObject* parent = nullptr) : BCFapi(parent) {}
    InMemoryBCFapi(const QString& version, QObject* parent) : BCFapi(version, parent) {}

    // Set-up for tests (not logged).
    void setCallLog(CallLog* log, const QString& name) { m_log = log, m_name = name; }
    void setProjectScoped(bool scoped) { m_projectScoped = scoped; }
    void setRefuseTopics(bool refuse) { m_refuseTopics = refuse; }
    void setType(Type type) { m_type = type; }
    void setSnapshot(const QString& topic_id, const QString& viewpoint_id, const QByteArray& content);
    void setBitmap(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                   const QByteArray& content);

    // Inspection for tests (not logged).
    QStringList topicIds(const QString& project_id = QString()) const;
    int snapshotCount() const { return m_snapshots.size(); }
    int bitmapCount() const { return m_bitmaps.size(); }
    int outstandingContentCopies() const;

    Type getType() const override { log("getType"); return m_type; }
    QString username() const override { log("username"); return QStringLiteral("tester"); }

    QVariantList getProject() const override { log("getProject"); return m_projects; }
    QString createProject(const QString& name) override;
    QString getSingleProject(const QString& p) const override { log("getSingleProject", {p}); return QString(); }
    void editSingleProject(const QString& p, const QString& name) override { log("editSingleProject", {p, name}); }
    QVariantMap getProjectExtension(const QString& p) const override
    {
        log("getProjectExtension", {p});
        return QVariantMap();
    }
    void createProjectExtension(const QString& p, const QVariantMap& e) override
    {
        log("createProjectExtension", {p, recordArg(e)});
    }
    void editProjectExtension(const QString& p, const QVariantMap& e) override
    {
        log("editProjectExtension", {p, recordArg(e)});
    }

    QVariantList getTopic(const QString& project_id) const override;
    QString createTopic(const QVariantMap& topic, const QString& project_id) override;
    QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const override;
    void editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id) override;
    void removeSingleTopic(const QString& topic_id, const QString& project_id) override;

    QVariantMap getBimSnippet(const QString& t, const QString& p) const override
    {
        log("getBimSnippet", {t, p});
        return topicValue(t, Vexamo::BCFKeys::BimSnippet, p).toMap();
    }
    void setBimSnippet(const QString& t, const QVariantMap& snippet, const QString& p) override
    {
        log("setBimSnippet", {t, recordArg(snippet), p});
        setTopicValue(t, Vexamo::BCFKeys::BimSnippet, snippet, p);
    }
    QByteArray* getBimSnippetContent(const QString& t, const QString& p) const override
    {
        log("getBimSnippetContent", {t, p});
        return handOut(m_snippetContents, contentKey(p, {t}));
    }
    void setBimSnippetContent(const QString& t, QByteArray* content, const QString& p) override;
    QVariantList getFile(const QString& t, const QString& p) const override
    {
        log("getFile", {t, p});
        return topicValue(t, Vexamo::BCFKeys::Files, p).toList();
    }
    void setFile(const QString& t, const QVariantList& files, const QString& p) override
    {
        log("setFile", {t, listArg(files.size()), p});
        setTopicValue(t, Vexamo::BCFKeys::Files, files, p);
    }

    QVariantList getComment(const QString& t, const QString& p) const override
    {
        log("getComment", {t, p});
        return topicValue(t, Vexamo::BCFKeys::Comments, p).toList();
    }
    QString createComment(const QString& t, const QVariantMap& comment, const QString& p) override
    {
        log("createComment", {t, recordArg(comment), p});
        return addNested(t, Vexamo::BCFKeys::Comments, comment, p);
    }
    QVariantMap getSingleComment(const QString& t, const QString& c, const QString& p) const override
    {
        log("getSingleComment", {t, c, p});
        return nestedItem(t, Vexamo::BCFKeys::Comments, c, p);
    }
    void editSingleComment(const QString& t, const QString& c, const QVariantMap& comment, const QString& p) override
    {
        log("editSingleComment", {t, c, recordArg(comment), p});
        replaceNested(t, Vexamo::BCFKeys::Comments, c, comment, p);
    }
    void removeSingleComment(const QString& t, const QString& c, const QString& p) override
    {
        log("removeSingleComment", {t, c, p});
        replaceNested(t, Vexamo::BCFKeys::Comments, c, QVariant(), p);
    }

    QStringList getRelatedTopics(const QString& t, const QString& p) const override
    {
        log("getRelatedTopics", {t, p});
        return topicValue(t, Vexamo::BCFKeys::RelatedTopics, p).toStringList();
    }
    void setRelatedTopics(const QString& t, const QStringList& related, const QString& p) override
    {
        log("setRelatedTopics", {t, listArg(related.size()), p});
        setTopicValue(t, Vexamo::BCFKeys::RelatedTopics, related, p);
    }
    QVariantList getDocumentReference(const QString& t, const QString& p) const override
    {
        log("getDocumentReference", {t, p});
        return topicValue(t, Vexamo::BCFKeys::DocumentReferences, p).toList();
    }
    void setDocumentReference(const QString& t, const QVariantList& references, const QString& p) override
    {
        log("setDocumentReference", {t, listArg(references.size()), p});
        setTopicValue(t, Vexamo::BCFKeys::DocumentReferences, references, p);
    }

    QVariantList getViewpoint(const QString& t, const QString& p) const override
    {
        log("getViewpoint", {t, p});
        return topicValue(t, Vexamo::BCFKeys::Viewpoints, p).toList();
    }
    QString createViewpoint(const QString& t, const QVariantMap& viewpoint, const QString& p) override
    {
        log("createViewpoint", {t, recordArg(viewpoint), p});
        return addNested(t, Vexamo::BCFKeys::Viewpoints, viewpoint, p);
    }
    QVariantMap getSingleViewpoint(const QString& t, const QString& v, const QString& p) const override
    {
        log("getSingleViewpoint", {t, v, p});
        return nestedItem(t, Vexamo::BCFKeys::Viewpoints, v, p);
    }
    void editSingleViewpoint(const QString& t, const QString& v, const QVariantMap& viewpoint,
                             const QString& p) override
    {
        log("editSingleViewpoint", {t, v, recordArg(viewpoint), p});
        replaceNested(t, Vexamo::BCFKeys::Viewpoints, v, viewpoint, p);
    }
    void removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id, const QString& p) override;

    QByteArray* getSnapshotContent(const QString& t, const QString& v, const QString& p) const override
    {
        log("getSnapshotContent", {t, v, p});
        return handOut(m_snapshots, contentKey(p, {t, v}));
    }
    void editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                             const QString& project_id) override;
    QByteArray* getBitmapContent(const QString& t, const QString& v, const QString& b, const QString& p) const override
    {
        log("getBitmapContent", {t, v, b, p});
        return handOut(m_bitmaps, contentKey(p, {t, v, b}));
    }
    void editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                           QByteArray* content, const QString& project_id) override;
    QVariantMap getComponent(const QString& t, const QString& v, const QString& p) const override
    {
        log("getComponent", {t, v, p});
        return nestedItem(t, Vexamo::BCFKeys::Viewpoints, v, p).value(Vexamo::BCFKeys::Components).toMap();
    }
    void setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                      const QString& project_id) override;

    bool saveTopics(const QString& file_name) override { log("saveTopics", {file_name}); return false; }
    bool clearTopics() override;

    QList<QAction*> getActions() override { log("getActions"); return m_actions; }
    QAction* getExtraAction() override { log("getExtraAction"); return m_extraAction; }
    void actionUnselected(QAction* action) override
    {
        log("actionUnselected", {action ? action->text() : QStringLiteral("null")});
    }
    void checkToSaveCurrentBCF() override { log("checkToSaveCurrentBCF"); }

private:
    using TopicList = QList<QVariantMap>;

    // The call-log arguments: a record as its "guid" (or "project_id"), a list as its size.
    static QString recordArg(const QVariantMap& record);
    static QString listArg(int size) { return QStringLiteral("[%1]").arg(size); }
    void log(const char* operation, const QStringList& args = {}) const;
    QString scope(const QString& project_id) const { return m_projectScoped ? project_id : QString(); }
    int topicIndex(const QString& topic_id, const QString& project_id) const;
    QVariantMap* topicRecord(const QString& topic_id, const QString& project_id);
    const QVariantMap* topicRecord(const QString& topic_id, const QString& project_id) const;
    QVariant topicValue(const QString& topic_id, const QString& key, const QString& project_id) const;
    void setTopicValue(const QString& topic_id, const QString& key, const QVariant& value, const QString& project_id);
    bool hasViewpoint(const QString& topic_id, const QString& viewpoint_id, const QString& project_id) const;
    // Comments and viewpoints, kept as lists of records under key inside the topic record.
    QString addNested(const QString& topic_id, const QString& key, const QVariantMap& item, const QString& project_id);
    QVariantMap nestedItem(const QString& topic_id, const QString& key, const QString& item_id,
                           const QString& project_id) const;
    // Replaces the item with item (its "guid" kept), or removes it when item is invalid.
    bool replaceNested(const QString& topic_id, const QString& key, const QString& item_id, const QVariant& item,
                       const QString& project_id);
    QString contentKey(const QString& project_id, const QStringList& ids) const;
    QByteArray* handOut(const QHash<QString, QByteArray>& store, const QString& key) const;

    CallLog* m_log = nullptr;
    QString m_name;
    Type m_type = ModelBacked;
    bool m_projectScoped = false;
    bool m_refuseTopics = false;
    QVariantList m_projects;
    QMap<QString, TopicList> m_topics;
    QHash<QString, QByteArray> m_snapshots;
    QHash<QString, QByteArray> m_bitmaps;
    QHash<QString, QByteArray> m_snippetContents;
};

} // namespace BCFTest
