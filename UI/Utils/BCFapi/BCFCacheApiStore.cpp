// The record store of BCFCacheApi: the working directory, projects and topics. Each topic is one
// directory below the working directory holding "annotation.json" with the whole topic record
// (BCFCacheTopicFile). Comments, viewpoints and attachments live inside that record; their
// operations are in BCFCacheApiComments.cpp, BCFCacheApiViewpoints.cpp and BCFCacheApiAttachments.cpp.

#include "BCFapi/BCFCacheApi.h"

#include "BCFapi/BCFCacheTopicFile.h"
#include "BCFapi/BCFKeys.h"

#include "Utility/NewId.h"
#include "Utility/RemoveDir.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

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
    m_saved = false;
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
    m_saved = false;
}

QVariantMap BCFCacheApi::getProjectExtension(const QString& project_id) const
{
    Q_UNUSED(project_id)
    return QVariantMap();
}

void BCFCacheApi::createProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    Q_UNUSED(project_id)
    Q_UNUSED(extension)
}

void BCFCacheApi::editProjectExtension(const QString& project_id, const QVariantMap& extension)
{
    Q_UNUSED(project_id)
    Q_UNUSED(extension)
}

QVariantList BCFCacheApi::getTopic(const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList topics;
    if (!QFileInfo(m_cachePath).isDir())
        return topics;

    // Subdirectories only: no plain files, no hidden entries, no links. A directory whose topic
    // file cannot be read is listed as an empty record. The order is the file system's.
    QDirIterator it(m_cachePath, QDir::AllDirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (it.hasNext()) {
        it.next();
        topics.append(getSingleTopic(it.fileName(), QString()));
    }
    return topics;
}

QString BCFCacheApi::createTopic(const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!QFileInfo(m_cachePath).isDir())
        return QString();

    QString id = topic.value(BCFKeys::Guid).toString();
    if (id.isEmpty())
        id = NewId();
    const BCFCacheTopicFile file(m_cachePath, id);
    // An existing topic of that id is never overwritten.
    if (!file.createDirectory())
        return QString();

    QVariantMap stored = topic;
    stored.insert(BCFKeys::Guid, id);
    // A document being loaded can always be loaded again from its file: its topics are not forced
    // to disk one by one, which would make opening a large file several times slower.
    const auto durability = m_loadingDocument ? BCFCacheTopicFile::Durability::Unflushed
                                              : BCFCacheTopicFile::Durability::Flushed;
    if (!file.write(stored, durability)) {
        file.removeDirectory();
        return QString();
    }
    m_saved = false;
    return id;
}

QVariantMap BCFCacheApi::getSingleTopic(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return BCFCacheTopicFile(m_cachePath, topic_id).read();
}

void BCFCacheApi::editSingleTopic(const QString& topic_id, const QVariantMap& topic, const QString& project_id)
{
    Q_UNUSED(project_id)
    const BCFCacheTopicFile file(m_cachePath, topic_id);
    if (!file.isValid())
        return;
    // The record replaces the stored one whole; a topic without a directory stays absent.
    file.write(topic);
    m_saved = false;
}

void BCFCacheApi::removeSingleTopic(const QString& topic_id, const QString& project_id)
{
    Q_UNUSED(project_id)
    const BCFCacheTopicFile file(m_cachePath, topic_id);
    if (!file.isValid())
        return;
    m_saved = false;
    file.removeDirectory();
}

bool BCFCacheApi::saveTopics(const QString& file_name)
{
    // Documents are written by the save commands through a model-backed BCFapi.
    Q_UNUSED(file_name)
    return false;
}

bool BCFCacheApi::clearTopics()
{
    const bool removed = RemoveDir(m_cachePath);
    createSavingPath();
    m_saved = true;
    return removed;
}

int BCFCacheApi::positionInList(const QString& id, const QVariantList& list) const
{
    for (int i = 0; i < list.size(); ++i) {
        const QVariantMap entry = list.at(i).toMap();
        const auto guid = entry.constFind(BCFKeys::Guid);
        if (guid != entry.constEnd() && guid->toString() == id)
            return i;
    }
    return -1;
}

void BCFCacheApi::createSavingPath()
{
    if (!QDir(m_cachePath).exists())
        QDir().mkpath(m_cachePath);
}

// Replaces (or, with a null replacement, removes) the first entry named entry_id in the topic's
// list under listKey, and writes the topic back. The replacement is stored whole, whatever "guid" it
// carries; removing the last entry leaves an empty array. An unknown entry changes nothing.
void BCFCacheApi::replaceNestedEntry(const QString& topic_id, const QString& listKey, const QString& entry_id,
                                     const QVariantMap* replacement)
{
    QVariantMap topic = getSingleTopic(topic_id, QString());
    QVariantList entries = topic.take(listKey).toList();
    const int position = positionInList(entry_id, entries);
    if (position < 0)
        return;
    if (replacement)
        entries[position] = *replacement;
    else
        entries.removeAt(position);
    topic.insert(listKey, entries);
    m_saved = false;
    editSingleTopic(topic_id, topic, QString());
}

} // namespace Vexamo
