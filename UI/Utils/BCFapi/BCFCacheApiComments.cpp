// Comments of the working cache: the "comments" list inside the topic record. Every change reads
// the topic once through getSingleTopic and writes it back whole through editSingleTopic.

#include "BCFapi/BCFCacheApi.h"

#include "BCFapi/BCFCacheTopicId.h"
#include "BCFapi/BCFKeys.h"

#include "Utility/NewId.h"

namespace Vexamo {

QVariantList BCFCacheApi::getComment(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::Comments).toList();
}

QString BCFCacheApi::createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return QString();

    QVariantMap topic = getSingleTopic(topic_id, QString());
    QString id = comment.value(BCFKeys::Guid).toString();
    if (id.isEmpty())
        id = NewId();
    QVariantMap stored = comment;
    stored.insert(BCFKeys::Guid, id);

    QVariantList comments = topic.take(BCFKeys::Comments).toList();
    comments.append(stored);
    topic.insert(BCFKeys::Comments, comments);
    // Under an unknown topic nothing is stored, and the id is returned all the same.
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
    return id;
}

QVariantMap BCFCacheApi::getSingleComment(const QString& topic_id, const QString& comment_id,
                                          const QString& project_id) const
{
    Q_UNUSED(project_id)
    const QVariantList comments = getComment(topic_id, QString());
    const int position = positionInList(comment_id, comments);
    return position < 0 ? QVariantMap() : comments.at(position).toMap();
}

void BCFCacheApi::editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                                    const QString& project_id)
{
    Q_UNUSED(project_id)
    replaceNestedEntry(topic_id, BCFKeys::Comments, comment_id, &comment);
}

void BCFCacheApi::removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    replaceNestedEntry(topic_id, BCFKeys::Comments, comment_id, nullptr);
}

int BCFCacheApi::commentPosition(const QString& comment_id, const QString& topic_id) const
{
    return positionInList(comment_id, getComment(topic_id, QString()));
}

} // namespace Vexamo
