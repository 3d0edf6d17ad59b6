#include "ArchiveEntries.h"

#include <QStringList>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

QList<ArchiveEntry> readArchive(const QString& path, bool* ok)
{
    QList<ArchiveEntry> entries;
    *ok = false;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return entries;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info))
            return entries;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return entries;
        ArchiveEntry entry;
        entry.name = info.name;
        entry.data = file.readAll();
        entry.unixMode = (info.externalAttr >> 16) & 07777;
        entry.method = info.method;
        entry.flags = info.flags;
        file.close();
        if (file.getZipError() != UNZ_OK) // checksum mismatch shows up here
            return entries;
        entries.append(entry);
    }
    *ok = zip.getZipError() == UNZ_OK;
    return entries;
}

QStringList entryNames(const QList<ArchiveEntry>& entries)
{
    QStringList names;
    for (const ArchiveEntry& entry : entries)
        names.append(entry.name);
    return names;
}
