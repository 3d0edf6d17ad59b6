// Comments of BCFFileApi.
#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Comment.h"
#include "BCFLib/Topic.h"

namespace Vexamo {

// Comments ---------------------------------------------------------------------------------------

QVariantList BCFFileApi::getComment(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    if (!m_model)
        return list;
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return list;
    // Through the single-record read, so that a subclass overriding it changes the list too.
    for (const BCFLib::Comment* comment : topic->comments())
        list.append(getSingleComment(topic_id, comment->guid(), QString()));
    return list;
}

QString BCFFileApi::createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QString();
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return QString();
    BCFLib::Comment* created = topic->addComment(comment.value(BCFKeys::Guid).toString());
    if (!created)
        return QString();
    created->setTopic(topic);
    created->fromQVariant(comment);
    return created->guid();
}

QVariantMap BCFFileApi::getSingleComment(const QString& topic_id, const QString& comment_id,
                                         const QString& project_id) const
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QVariantMap();
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return QVariantMap();
    const BCFLib::Comment* comment = topic->comment(comment_id);
    if (!comment)
        return QVariantMap();
    return comment->toQVariant().toMap();
}

void BCFFileApi::editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                                   const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    BCFLib::Comment* existing = topic->comment(comment_id);
    if (!existing)
        return;
    existing->fromQVariant(comment);
}

void BCFFileApi::removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    topic->removeComment(comment_id);
}

} // namespace Vexamo
