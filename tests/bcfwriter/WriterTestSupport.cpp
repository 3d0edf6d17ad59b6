#include "WriterTestSupport.h"

#include "BCFTestSupport/TestMain.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#ifndef BCF_XMLLINT
#define BCF_XMLLINT ""
#endif

namespace WriterTest {

ArchiveContent readArchive(const QString& fileName)
{
    ArchiveContent content;
    QuaZip zip(fileName);
    if (!zip.open(QuaZip::mdUnzip))
        return content;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        zip.getCurrentFileInfo(&info);
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return content;
        EntryInfo entry;
        entry.data = file.readAll();
        entry.method = info.method;
        file.close();
        if (file.getZipError() != UNZ_OK)
            return content;
        content.names.append(info.name);
        content.entries.insert(info.name, entry);
    }
    content.ok = zip.getZipError() == UNZ_OK;
    return content;
}

namespace {

QString schemaFor(const QString& name)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QLatin1String(".bcfv")))
        return QStringLiteral("visinfo.xsd");
    if (lower.endsWith(QLatin1String("/markup.bcf")))
        return QStringLiteral("markup.xsd");
    if (lower == QLatin1String("bcf.version"))
        return QStringLiteral("version.xsd");
    if (lower == QLatin1String("project.bcfp"))
        return QStringLiteral("project.xsd");
    return QString();
}

QString xmllintProgram()
{
    const QString configured = QStringLiteral(BCF_XMLLINT);
    if (!configured.isEmpty() && QFileInfo(configured).isExecutable())
        return configured;
    return QStandardPaths::findExecutable(QStringLiteral("xmllint"));
}

} // namespace

QString validateArchive(const QString& fileName)
{
    const QString xmllint = xmllintProgram();
    if (xmllint.isEmpty())
        return QStringLiteral("xmllint was not found; it is needed to validate the written files");
    const ArchiveContent content = readArchive(fileName);
    if (!content.ok)
        return QStringLiteral("the archive cannot be read: %1").arg(fileName);

    QTemporaryDir dir;
    QMap<QString, QStringList> filesBySchema;
    int counter = 0;
    for (const QString& name : content.names) {
        const QString schema = schemaFor(name);
        if (schema.isEmpty())
            continue;
        // Flat copies: the validation must not depend on the archive's paths being safe.
        const QString copy = dir.filePath(QStringLiteral("%1-%2").arg(counter++).arg(name.section('/', -1)));
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly) || file.write(content.entries.value(name).data) < 0)
            return QStringLiteral("cannot copy %1 for validation").arg(name);
        filesBySchema[schema].append(copy);
    }
    if (!filesBySchema.contains(QStringLiteral("version.xsd")))
        return QStringLiteral("the archive has no bcf.version");

    QString report;
    for (auto it = filesBySchema.constBegin(); it != filesBySchema.constEnd(); ++it) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        QStringList arguments{QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"),
                              BCFTest::bcfSharedFile(QStringLiteral("schemas/2.1/") + it.key())};
        arguments.append(it.value());
        process.start(xmllint, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return QStringLiteral("xmllint did not finish");
        if (process.exitCode() != 0)
            report += QString::fromLocal8Bit(process.readAll());
    }
    return report;
}

bool isSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || (name.size() > 1 && name.at(1) == QLatin1Char(':')))
        return false;
    QStringList parts = name.split(QLatin1Char('/'));
    if (name.endsWith(QLatin1Char('/')))
        parts.removeLast();
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

} // namespace WriterTest
