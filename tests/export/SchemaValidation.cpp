#include "SchemaValidation.h"

#include "ArchiveEntries.h"

#include "BCFTestSupport/TestMain.h"

#include <QProcess>
#include <QTemporaryFile>

SchemaReport validateWithXmllint(const QByteArray& xml, const QString& schemaPath)
{
    SchemaReport report;
    QTemporaryFile document;
    if (!document.open() || document.write(xml) != xml.size() || !document.flush())
        return report;

    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--schema"), schemaPath, document.fileName()});
    if (!xmllint.waitForStarted() || !xmllint.waitForFinished(60000) || xmllint.exitStatus() != QProcess::NormalExit)
        return report;
    report.ran = true;

    const QString marker = QStringLiteral("Schemas validity error : ");
    const QStringList lines = QString::fromLocal8Bit(xmllint.readAllStandardError()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.endsWith(QLatin1String(" validates"))
            || line.endsWith(QLatin1String(" fails to validate")))
            continue;
        const int at = line.indexOf(marker);
        report.errors.append(at >= 0 ? line.mid(at + marker.size()) : line);
    }
    // A non-zero exit without a message still is a failure.
    if (xmllint.exitCode() != 0 && report.errors.isEmpty())
        report.errors.append(QStringLiteral("xmllint exited with code %1").arg(xmllint.exitCode()));
    return report;
}

QStringList archiveSchemaErrors(const QString& path, int* documents)
{
    bool ok = false;
    const QList<ArchiveEntry> entries = readArchive(path, &ok);
    if (!ok)
        return {QStringLiteral("%1: not a readable zip archive").arg(path)};
    QStringList errors;
    int validated = 0;
    for (const ArchiveEntry& entry : entries) {
        QString schema;
        if (entry.name.endsWith(QLatin1String("/markup.bcf")))
            schema = BCFTest::bcfSharedFile(QStringLiteral("schemas/2.0/markup.xsd"));
        else if (entry.name.endsWith(QLatin1String("/viewpoint.bcfv")))
            schema = BCFTest::bcfSharedFile(QStringLiteral("schemas/2.0/visinfo.xsd"));
        else
            continue;
        const SchemaReport report = validateWithXmllint(entry.data, schema);
        if (!report.ran)
            return {QStringLiteral("xmllint could not be run (is it installed?)")};
        ++validated;
        for (const QString& error : report.errors)
            errors.append(entry.name + QLatin1String(": ") + error);
    }
    if (documents)
        *documents = validated;
    return errors;
}

QStringList withoutLayoutDepartures(const QStringList& errors)
{
    static const QStringList departures = {
        QStringLiteral("Element 'Header': Missing child element(s). Expected is ( File )."),
        QStringLiteral("Element 'Components': Missing child element(s). Expected is ( Component )."),
        QStringLiteral("Element 'Lines': Missing child element(s). Expected is ( Line )."),
    };
    QStringList rest;
    for (const QString& error : errors) {
        if (!departures.contains(error.mid(error.indexOf(QLatin1String(": ")) + 2)))
            rest.append(error);
    }
    return rest;
}
