#pragma once

#include "BCFLib/ByteSource.h"

#include <QString>

namespace Vexamo {

class BCFCacheApi;

// A snapshot left in its topic file of the working cache while a model of the cache is written:
// the writer reads it when it writes it, so a save never holds every image of the document. The
// cache must outlive the source. A topic file that no longer holds the snapshot (changed by
// another program meanwhile) gives an error, and the write fails rather than leave it out.
class BCFCacheSnapshotSource : public BCFLib::ByteSource
{
public:
    // bytes: the snapshot as read now, for its size and first bytes; it is not kept.
    BCFCacheSnapshotSource(const BCFCacheApi& cache, const QString& topicId, const QString& viewpointId,
                           const QByteArray& bytes);

    qint64 size() const override { return m_size; }
    QByteArray head() const override { return m_head; }
    bool read(QByteArray* bytes, QString* error) const override;

private:
    const BCFCacheApi& m_cache;
    QString m_topicId;
    QString m_viewpointId;
    qint64 m_size;
    QByteArray m_head;
};

} // namespace Vexamo
