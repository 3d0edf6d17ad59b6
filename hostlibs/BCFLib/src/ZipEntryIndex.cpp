#include "ZipEntryIndex.h"

#include <QCoreApplication>
#include <climits>
#include <QFileInfo>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

namespace BCFLib {

namespace {

const qint64 sChunkSize = 256 * 1024;

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::ZipEntryIndex", text);
}

} // namespace

ZipEntryIndex::ZipEntryIndex(const ReadLimits& limits)
    : m_limits(limits)
{
}

ZipEntryIndex::~ZipEntryIndex()
{
    if (m_zip.isOpen())
        m_zip.close();
}

bool ZipEntryIndex::open(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        m_error = tr("the file does not exist.");
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        m_error = tr("the file cannot be read.");
        return false;
    }
    m_zip.setZipName(fileName);
    return list();
}

bool ZipEntryIndex::open(QIODevice* device)
{
    m_zip.setIoDevice(device);
    return list();
}

bool ZipEntryIndex::list()
{
    // Most tools write UTF-8 names, also without the flag that says so.
    m_zip.setFileNameCodec("UTF-8");
    if (!m_zip.open(QuaZip::mdUnzip)) {
        m_error = tr("it is not a BCF archive (not a readable zip file).");
        return false;
    }
    if (m_zip.getEntriesCount() > m_limits.maxEntries) {
        m_error = tr("the archive has too many entries.");
        return false;
    }
    if (m_zip.getEntriesCount() == 0) {
        m_error = tr("the archive is empty.");
        return false;
    }
    unzFile handle = m_zip.getUnzFile();
    int count = 0;
    for (bool more = m_zip.goToFirstFile(); more; more = m_zip.goToNextFile()) {
        if (++count > m_limits.maxEntries) {
            m_error = tr("the archive has too many entries.");
            return false;
        }
        const QString name = m_zip.getCurrentFileName();
        QString normalised = name;
        normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (normalised.isEmpty() || normalised.endsWith(QLatin1Char('/')))
            continue; // directory entry
        if (isPlatformJunk(normalised))
            continue;
        const QString path = normalise(name);
        if (path.isEmpty()) {
            m_rejected.append(name);
            continue;
        }
        if (m_positions.contains(path))
            continue; // a repeated name: the first entry wins
        unz64_file_pos position;
        if (unzGetFilePos64(handle, &position) != UNZ_OK)
            continue;
        m_positions.insert(path, position);
        m_byLowerPath.insert(path.toLower(), path);
        m_paths.append(path);
    }
    if (m_zip.getZipError() != UNZ_OK) {
        m_error = tr("the archive's directory is damaged.");
        return false;
    }
    // Entries are later reached by their recorded positions; QuaZip only needs to know that a
    // current file is set.
    m_zip.goToFirstFile();
    return true;
}

bool ZipEntryIndex::isPlatformJunk(const QString& name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.startsWith(QLatin1String("__MACOSX/")) || path.section(QLatin1Char('/'), -1).startsWith(QLatin1String("._"));
}

QString ZipEntryIndex::normalise(const QString& name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')) || (path.size() >= 2 && path.at(1) == QLatin1Char(':')))
        return QString();
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return QString();
        parts.append(part);
    }
    return parts.join(QLatin1Char('/'));
}

QString ZipEntryIndex::resolve(const QString& folder, const QString& reference)
{
    QString ref = reference.trimmed();
    ref.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (ref.isEmpty() || ref.startsWith(QLatin1Char('/')) || ref.contains(QLatin1String("://"))
        || (ref.size() >= 2 && ref.at(1) == QLatin1Char(':')))
        return QString();
    for (const QChar c : ref) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : ref.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (parts.isEmpty())
                return QString();
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return parts.join(QLatin1Char('/'));
}

QString ZipEntryIndex::find(const QString& path) const
{
    if (m_positions.contains(path))
        return path;
    return m_byLowerPath.value(path.toLower());
}

