#include "ArchiveEntries.h"

#include "ProblemList.h"
#include "../ZipEntryIndex.h"

#include <QFileInfo>
#include <climits>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

namespace BCFLib {

ArchiveEntries::ArchiveEntries(const ReadLimits& limits)
    : m_limits(limits)
{
}

bool ArchiveEntries::open(const QString& fileName, ProblemList& problems)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        m_error = QStringLiteral("the file does not exist");
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        m_error = QStringLiteral("the file cannot be read");
        return false;
    }
    m_zip.setZipName(fileName);
    m_zip.setFileNameCodec("UTF-8");
    if (!m_zip.open(QuaZip::mdUnzip)) {
        m_error = QStringLiteral("not a readable zip archive");
        return false;
    }
    if (m_zip.getEntriesCount() > m_limits.maxEntries) {
        m_error = QStringLiteral("the archive has more than %1 entries").arg(m_limits.maxEntries);
        return false;
    }
    for (bool more = m_zip.goToFirstFile(); more; more = m_zip.goToNextFile()) {
        const QString name = m_zip.getCurrentFileName();
        if (name.isEmpty() || name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')))
            continue; // a folder
        if (ZipEntryIndex::isPlatformJunk(name))
            continue; // skipped by the reader too
        const QString path = normalise(name);
        if (path.isEmpty()) {
            problems.error(QStringLiteral("archive"), QString(), 0,
                           QStringLiteral("unsafe entry name \"%1\" (absolute, climbing out of the archive or with "
                                          "control characters); it is ignored")
                               .arg(name));
            continue;
        }
        if (m_positions.contains(path)) {
            problems.error(QStringLiteral("archive"), path, 0, QStringLiteral("the archive holds this entry twice"));
            continue;
        }
        unz64_file_pos position;
        if (unzGetFilePos64(m_zip.getUnzFile(), &position) != UNZ_OK)
            continue;
        m_positions.insert(path, position);
        m_byLowerPath.insert(path.toLower(), path);
        m_paths.append(path);
    }
    if (m_zip.getZipError() != UNZ_OK) {
        m_error = QStringLiteral("the archive's directory is damaged");
        return false;
    }
    if (m_paths.isEmpty()) {
        m_error = QStringLiteral("the archive has no files");
        return false;
    }
    // Entries are reached by their recorded positions later; QuaZip only opens one while it knows
    // that a current file is set.
    m_zip.goToFirstFile();
    return true;
}

// The reader's rules for entry names and references, so that the validator and the reader agree on
// which entries exist and what a reference names.
QString ArchiveEntries::normalise(const QString& name)
{
    return ZipEntryIndex::normalise(name);
}

QString ArchiveEntries::resolve(const QString& folder, const QString& reference)
{
    return ZipEntryIndex::resolve(folder, reference);
}

QString ArchiveEntries::find(const QString& path) const
{
    if (m_positions.contains(path))
        return path;
    return m_byLowerPath.value(path.toLower());
}

bool ArchiveEntries::read(const QString& path, qint64 maxBytes, bool wholeEntry, QByteArray& bytes)
{
    bytes.clear();
    const QString stored = find(path);
    unz64_file_pos position = m_positions.value(stored);
    if (stored.isEmpty() || unzGoToFilePos64(m_zip.getUnzFile(), &position) != UNZ_OK) {
        m_error = QStringLiteral("the entry is missing");
        return false;
    }
    const qint64 limit = qMin(qMin(maxBytes, m_limits.maxTotalBytes - m_totalRead), qint64(INT_MAX - 64));
    QuaZipFileInfo64 info;
    if (!m_zip.getCurrentFileInfo(&info))
        info.uncompressedSize = 0;
    if (wholeEntry && info.uncompressedSize > quint64(limit)) {
        m_error = QStringLiteral("the entry is larger than allowed (%1 bytes)").arg(limit);
        return false;
    }
    QuaZipFile file(&m_zip);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("the entry cannot be read (damaged or encrypted)");
        return false;
    }
    // Sized from the header, but the limit holds for the bytes actually inflated.
    bytes.resize(int(qMin<quint64>(info.uncompressedSize, quint64(limit))));
    qint64 size = 0;
    while (size < limit) {
        if (size == bytes.size())
            bytes.resize(int(qMin<qint64>(limit, qMax<qint64>(size * 2, 64 * 1024))));
        const qint64 got = file.read(bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            m_error = QStringLiteral("the entry is damaged");
            bytes.clear();
            return false;
        }
        if (got == 0)
            break;
        size += got;
    }
    bytes.resize(int(size));
    m_totalRead += size;
    if (size >= limit && wholeEntry) {
        char probe;
        if (file.read(&probe, 1) > 0) {
            m_error = QStringLiteral("the entry is larger than allowed (%1 bytes)").arg(limit);
            bytes.clear();
            return false;
        }
    }
    if (wholeEntry) {
        file.close();
        if (file.getZipError() != UNZ_OK) {
            m_error = QStringLiteral("the entry is damaged (checksum mismatch)");
            bytes.clear();
            return false;
        }
    }
    return true;
}

} // namespace BCFLib
