// Viewpoints of the working cache: the "viewpoints" list inside the topic record, each viewpoint
// holding its snapshot ("snapshot") and its components ("components"). Every change reads the
// topic once through getSingleTopic and writes it back whole through editSingleTopic.

#include "BCFapi/BCFCacheApi.h"

#include "BCFapi/BCFCacheTopicId.h"
#include "BCFapi/BCFKeys.h"

#include "Utility/NewId.h"

namespace Vexamo {

QVariantList BCFCacheApi::getViewpoint(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleTopic(topic_id, QString()).value(BCFKeys::Viewpoints).toList();
}

QString BCFCacheApi::createViewpoint(const QString& topic_id, const QVariantMap& viewpoint,
                                     const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return QString();

    QVariantMap topic = getSingleTopic(topic_id, QString());
    QString id = viewpoint.value(BCFKeys::Guid).toString();
    if (id.isEmpty())
        id = NewId();
    QVariantMap stored = viewpoint;
    stored.insert(BCFKeys::Guid, id);

    QVariantList viewpoints = topic.take(BCFKeys::Viewpoints).toList();
    viewpoints.append(stored);
    topic.insert(BCFKeys::Viewpoints, viewpoints);
    // Under an unknown topic nothing is stored, and the id is returned all the same.
    editSingleTopic(topic_id, topic, QString());
    m_saved = false;
    return id;
}

QVariantMap BCFCacheApi::getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                            const QString& project_id) const
{
    Q_UNUSED(project_id)
    const QVariantList viewpoints = getViewpoint(topic_id, QString());
    const int position = positionInList(viewpoint_id, viewpoints);
    return position < 0 ? QVariantMap() : viewpoints.at(position).toMap();
}

void BCFCacheApi::editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                      const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    replaceNestedEntry(topic_id, BCFKeys::Viewpoints, viewpoint_id, &viewpoint);
}

void BCFCacheApi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                        const QString& project_id)
{
    Q_UNUSED(project_id)
    replaceNestedEntry(topic_id, BCFKeys::Viewpoints, viewpoint_id, nullptr);
}

int BCFCacheApi::viewpointPosition(const QString& viewpoint_id, const QString& topic_id) const
{
    return positionInList(viewpoint_id, getViewpoint(topic_id, QString()));
}

QByteArray* BCFCacheApi::getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                            const QString& project_id) const
{
    Q_UNUSED(project_id)
    const QVariantMap viewpoint = getSingleViewpoint(topic_id, viewpoint_id, QString());
    const auto snapshot = viewpoint.constFind(BCFKeys::Snapshot);
    if (snapshot == viewpoint.constEnd())
        return nullptr;
    // The record holds the decoded bytes; the new array shares them until either side changes.
    return new QByteArray(snapshot->toMap().value(BCFKeys::SnapshotData).toByteArray());
}

void BCFCacheApi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                      const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    changeViewpoint(topic_id, viewpoint_id, [content](QVariantMap& viewpoint) {
        if (content) {
            QVariantMap snapshot;
            snapshot.insert(BCFKeys::SnapshotType, QStringLiteral("png"));
            snapshot.insert(BCFKeys::SnapshotData, *content);
            viewpoint.insert(BCFKeys::Snapshot, snapshot);
        } else {
            viewpoint.remove(BCFKeys::Snapshot);
        }
    });
}

// The working cache keeps no bitmap content.
QByteArray* BCFCacheApi::getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                          const QString& bitmap_id, const QString& project_id) const
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(project_id)
    return nullptr;
}

void BCFCacheApi::editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                    QByteArray* content, const QString& project_id)
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(content)
    Q_UNUSED(project_id)
}

QVariantMap BCFCacheApi::getComponent(const QString& topic_id, const QString& viewpoint_id,
                                      const QString& project_id) const
{
    Q_UNUSED(project_id)
    return getSingleViewpoint(topic_id, viewpoint_id, QString()).value(BCFKeys::Components).toMap();
}

void BCFCacheApi::setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                               const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!BCFCacheTopicId::isSafe(topic_id))
        return;
    // An empty component set removes the member; the viewpoint keeps its place in the list.
    changeViewpoint(topic_id, viewpoint_id, [&components](QVariantMap& viewpoint) {
        if (components.isEmpty())
            viewpoint.remove(BCFKeys::Components);
        else
            viewpoint.insert(BCFKeys::Components, components);
    });
}

void BCFCacheApi::changeViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                  const std::function<void(QVariantMap&)>& change)
{
    QVariantMap topic = getSingleTopic(topic_id, QString());
    QVariantList viewpoints = topic.take(BCFKeys::Viewpoints).toList();
    const int position = positionInList(viewpoint_id, viewpoints);
    // Even an unknown viewpoint counts as a change of the document.
    m_saved = false;
    if (position < 0)
        return;

    QVariantMap viewpoint = viewpoints.at(position).toMap();
    change(viewpoint);
    viewpoints[position] = viewpoint;
    topic.insert(BCFKeys::Viewpoints, viewpoints);
    editSingleTopic(topic_id, topic, QString());
}

} // namespace Vexamo