bool ZipEntryIndex::openEntry(const QString& path, qint64 maxBytes, bool countTotal, QuaZipFile& file, qint64& limit,
                              qint64& declared)
{
    const QString stored = find(path);
    if (stored.isEmpty()) {
        m_error = tr("%1 is missing.").arg(path);
        return false;
    }
    unz64_file_pos position = m_positions.value(stored);
    if (unzGoToFilePos64(m_zip.getUnzFile(), &position) != UNZ_OK) {
        m_error = tr("%1 cannot be found in the archive.").arg(path);
        return false;
    }

    QuaZipFileInfo64 info;
    info.uncompressedSize = 0;
    // A QByteArray holds at most about 2 GiB, whatever the configured limits say.
    limit = qMin(maxBytes, qint64(INT_MAX - 64));
    if (countTotal)
        limit = qMin(limit, m_limits.maxTotalBytes - m_totalRead);
    if (!m_zip.getCurrentFileInfo(&info))
        info.uncompressedSize = 0;
    if (info.uncompressedSize > quint64(limit)) {
        m_error = tr("%1 is larger than allowed.").arg(path);
        return false;
    }
    declared = qint64(info.uncompressedSize);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = tr("%1 cannot be read (damaged or encrypted).").arg(path);
        return false;
    }
    return true;
}

bool ZipEntryIndex::scan(const QString& path, qint64 maxBytes, int headSize, QByteArray& head, qint64& size)
{
    head.clear();
    size = 0;
    QuaZipFile file(&m_zip);
    qint64 limit = 0;
    qint64 declared = 0;
    if (!openEntry(path, maxBytes, true, file, limit, declared))
        return false;
    QByteArray chunk(int(sChunkSize), Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0) {
            m_error = tr("%1 is damaged.").arg(path);
            return false;
        }
        if (got == 0)
            break;
        if (head.size() < headSize)
            head.append(chunk.constData(), int(qMin<qint64>(got, headSize - head.size())));
        size += got;
        if (size > limit) {
            m_error = tr("%1 is larger than allowed.").arg(path);
            return false;
        }
    }
    file.close();
    if (file.getZipError() != UNZ_OK) {
        m_error = tr("%1 is damaged (checksum error).").arg(path);
        return false;
    }
    m_totalRead += size;
    return true;
}

bool ZipEntryIndex::read(const QString& path, qint64 maxBytes, QByteArray& bytes, bool countTotal)
{
    bytes.clear();
    QuaZipFile file(&m_zip);
    qint64 limit = 0;
    qint64 declared = 0;
    if (!openEntry(path, maxBytes, countTotal, file, limit, declared))
        return false;
    // The buffer is sized from the header, so that each entry takes only its own size. Should the
    // data run on past that size, it grows in chunks while the limit is checked on the bytes
    // actually inflated.
    bytes.resize(int(qMin(declared, limit)));
    qint64 size = 0;
    for (;;) {
        if (size == bytes.size()) {
            char probe;
            const qint64 more = file.read(&probe, 1);
            if (more <= 0) {
                if (more < 0) {
                    bytes.clear();
                    m_error = tr("%1 is damaged.").arg(path);
                    return false;
                }
                break;
            }
            if (size + 1 > limit) {
                bytes.clear();
                m_error = tr("%1 is larger than allowed.").arg(path);
                return false;
            }
            bytes.resize(int(qMin(limit, size + qMax(sChunkSize, size / 2))));
            bytes[int(size++)] = probe;
            continue;
        }
        const qint64 got = file.read(bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            bytes.clear();
            m_error = tr("%1 is damaged.").arg(path);
            return false;
        }
        if (got == 0)
            break;
        size += got;
    }
    bytes.resize(int(size));
    file.close();
    if (file.getZipError() != UNZ_OK) {
        bytes.clear();
        m_error = tr("%1 is damaged (checksum error).").arg(path);
        return false;
    }
    if (countTotal)
        m_totalRead += size;
    return true;
}

} // namespace BCFLib
