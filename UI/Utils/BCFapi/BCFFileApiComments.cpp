// Comments of BCFFileApi.
#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Comment.h"
#include "BCFLib/Topic.h"

namespace Vexamo {

BCFLib::Comment* BCFFileApi::commentOf(const QString& topic_id, const QString& comment_id) const
{
    const BCFLib::Topic* topic = topicOf(topic_id);
    return topic ? topic->comment(comment_id) : nullptr;
}

// Comments ---------------------------------------------------------------------------------------

QVariantList BCFFileApi::getComment(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    if (const BCFLib::Topic* topic = topicOf(topic_id)) {
        // Through the single-record read, so that a subclass overriding it changes the list too.
        for (const BCFLib::Comment* comment : topic->comments())
            list.append(getSingleComment(topic_id, comment->guid(), QString()));
    }
    return list;
}

QString BCFFileApi::createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    BCFLib::Comment* created = topic ? topic->addComment(comment.value(BCFKeys::Guid).toString()) : nullptr;
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
    const BCFLib::Comment* comment = commentOf(topic_id, comment_id);
    return comment ? comment->toQVariant().toMap() : QVariantMap();
}

void BCFFileApi::editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                                   const QString& project_id)
{
    Q_UNUSED(project_id)
    if (BCFLib::Comment* existing = commentOf(topic_id, comment_id))
        existing->fromQVariant(comment);
}

void BCFFileApi::removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (BCFLib::Topic* topic = topicOf(topic_id))
        topic->removeComment(comment_id);
}

} // namespace Vexamo
