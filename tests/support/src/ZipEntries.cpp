#include "BCFTestSupport/ZipEntries.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>

namespace BCFTest {

QList<ZipEntry> readZipEntries(const QString& path, bool* ok)
{
    QList<ZipEntry> entries;
    bool dummy = false;
    bool& result = ok ? *ok : dummy;
    result = false;
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
        ZipEntry entry;
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
    result = zip.getZipError() == UNZ_OK;
    return entries;
}

QStringList zipEntryNames(const QList<ZipEntry>& entries)
{
    QStringList names;
    for (const ZipEntry& entry : entries)
        names.append(entry.name);
    return names;
}

const ZipEntry* findZipEntry(const QList<ZipEntry>& entries, const QString& name)
{
    for (const ZipEntry& entry : entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

} // namespace BCFTest
