#pragma once

#include "BCFLib/BCFModel.h"
#include "BCFTestSupport/ZipEntries.h"

#include <QByteArray>
#include <QMap>
#include <QSharedPointer>
#include <QStringList>

namespace WriterTest {

// Every entry of a zip archive by name (read with BCFTest::readZipEntries); names keeps the
// archive's order.
struct ArchiveContent
{
    QStringList names;
    QMap<QString, BCFTest::ZipEntry> entries;
    bool ok = false;
};
ArchiveContent readArchive(const QString& fileName);

// The schema errors of every XML file of the archive against the schemas of version (see
// BCFTest::bcfSchemaErrors), one per line; empty when all validate, and when the shared schemas
// are missing outside CI (a fresh clone).
QString validateArchive(const QString& fileName, const QString& version = QStringLiteral("2.1"));

// Writes model to fileName in its version, validates the archive and reads it back; fails the
// test and gives null when the write fails, the archive does not validate, or the file does not
// read back without a loss.
QSharedPointer<BCFLib::BCFModel> writeValidated(BCFLib::BCFModel& model, const QString& fileName);

// A plain relative path: no "..", ".", empty parts, backslashes or drive letters.
bool isSafeEntryName(const QString& name);

} // namespace WriterTest
