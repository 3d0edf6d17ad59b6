// The record operations of BCFCacheApi on projects and topics. The records themselves are kept by
// the store (BCFCacheStore); the working cache ignores every project_id.

#include "BCFapi/BCFCacheApi.h"

#include "BCFCacheStore.h"
#include "BCFDocumentProject.h"

namespace Vexamo {

BCFapi::Type BCFCacheApi::getType() const
{
    return WorkingCache;
}

QString BCFCacheApi::username() const
{
    return m_userName;
}

void BCFCacheApi::setUsername(QString name)
{
    m_userName = std::move(name);
}

void BCFCacheApi::setCurrentProject(const QString& project_id)
{
    Q_UNUSED(project_id)
}

// The working cache holds one anonymous project and keeps nothing of projects; creating or renaming
// one still counts as a change of the document.

QVariantList BCFCacheApi::getProject() const
{
    return QVariantList();
}

QString BCFCacheApi::createProject(const QString& name)
{
    Q_UNUSED(name)
    m_store->setModified(true);
    return QString();
}

QString BCFCacheApi::getSingleProject(const QString& project_id) const
{
    Q_UNUSED(project_id)
    return QString();
}

void BCFCacheApi::editSingleProject(const QString& project_id, const QString& name)
{
    Q_UNUSED(project_id)
    Q_UNUSED(name)
    m_store->setModified(true);
}

// The project extension is the value lists of the document that was opened (its extensions.xml,
// or the enumerations of its 2.1 extension schema), kept beside the working cache; the map's keys
// are those of BCFKeys (ExtensionTopicTypes, ...). A host's lists replace the document's and are
// saved with it.
QVariantMap BCFCacheApi::getProjectExtension(const QString& project_id) const
{
    Q_UNUSED(project_id)
    return BCFDocumentProject::read(m_store->documentProjectPath()).extensions().toQVariant();
}

void BCFCacheApi::createProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    editProjectExtension(project_id, extension);
}

void BCFCacheApi::editProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    Q_UNUSED(project_id)
    BCFDocumentProject project = BCFDocumentProject::read(m_store->documentProjectPath());
    const BCFLib::ProjectExtensions lists = BCFLib::ProjectExtensions::fromQVariant(extension);
    if (lists.toQVariant() == project.extensions().toQVariant())
        return;
    project.setExtensions(lists);
    if (project.write(m_store->documentProjectPath()))
        m_store->setModified(true);
}

QVariantList BCFCacheApi::getTopic(const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->topics();
}

QStringList BCFCacheApi::topicIds() const
{
    return m_store->topicIds();
}

QVariantList BCFCacheApi::getTopics(const QStringList& ids) const
{
    return m_store->topics(ids);
}

QString BCFCacheApi::createTopic(const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    return m_store->createTopic(topic);
}

QVariantMap BCFCacheApi::getSingleTopic(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return m_store->topic(topic_id);
}

void BCFCacheApi::editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->replaceTopic(topic_id, topic);
}

void BCFCacheApi::removeSingleTopic(const QString& topic_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    m_store->removeTopic(topic_id);
}

bool BCFCacheApi::saveTopics(const QString& file_name)
{
    // Documents are written by the save commands through a model-backed BCFapi.
    Q_UNUSED(file_name)
    return false;
}

bool BCFCacheApi::clearTopics()
{
    const bool removed = m_store->clear();
    m_store->setModified(false);
    return removed;
}

int BCFCacheApi::positionInList(const QString& id, const QVariantList& list) const
{
    return BCFCacheStore::positionInList(id, list);
}

QString BCFCacheApi::workingCacheError() const
{
    return m_store->errorString();
}

QString BCFCacheApi::topicFileError(const QString& topic_id) const
{
    return m_store->topicFileError(topic_id);
}

void BCFCacheApi::createSavingPath()
{
    m_store->createDirectory();
}

} // namespace Vexamo
