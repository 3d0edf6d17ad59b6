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
// whatever holds it. Records are QVariantMaps with the keys of BCFKeys.h.
//
// Contract of the record operations (both stores):
// - No exceptions and no messages. An unknown id gives an empty string, map or list, or a null
//   pointer; an edit, set or remove under an unknown id changes nothing.
// - project_id: both stores hold one project and ignore the project_id of every topic-level
//   operation; the working cache (BCFCacheApi) keeps no project at all (getProject is empty,
//   createProject returns an empty id), the model-backed store (BCFFileApi) keeps the model's one.
// - QByteArray*: a returned array is new and belongs to the caller, who deletes it; null means
//   "no content". An array passed in is only read during the call, never kept or deleted.
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
    // The value lists the document offers for its topics (BCF 3.0 extensions.xml, or the
    // enumerations of a BCF 2.1 extensions.xsd): string lists under BCFKeys::ExtensionTopicTypes,
    // ExtensionTopicStatuses, ExtensionPriorities, ExtensionTopicLabels, ExtensionUsers,
    // ExtensionSnippetTypes and ExtensionStages, each present only when not empty. Creating or
    // editing replaces the lists.
    virtual QVariantMap getProjectExtension(const QString& project_id) const = 0;
    virtual void createProjectExtension(const QString& project_id, const QVariantMap& extension) = 0;
    virtual void editProjectExtension(const QString& project_id, const QVariantMap& extension) = 0;

    // Every topic record, in the store's order.
    virtual QVariantList getTopic(const QString& project_id) const = 0;
    // Stores a new topic under its "guid", or a new id when it has none; returns the id, or an empty
    // string when the id is taken or refused, or the store cannot write.
    virtual QString createTopic(const QVariantMap& topic, const QString& project_id) = 0;
    virtual QVariantMap getSingleTopic(const QString& topic_id, const QString& project_id) const = 0;
    // Replaces the topic record whole (nested comments and viewpoints included).
    virtual void editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id) = 0;
    virtual void removeSingleTopic(const QString& topic_id, const QString& project_id) = 0;

    virtual QVariantMap getBimSnippet(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id) = 0;
    // Snippet content: the working cache keeps none (null; the setter does nothing).
    virtual QByteArray* getBimSnippetContent(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id) = 0;
    virtual QVariantList getFile(const QString& topic_id, const QString& project_id) const = 0;
    virtual void setFile(const QString& topic_id, const QVariantList& files, const QString& project_id) = 0;

    virtual QVariantList getComment(const QString& topic_id, const QString& project_id) const = 0;
    // Appends a comment (a new "guid" when it has none) and returns its id. The working cache
    // returns the id even under an unknown topic, where nothing is stored; the model store returns "".
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
    // As createComment, for viewpoints.
    virtual QString createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                                    const QString& project_id) = 0;
    virtual QVariantMap getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const = 0;
    virtual void editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                     const QVariantMap& viewpoint, const QString& project_id) = 0;
    virtual void removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& project_id) = 0;

    // The PNG snapshot of a viewpoint (a new array, or null). editSnapshotContent with null removes it.
    virtual QByteArray* getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const = 0;
    virtual void editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                     const QString& project_id) = 0;
    // Bitmap content: the working cache keeps none (null; the setter does nothing).
    virtual QByteArray* getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                         const QString& bitmap_id, const QString& project_id) const = 0;
    virtual void editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                   QByteArray* content, const QString& project_id) = 0;
    virtual QVariantMap getComponent(const QString& topic_id, const QString& viewpoint_id,
                                     const QString& project_id) const = 0;
    virtual void setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                              const QString& project_id) = 0;

    // Writes the document to file_name; the working cache writes through the workflow's save
    // commands instead and returns false here.
    virtual bool saveTopics(const QString& file_name) = 0;
    // Empties the store. The working cache returns whether its directory could be removed (a
    // missing one counts as removed) and always leaves an empty one.
    virtual bool clearTopics() = 0;

    // Adds the topics of source, with their snapshots and bitmaps, to this object (not emptied first).
    virtual void copyFromInterface(const BCFapi& source);

    virtual QList<QAction*> getActions() = 0;
    virtual QAction* getExtraAction() = 0;
    virtual void actionUnselected(QAction* action) = 0;
    // Offers to save a modified document. The working cache asks Yes / No / Cancel; a host that
    // needs the outcome (a close handler that may stay open) calls BCFCacheApi::confirmDiscardOrSave().
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
