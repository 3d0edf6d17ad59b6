#include "BCFCacheSnapshotSource.h"

#include "BCFCacheStore.h"
#include "BCFapi/BCFKeys.h"

namespace Vexamo {

BCFCacheSnapshotSource::BCFCacheSnapshotSource(const BCFCacheStore& store, const QString& topicId,
                                               const QString& viewpointId, qint64 size, const QByteArray& head)
    : m_store(store)
    , m_topicId(topicId)
    , m_viewpointId(viewpointId)
    , m_size(size)
    , m_head(head)
{
}

bool BCFCacheSnapshotSource::read(QByteArray* bytes, QString* error) const
{
    const QVariantMap viewpoint = m_store.viewpointWithSnapshot(m_topicId, m_viewpointId);
    *bytes = viewpoint.value(BCFKeys::Snapshot).toMap().value(BCFKeys::SnapshotData).toByteArray();
    if (viewpoint.contains(BCFKeys::Snapshot) && bytes->size() == m_size && bytes->startsWith(m_head))
        return true;
    bytes->clear();
    if (error) {
        const QString damage = m_store.topicFileError(m_topicId);
        *error = damage.isEmpty()
                     ? QStringLiteral("the snapshot of viewpoint %1 of the topic %2 changed in the working cache "
                                      "while it was saved")
                           .arg(m_viewpointId, m_topicId)
                     : QStringLiteral("the topic file of %1 is damaged: %2").arg(m_topicId, damage);
    }
    return false;
}

} // namespace Vexamo
