// Topic attachments of the working cache: members of the topic record, stored and returned whole.
// An empty bim snippet or file list removes its member; empty document references and related
// topics are kept as empty arrays. The cache keeps no bim snippet content.

#include "BCFapi/BCFCacheApi.h"

#include "BCFapi/BCFCacheTopicId.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

namespace {

// Sets member of topic to value, or removes it when value is empty and removeWhenEmpty is set.
template<typename Value>
void setMember(QVariantMap& topic, const QString& member, const Value& value, bool removeWhenEmpty)
{
    if (removeWhenEmpty && value.isEmpty())
        topic.remove(member);
    else
        topic.insert(member, value);
}

} // namespace

QVariantMap BCFCacheApi::getBimSnippet(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::BimSnippet).toMap();
}

void BCFCacheApi::setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    QVariantMap topic = getSingleTopic(topic_id, QString());
    setMember(topic, BCFKeys::BimSnippet, snippet, true);
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
}

QByteArray* BCFCacheApi::getBimSnippetContent(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(topic_id)
    Q_UNUSED(project_id)
    return nullptr;
}

void BCFCacheApi::setBimSnippetContent(const QString& topic_id, QByteArray* content, const QString& project_id)
{
    Q_UNUSED(topic_id)
    Q_UNUSED(content)
    Q_UNUSED(project_id)
}

QVariantList BCFCacheApi::getFile(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::Files).toList();
}

void BCFCacheApi::setFile(const QString& topic_id, const QVariantList& files, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    QVariantMap topic = getSingleTopic(topic_id, QString());
    setMember(topic, BCFKeys::Files, files, true);
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
}

QVariantList BCFCacheApi::getDocumentReference(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::DocumentReferences).toList();
}

void BCFCacheApi::setDocumentReference(const QString& topic_id, const QVariantList& references,
                                       const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    QVariantMap topic = getSingleTopic(topic_id, QString());
    setMember(topic, BCFKeys::DocumentReferences, references, false);
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
}

QStringList BCFCacheApi::getRelatedTopics(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::RelatedTopics).toStringList();
}

void BCFCacheApi::setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    QVariantMap topic = getSingleTopic(topic_id, QString());
    setMember(topic, BCFKeys::RelatedTopics, related, false);
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
}

} // namespace Vexamo
