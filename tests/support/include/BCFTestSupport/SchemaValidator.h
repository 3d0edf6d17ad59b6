#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace BCFTest {

// Validates the XML files of a BCF archive with xmllint against the schemas of one BCF version
// ("2.0", "2.1" or "3.0") under bcfSharedDir(): markup.bcf, *.bcfv, bcf.version, project.bcfp,
// extensions.xml and documents.xml, each where that version has a schema for it. The 2.1 schemas
// are used with one change, made in a temporary copy: FieldOfView may lie in (0, 180), since the
// schema's own annotation drops its 45..60 limit.
//
// Returns one line per error, "<entry name>: <message>"; an unreadable archive or a missing
// xmllint is an error too. documents, when given, counts the validated files.
QStringList bcfSchemaErrors(const QString& archivePath, const QString& version, int* documents = nullptr);

// The errors of one document against one schema file ("Element 'X': ..."); an error line when
// xmllint cannot be run.
QStringList xmlSchemaErrors(const QByteArray& xml, const QString& schemaPath);

} // namespace BCFTest
