#include "ArchiveEntrySource.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace BCFLib {

ArchiveEntrySource::ArchiveEntrySource(std::shared_ptr<SharedArchive> archive, const QString& path, qint64 size,
                                       const QByteArray& head)
    : m_archive(std::move(archive))
    , m_path(path)
    , m_size(size)
    , m_head(head)
{
}

bool ArchiveEntrySource::read(QByteArray* bytes, QString* error) const
{
    QMutexLocker lock(&m_archive->mutex);
    // The entry was counted against the archive's total when it was checked.
    if (!m_archive->index.read(m_path, m_archive->maxEntryBytes, *bytes, false)) {
        if (error)
            *error = m_archive->index.errorString();
        return false;
    }
    if (bytes->size() != m_size) {
        bytes->clear();
        if (error)
            *error = QCoreApplication::translate("BCFLib::ArchiveEntrySource", "%1 changed since it was read.").arg(m_path);
        return false;
    }
    return true;
}

} // namespace BCFLib
