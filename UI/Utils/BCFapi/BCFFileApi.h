#pragma once

#include "BCFapi/BCFapi.h"

#include <QSharedPointer>

namespace BCFLib {
class BCFModel;
class Comment;
class Topic;
class Viewpoint;
struct OrthogonalCamera;
struct PerspectiveCamera;
} // namespace BCFLib

namespace Vexamo {

// BCFapi over one in-memory BCF document of the model library. Every record operation looks the
// item up in the model and converts between annotation records and the model's objects; the object
// keeps no index or copy of its own. The model is shared with whoever created it and may be null,
// in which case reads give empty results and writes do nothing.
//
// The trailing project_id argument of the topic-level operations is not used: a model holds at
// most one project.
class BCFAPI_EXPORT BCFFileApi : public BCFapi
{
    Q_OBJECT

public:
    BCFFileApi(QSharedPointer<BCFLib::BCFModel> model, QObject* parent);
    ~BCFFileApi() override;

    void setUsername(QString name);

    QString version() const override;
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
    QString createViewpoint(const QString& topic_id, const QVariantMap& viewpoint, const QString& project_id) override;
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

    bool saveTopics(const QString& file_name) override;
    bool clearTopics() override;

    QList<QAction*> getActions() override;
    QAction* getExtraAction() override;
    void actionUnselected(QAction* action) override;
    void checkToSaveCurrentBCF() override;

private:
    enum class FillMode { Create, Edit };

    // The item of that identifier in the current model; null when there is no model or no such
    // item. Every operation looks its item up afresh: an override may have changed the model.
    BCFLib::Topic* topicOf(const QString& topic_id) const;
    BCFLib::Comment* commentOf(const QString& topic_id, const QString& comment_id) const;
    BCFLib::Viewpoint* viewpointOf(const QString& topic_id, const QString& viewpoint_id) const;

    // Writes the record into the existing topic topic_id: scalar fields on every call, attachments,
    // comments and viewpoints only when the record carries their key.
    void fillTopic(const QString& topic_id, const QVariantMap& topic, FillMode mode);
    static void fillReferenceLinks(BCFLib::Topic* topic, const QVariantMap& record, FillMode mode);

    BCFLib::OrthogonalCamera orthogonalCameraFromQVariant(const QVariantMap& camera) const;
    BCFLib::PerspectiveCamera perspectiveCamerafromQVariant(const QVariantMap& camera) const;

    QSharedPointer<BCFLib::BCFModel> m_model;
    QString m_userName;
};

} // namespace Vexamo
