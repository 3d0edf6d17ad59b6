#include "BCFCacheSnapshotSource.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

BCFCacheSnapshotSource::BCFCacheSnapshotSource(const BCFCacheApi& cache, const QString& topicId,
                                               const QString& viewpointId, const QByteArray& bytes)
    : m_cache(cache)
    , m_topicId(topicId)
    , m_viewpointId(viewpointId)
    , m_size(bytes.size())
    , m_head(bytes.left(HeadSize))
{
}

bool BCFCacheSnapshotSource::read(QByteArray* bytes, QString* error) const
{
    bytes->clear();
    const QVariantMap topic = m_cache.getSingleTopic(m_topicId, QString());
    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    for (const QVariant& value : viewpoints) {
        const QVariantMap viewpoint = value.toMap();
        if (viewpoint.value(BCFKeys::Guid).toString().compare(m_viewpointId, Qt::CaseInsensitive) != 0)
            continue;
        *bytes = viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData).toByteArray();
        if (bytes->size() == m_size && bytes->startsWith(m_head))
            return true;
        break;
    }
    bytes->clear();
    if (error) {
        const QString damage = m_cache.topicFileError(m_topicId);
        *error = damage.isEmpty()
                     ? QStringLiteral("the snapshot of viewpoint %1 of the topic %2 changed in the working cache "
                                      "while it was saved")
                           .arg(m_viewpointId, m_topicId)
                     : QStringLiteral("the topic file of %1 is damaged: %2").arg(m_topicId, damage);
    }
    return false;
}

} // namespace Vexamo
