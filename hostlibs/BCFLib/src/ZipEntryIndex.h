#pragma once

#include "BCFLib/ReadLimits.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <quazip/quazip.h>
#include <quazip/unzip.h>

class QIODevice;
class QuaZipFile;

namespace BCFLib {

// Reads entries of an untrusted zip archive by path. Opening lists the archive once: entry names
// are normalised ("\" becomes "/", "./" parts dropped); names that are absolute or climb out of the
// archive ("..") are left out and reported, as are directory entries and macOS resource junk
// ("__MACOSX/", "._*"). Reading inflates in chunks and stops at the per-entry and total limits, so a
// header that lies about the size cannot make it use more memory.
class ZipEntryIndex
{
public:
    explicit ZipEntryIndex(const ReadLimits& limits = ReadLimits());
    ~ZipEntryIndex();
    ZipEntryIndex(const ZipEntryIndex&) = delete;
    ZipEntryIndex& operator=(const ZipEntryIndex&) = delete;

    // False with errorString() when the archive cannot be opened or listed.
    bool open(const QString& fileName);
    bool open(QIODevice* device);

    QString errorString() const { return m_error; }
    // Names that were left out as unsafe.
    QStringList rejectedNames() const { return m_rejected; }
    // Normalised paths of the usable file entries, in archive order.
    QStringList paths() const { return m_paths; }

    // The stored path that matches path exactly, or else case-insensitively; empty when none.
    QString find(const QString& path) const;
    bool contains(const QString& path) const { return !find(path).isEmpty(); }

    // Reads the entry at path (as find() resolves it) into bytes, at most maxBytes. False with
    // errorString() when it is missing, too large, corrupt, or the total limit is reached.
    // countTotal false reads an entry again that counted once already (a deferred image).
    bool read(const QString& path, qint64 maxBytes, QByteArray& bytes, bool countTotal = true);
    // Reads the entry through as read() does (limits, checksum) but keeps only its first headSize
    // bytes in head and its size in size: checks an image without holding it.
    bool scan(const QString& path, qint64 maxBytes, int headSize, QByteArray& head, qint64& size);
    qint64 totalBytesRead() const { return m_totalRead; }

    // Joins a relative reference to a folder of the archive and resolves "." and ".." within the
    // archive; empty when the reference is absolute, a URL, or leaves the archive.
    static QString resolve(const QString& folder, const QString& reference);
    // The normalised form of an entry name, or empty when it is unsafe.
    static QString normalise(const QString& name);
    // True for the resource entries macOS adds to archives ("__MACOSX/...", "._name"): not part of
    // the document, and skipped by every reader of it.
    static bool isPlatformJunk(const QString& name);

private:
    bool list();
    bool openEntry(const QString& path, qint64 maxBytes, bool countTotal, QuaZipFile& file, qint64& limit,
                   qint64& declared);

    ReadLimits m_limits;
    QuaZip m_zip;
    QString m_error;
    QStringList m_rejected;
    QStringList m_paths;
    QHash<QString, unz64_file_pos> m_positions; // by exact normalised path
    QHash<QString, QString> m_byLowerPath;      // lower-case path -> first stored path
    qint64 m_totalRead = 0;
};

} // namespace BCFLib
