// Topic attachments of the working cache: members of the topic record (BCFCacheStore), stored and
// returned whole. An empty bim snippet or file list removes its member; empty document references
// and related topics are kept as empty arrays. The cache keeps no bim snippet content.

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

QVariantMap BCFCacheApi::getBimSnippet(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->topic(topic_id).value(BCFKeys::BimSnippet).toMap();
}

void BCFCacheApi::setBimSnippet(const QString& topic_id, const QVariantMap& snippet, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->setMember(topic_id, BCFKeys::BimSnippet, snippet.isEmpty() ? QVariant() : QVariant(snippet));
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
    return m_store->topic(topic_id).value(BCFKeys::Files).toList();
}

void BCFCacheApi::setFile(const QString& topic_id, const QVariantList& files, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->setMember(topic_id, BCFKeys::Files, files.isEmpty() ? QVariant() : QVariant(files));
}

QVariantList BCFCacheApi::getDocumentReference(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->topic(topic_id).value(BCFKeys::DocumentReferences).toList();
}

void BCFCacheApi::setDocumentReference(const QString& topic_id, const QVariantList& references,
                                       const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->setMember(topic_id, BCFKeys::DocumentReferences, references);
}

QStringList BCFCacheApi::getRelatedTopics(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->topic(topic_id).value(BCFKeys::RelatedTopics).toStringList();
}

void BCFCacheApi::setRelatedTopics(const QString& topic_id, const QStringList& related, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->setMember(topic_id, BCFKeys::RelatedTopics, related);
}

} // namespace Vexamo
