#include "BCFTestSupport/SchemaValidator.h"

#include "BCFTestSupport/TestMain.h"
#include "BCFTestSupport/ZipEntries.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

namespace BCFTest {

namespace {

const QString sMarker = QStringLiteral("Schemas validity error : ");

QString schemaFileFor(const QString& entryName)
{
    const QString name = entryName.section(QLatin1Char('/'), -1).toLower();
    if (name == QLatin1String("markup.bcf"))
        return QStringLiteral("markup.xsd");
    if (name.endsWith(QLatin1String(".bcfv")))
        return QStringLiteral("visinfo.xsd");
    if (entryName.contains(QLatin1Char('/')))
        return QString();
    if (name == QLatin1String("bcf.version"))
        return QStringLiteral("version.xsd");
    if (name == QLatin1String("project.bcfp"))
        return QStringLiteral("project.xsd");
    if (name == QLatin1String("extensions.xml"))
        return QStringLiteral("extensions.xsd");
    if (name == QLatin1String("documents.xml"))
        return QStringLiteral("documents.xsd");
    return QString();
}

// The folder of the schemas of a version; for 2.1 a copy with FieldOfView widened to (0, 180).
QString schemaFolder(const QString& version)
{
    const QString shared = bcfSharedFile(QStringLiteral("schemas/") + version);
    if (version != QLatin1String("2.1"))
        return shared;
    static QTemporaryDir widened;
    static bool made = false;
    if (!made) {
        for (const QString& name : QDir(shared).entryList({QStringLiteral("*.xsd")}, QDir::Files)) {
            QFile in(QDir(shared).filePath(name));
            QFile out(widened.filePath(name));
            if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
                return QString();
            QByteArray text = in.readAll();
            if (name == QLatin1String("visinfo.xsd"))
                text.replace("<xs:minInclusive value=\"45\"/>", "<xs:minExclusive value=\"0\"/>")
                    .replace("<xs:maxInclusive value=\"60\"/>", "<xs:maxExclusive value=\"180\"/>");
            out.write(text);
        }
        made = true;
    }
    return widened.path();
}

// Runs xmllint on files against schema; the error lines, each "<file>: <message>".
QStringList runXmllint(const QString& schema, const QStringList& files, bool* ran)
{
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  QStringList{QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"), schema} + files);
    *ran = xmllint.waitForStarted() && xmllint.waitForFinished(120000) && xmllint.exitStatus() == QProcess::NormalExit;
    QStringList errors;
    if (!*ran)
        return errors;
    const QStringList lines = QString::fromLocal8Bit(xmllint.readAllStandardError()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.endsWith(QLatin1String(" validates"))
            || line.endsWith(QLatin1String(" fails to validate")))
            continue;
        const int at = line.indexOf(sMarker);
        const QString file = line.section(QLatin1Char(':'), 0, 0);
        errors.append(file + QLatin1String(": ") + (at >= 0 ? line.mid(at + sMarker.size()) : line));
    }
    if (xmllint.exitCode() != 0 && errors.isEmpty())
        errors.append(QStringLiteral("xmllint exited with code %1").arg(xmllint.exitCode()));
    return errors;
}

} // namespace

QStringList bcfSchemaErrors(const QString& archivePath, const QString& version, int* documents)
{
    bool ok = false;
    const QList<ZipEntry> entries = readZipEntries(archivePath, &ok);
    if (!ok)
        return {QStringLiteral("%1: not a readable zip archive").arg(archivePath)};
    const QString folder = schemaFolder(version);
    QTemporaryDir dir;
    QMap<QString, QStringList> filesBySchema;
    QMap<QString, QString> entryOfFile;
    for (const ZipEntry& entry : entries) {
        const QString schema = QDir(folder).filePath(schemaFileFor(entry.name));
        if (schemaFileFor(entry.name).isEmpty() || !QFile::exists(schema))
            continue;
        // Flat copies: the validation must not depend on the archive's paths being safe.
        const QString copy = dir.filePath(QString::number(entryOfFile.size()));
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly) || file.write(entry.data) != entry.data.size())
            return {QStringLiteral("cannot copy %1 for validation").arg(entry.name)};
        filesBySchema[schema].append(copy);
        entryOfFile.insert(copy, entry.name);
    }
    QStringList errors;
    for (auto it = filesBySchema.constBegin(); it != filesBySchema.constEnd(); ++it) {
        bool ran = false;
        for (const QString& error : runXmllint(it.key(), it.value(), &ran)) {
            const QString file = error.section(QStringLiteral(": "), 0, 0);
            errors.append(entryOfFile.value(file, file) + QLatin1String(": ") + error.section(QStringLiteral(": "), 1));
        }
        if (!ran)
            return {QStringLiteral("xmllint could not be run (is it installed?)")};
    }
    if (documents)
        *documents = entryOfFile.size();
    return errors;
}

QStringList xmlSchemaErrors(const QByteArray& xml, const QString& schemaPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("document.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        return {QStringLiteral("cannot write the document for validation")};
    file.close();
    bool ran = false;
    QStringList errors;
    for (const QString& error : runXmllint(schemaPath, {path}, &ran))
        errors.append(error.section(QStringLiteral(": "), 1));
    if (!ran)
        return {QStringLiteral("xmllint could not be run (is it installed?)")};
    return errors;
}

} // namespace BCFTest
