#include "BCFLib/BCFModel.h"

#include "BCFLib/BCFArchiveWriter.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "SafeIdentifier.h"
#include "Utility/NewId.h"

#include <algorithm>

namespace BCFLib {

namespace {
// At most this many skipped items are listed one by one in the message of isValid().
const int sMaxListedWarnings = 15;
} // namespace

QSharedPointer<BCFModel> BCFModel::Create(QObject* parent)
{
    // The shared pointer owns the model; a QObject parent would delete it a second time. The
    // parent only gives the model its thread.
    QSharedPointer<BCFModel> model(new BCFModel);
    if (parent && parent->thread() != model->thread())
        model->moveToThread(parent->thread());
    return model;
}

BCFModel::BCFModel(QObject* parent)
    : QObject(parent)
    , m_version(QStringLiteral("2.1"), QStringLiteral("2.1"))
{
}

BCFModel::~BCFModel() = default;

Topic* BCFModel::topic(const QString& guid) const
{
    return m_topicsByGuid.value(guid.toLower());
}

QList<Topic*> BCFModel::topics() const
{
    QList<Topic*> list;
    list.reserve(int(m_topics.size()));
    for (const auto& topic : m_topics)
        list.append(topic.get());
    return list;
}

Topic* BCFModel::addTopic(const QString& title, const QString& author, const QDateTime& date, const QString& guid)
{
    const QString name = guid.isEmpty() ? Vexamo::NewId() : guid;
    if (!isSafeIdentifier(name) || m_topicsByGuid.contains(name.toLower()))
        return nullptr;
    m_topics.push_back(std::make_unique<Topic>(name));
    Topic* topic = m_topics.back().get();
    topic->setTitle(title);
    topic->setCreationAuthor(author);
    topic->setCreationDate(date);
    m_topicsByGuid.insert(name.toLower(), topic);
    return topic;
}

Topic* BCFModel::adoptTopic(std::unique_ptr<Topic> topic)
{
    if (!topic || !isSafeIdentifier(topic->guid()) || m_topicsByGuid.contains(topic->guid().toLower()))
        return nullptr;
    Topic* adopted = topic.get();
    m_topicsByGuid.insert(adopted->guid().toLower(), adopted);
    m_topics.push_back(std::move(topic));
    return adopted;
}

bool BCFModel::removeTopic(const QString& guid)
{
    Topic* topic = m_topicsByGuid.take(guid.toLower());
    if (!topic)
        return false;
    m_topics.erase(std::find_if(m_topics.begin(), m_topics.end(),
                                [topic](const auto& item) { return item.get() == topic; }));
    return true;
}

Project* BCFModel::addProject(const QString& guid)
{
    if (m_project && (guid.isEmpty() || guid == m_project->guid()))
        return m_project.get();
    m_project = std::make_unique<Project>(this, guid.isEmpty() ? Vexamo::NewId() : guid);
    return m_project.get();
}

void BCFModel::removeProject()
{
    m_project.reset();
}

bool BCFModel::isValid(const QString& fileName, QString& message, QString& title) const
{
    if (!m_loadError.isEmpty()) {
        title = tr("Cannot open BCF file");
        message = tr("The file %1 cannot be opened: %2").arg(fileName, m_loadError);
        return false;
    }
    if (!m_loadWarnings.isEmpty()) {
        title = tr("BCF file opened with losses");
        QStringList lines = m_loadWarnings.mid(0, sMaxListedWarnings);
        if (m_loadWarnings.size() > sMaxListedWarnings)
            lines.append(tr("... and %n more.", nullptr, m_loadWarnings.size() - sMaxListedWarnings));
        message = tr("Some content of %1 could not be read and was left out:\n%2")
                      .arg(fileName, lines.join(QLatin1Char('\n')));
        return true;
    }
    message.clear();
    title.clear();
    return true;
}

const Document* BCFModel::document(const QString& guid) const
{
    for (const Document& document : m_documents) {
        if (document.guid.compare(guid, Qt::CaseInsensitive) == 0)
            return &document;
    }
    return nullptr;
}

bool BCFModel::serialize(const QString& fileName)
{
    BCFArchiveWriter writer(*this);
    const bool written = writer.write(fileName);
    m_writeError = writer.errorString();
    m_conversionReport = writer.report();
    return written;
}

void BCFModel::clearLoadReport()
{
    m_loadError.clear();
    m_loadWarnings.clear();
}

} // namespace BCFLib
