#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>

namespace WriterTest {

struct EntryInfo
{
    QByteArray data;
    int method = -1; // 0 stored, 8 deflated
};
// Every entry of a zip archive by name; names keeps the archive's order.
struct ArchiveContent
{
    QStringList names;
    QMap<QString, EntryInfo> entries;
    bool ok = false;
};
ArchiveContent readArchive(const QString& fileName);

// Validates every XML file of the archive with xmllint against the BCF 2.1 schemas (markup.bcf,
// *.bcfv, bcf.version, project.bcfp). Returns an empty string when all validate, else xmllint's
// report (also when xmllint is missing or the archive has no bcf.version).
QString validateArchive(const QString& fileName);

// A plain relative path: no "..", ".", empty parts, backslashes or drive letters.
bool isSafeEntryName(const QString& name);

} // namespace WriterTest
