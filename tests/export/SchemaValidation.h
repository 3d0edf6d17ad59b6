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

// Whether error is one that the BCF 1.0 layout itself causes against the BCF 2.0 schemas, which
// require at least one child where the layout writes an empty container:
// a Header without File (a topic without model files), Components without Component (a component
// set without "selection"), Lines without Line (a "lines" list of empty entries only).
bool isLayoutDeparture(const QString& error);

// errors without the layout departures.
QStringList withoutLayoutDepartures(const QStringList& errors);
