#pragma once

#include "BCFapi/BCFapiGlobal.h"

#include <QAction>
#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace Vexamo {

// The interface through which a viewer, the exporter and the interface copy reach annotation data,
// whatever holds it. Records are QVariantMaps with the keys of BCFKeys.h. Content operations return a
// new QByteArray that the caller deletes, or null; content arguments are only read, never kept.
class BCFAPI_EXPORT BCFapi : public QObject
{
    Q_OBJECT

public:
    enum Type {
        WorkingCache = 0,
        ModelBacked = 2,
    };
    Q_ENUM(Type)

    explicit BCFapi(QObject* parent = nullptr);
    BCFapi(QString version, QObject* parent);
    ~BCFapi() override;

    virtual QString version() const;
    virtual Type getType() const = 0;
    virtual QString username() const = 0;
    virtual bool hasProjectList() const;
    virtual void setCurrentProject(const QString& project_id);
    virtual QString getCurrentProject() const;

    virtual QVariantList getProject() const = 0;
    virtual QString createProject(const QString& name) = 0;
    virtual QString getSingleProject(const QString& project_id) const = 0;
    virtual void editSingleProject(const QString& project_id, const QString& name) = 0;
    virtual QVariantMap getProjectExtension(const QString& project_id) const = 0;
    virtual void createProjectExtension(const QString& project_id, const QVariantMap& extension) = 0;
    virtual void editProjectExtension(const QString& project_id, const QVariantMap& extension) = 0;

    virtual QVariantList getTopic(const QString& project_id) const = 0;
    virtual QString createTopic(const QVariantMap& topic, const QString& project_id) = 0;
    virtual QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const = 0;
    virtual void editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id) = 0;
    virtual void removeSingleTopic(const QString& topic_id, const QString& project_id) = 0;

    virtual QVariantMap getBimSnippet(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id) = 0;
    virtual QByteArray* getBimSnippetContent(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id) = 0;
    virtual QVariantList getFile(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setFile(const QString& topic_id, const QVariantList& files, const QString& project_id) = 0;

    virtual QVariantList getComment(const QString& topic_id, const QString& project_id) const = 0;
    virtual QString createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id) = 0;
    virtual QVariantMap getSingleComment(const QString& topic_id, const QString& comment_id,
                                         const QString& project_id) const = 0;
    virtual void editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                                   const QString& project_id) = 0;
    virtual void removeSingleComment(const QString& topic_id, const QString& comment_id,
                                     const QString& project_id) = 0;

    virtual QStringList getRelatedTopics(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id) = 0;
    virtual QVariantList getDocumentReference(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setDocumentReference(const QString& topic_id, const QVariantList& references,
                                      const QString& project_id) = 0;

    virtual QVariantList getViewpoint(const QString& topic_id, const QString& project_id) const = 0;
    virtual QString createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                                    const QString& project_id) = 0;
    virtual QVariantMap getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const = 0;
    virtual void editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                     const QVariantMap& viewpoint, const QString& project_id) = 0;
    virtual void removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& project_id) = 0;

    virtual QByteArray* getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const = 0;
    virtual void editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                     const QString& project_id) = 0;
    virtual QByteArray* getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                         const QString& bitmap_id, const QString& project_id) const = 0;
    virtual void editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                   QByteArray* content, const QString& project_id) = 0;
    virtual QVariantMap getComponent(const QString& topic_id, const QString& viewpoint_id,
                                     const QString& project_id) const = 0;
    virtual void setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                              const QString& project_id) = 0;

    virtual bool saveTopics(const QString& file_name) = 0;
    virtual bool clearTopics() = 0;

    // Adds the topics of source, with their snapshots and bitmaps, to this object (not emptied first).
    virtual void copyFromInterface(const BCFapi& source);

    virtual QList<QAction*> getActions() = 0;
    virtual QAction* getExtraAction() = 0;
    virtual void actionUnselected(QAction* action) = 0;
    virtual void checkToSaveCurrentBCF() = 0;

signals:
    void opened(QAction* action);
    void saved(QAction* action);
    void discarded(QAction* action);
    void canceled(QAction* action);
    void changed(QAction* action);
    void topicAdded(const QString& topic_id, const QString& project_id);
    void commentAdded(const QString& comment_id, const QString& topic_id, const QString& project_id);

protected:
    void copyTopicList(const BCFapi& source, const QString& project_id);

    QString m_version;
    QList<QAction*> m_actions;
    QAction* m_extraAction = nullptr;
};

} // namespace Vexamo
