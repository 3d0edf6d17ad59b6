#include "SchemaValidation.h"

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
        if (line.trimmed().isEmpty() || line.endsWith(QLatin1String(" validates")))
            continue;
        if (line.endsWith(QLatin1String(" fails to validate")))
            continue;
        const int at = line.indexOf(marker);
        report.errors.append(at >= 0 ? line.mid(at + marker.size()) : line);
    }
    // A non-zero exit without a message still is a failure.
    if (xmllint.exitCode() != 0 && report.errors.isEmpty())
        report.errors.append(QStringLiteral("xmllint exited with code %1").arg(xmllint.exitCode()));
    return report;
}

bool isLayoutDeparture(const QString& error)
{
    static const QStringList departures = {
        QStringLiteral("Element 'Header': Missing child element(s). Expected is ( File )."),
        QStringLiteral("Element 'Components': Missing child element(s). Expected is ( Component )."),
        QStringLiteral("Element 'Lines': Missing child element(s). Expected is ( Line )."),
    };
    return departures.contains(error);
}

QStringList withoutLayoutDepartures(const QStringList& errors)
{
    QStringList rest;
    for (const QString& error : errors) {
        if (!isLayoutDeparture(error))
            rest.append(error);
    }
    return rest;
}
