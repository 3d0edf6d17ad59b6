#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The outcome of validating one XML document with xmllint against an XML schema.
struct SchemaReport
{
    bool ran = false;       // xmllint could be started and finished
    QStringList errors;     // one entry per error, "Element 'X': ..." for validity errors
};

// Runs "xmllint --noout --schema <schemaPath>" on xml.
SchemaReport validateWithXmllint(const QByteArray& xml, const QString& schemaPath);

// Validates every markup.bcf (markup.xsd) and viewpoint.bcfv (visinfo.xsd) of the BCF 1.0 archive
// at path against the BCF 2.0 schemas. Each error is "<entry name>: <message>"; an unreadable
// archive or a missing xmllint is an error too. documents counts the validated entries.
QStringList archiveSchemaErrors(const QString& path, int* documents = nullptr);

// errors without those that the BCF 1.0 layout itself causes against the BCF 2.0 schemas, which
// require at least one child where the layout writes an empty container: a Header without File
// (a topic without model files), Components without Component (a component set without
// "selection"), Lines without Line (a "lines" list of empty entries only).
QStringList withoutLayoutDepartures(const QStringList& errors);
