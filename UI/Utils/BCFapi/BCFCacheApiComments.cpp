// Comments of the working cache: the "comments" list inside the topic record (BCFCacheStore).

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

QVariantList BCFCacheApi::getComment(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->list(topic_id, BCFKeys::Comments);
}

QString BCFCacheApi::createComment(const QString& topic_id, const QVariantMap& comment, const QString& project_id)
{
    Q_UNUSED(project_id)
    return m_store->appendToList(topic_id, BCFKeys::Comments, comment);
}

QVariantMap BCFCacheApi::getSingleComment(const QString& topic_id, const QString& comment_id,
                                          const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->listEntry(topic_id, BCFKeys::Comments, comment_id);
}

void BCFCacheApi::editSingleComment(const QString& topic_id, const QString& comment_id, const QVariantMap& comment,
                                    const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->replaceInList(topic_id, BCFKeys::Comments, comment_id, &comment);
}

void BCFCacheApi::removeSingleComment(const QString& topic_id, const QString& comment_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->replaceInList(topic_id, BCFKeys::Comments, comment_id, nullptr);
}

int BCFCacheApi::commentPosition(const QString& comment_id, const QString& topic_id) const
{
    return BCFCacheStore::positionInList(comment_id, m_store->list(topic_id, BCFKeys::Comments));
}

} // namespace Vexamo
