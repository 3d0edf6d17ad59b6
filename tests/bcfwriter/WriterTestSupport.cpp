#include "WriterTestSupport.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/Project.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#ifndef BCF_SHARED_DIR_DEFAULT
#define BCF_SHARED_DIR_DEFAULT ""
#endif
#ifndef BCF_XMLLINT
#define BCF_XMLLINT ""
#endif

namespace WriterTest {

void prepareTestProcess()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

QString sharedDir()
{
    const QString fromEnvironment = qEnvironmentVariable("BCF_SHARED_DIR");
    return QDir::cleanPath(fromEnvironment.isEmpty() ? QStringLiteral(BCF_SHARED_DIR_DEFAULT) : fromEnvironment);
}

QStringList officialCases()
{
    QStringList cases;
    QDirIterator it(sharedDir() + QStringLiteral("/testcases/2.1"), {QStringLiteral("*.bcf")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        cases.append(it.next());
    cases.sort();
    return cases;
}

QSharedPointer<BCFLib::BCFModel> load(const QString& fileName)
{
    BCFLib::BCFLoadingWorker worker(fileName);
    worker.doLoad();
    return worker.model();
}

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
                              sharedDir() + QStringLiteral("/schemas/2.1/") + it.key()};
        arguments.append(it.value());
        process.start(xmllint, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return QStringLiteral("xmllint did not finish");
        if (process.exitCode() != 0)
            report += QString::fromLocal8Bit(process.readAll());
    }
    return report;
}

QVariantMap modelRecord(const BCFLib::BCFModel& model)
{
    QVariantMap record;
    record.insert(QStringLiteral("version"), model.version().versionId());
    if (model.project())
        record.insert(QStringLiteral("project"), model.project()->toQVariant());
    record.insert(QStringLiteral("extension_schema"), model.extensionSchema());
    record.insert(QStringLiteral("extension_schema_data"), model.extensionSchemaData());
    QVariantList topics;
    for (const BCFLib::Topic* topic : model.topics()) {
        QVariantMap topicRecord = topic->toQVariant().toMap();
        QVariantMap snapshots;
        for (const BCFLib::Viewpoint* viewpoint : topic->viewpoints()) {
            const QByteArray* snapshot = topic->snapshot(viewpoint->guid());
            snapshots.insert(viewpoint->guid().toLower(), snapshot ? *snapshot : QByteArray());
        }
        topicRecord.insert(QStringLiteral("snapshots"), snapshots);
        topics.append(topicRecord);
    }
    record.insert(QStringLiteral("topics"), topics);
    return record;
}

QString compareRecords(const QVariant& expected, const QVariant& actual, const QString& path)
{
    const auto describe = [](const QVariant& value) {
        const QString text = value.toString();
        return text.size() > 80 ? text.left(80) + QStringLiteral("...") : text;
    };
    if (expected.userType() == QMetaType::QVariantMap || actual.userType() == QMetaType::QVariantMap) {
        const QVariantMap a = expected.toMap();
        const QVariantMap b = actual.toMap();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        for (const QString& key : keys) {
            if (!a.contains(key) || !b.contains(key))
                return QStringLiteral("%1/%2: present only in the %3 record").arg(path, key,
                                                                                  a.contains(key) ? "expected" : "actual");
            const QString difference = compareRecords(a.value(key), b.value(key), path + QLatin1Char('/') + key);
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantList || actual.userType() == QMetaType::QVariantList) {
        const QVariantList a = expected.toList();
        const QVariantList b = actual.toList();
        if (a.size() != b.size())
            return QStringLiteral("%1: %2 entries expected, %3 found").arg(path).arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString difference = compareRecords(a.at(i), b.at(i), path + QStringLiteral("[%1]").arg(i));
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }
    if (path.endsWith(QLatin1String("date"))) {
        const QDateTime a = BCFLib::IsoDateTime::fromVariant(expected);
        const QDateTime b = BCFLib::IsoDateTime::fromVariant(actual);
        if (a.isValid() != b.isValid() || (a.isValid() && a.toMSecsSinceEpoch() != b.toMSecsSinceEpoch()))
            return QStringLiteral("%1: date %2 expected, %3 found").arg(path, expected.toString(), actual.toString());
        return QString();
    }
    if (expected != actual)
        return QStringLiteral("%1: \"%2\" expected, \"%3\" found").arg(path, describe(expected), describe(actual));
    return QString();
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
