#include "FileCommands.h"

#include "Console.h"
#include "DocumentWriter.h"
#include "ExitCode.h"
#include "LoadedDocument.h"
#include "RecordJson.h"
#include "TopicFormatter.h"

#include "BCFapi/BCFFileApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFLib/BCFModel.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace BCFTool {

using namespace Vexamo;

bool FileCommands::load(const QString& path, LoadedDocument& document)
{
    document = LoadedDocument::read(path);
    if (document.isUsable())
        return true;
    Console::error(Console::printable(document.title()) + QLatin1String(": ")
                   + Console::printable(document.message(), true));
    return false;
}

int FileCommands::info(const QString& path, bool json)
{
    LoadedDocument document;
    if (!load(path, document))
        return UnreadableFile;
    if (json)
        printJson(path, document);
    else
        printText(path, document);
    return Success;
}

void FileCommands::printText(const QString& path, const LoadedDocument& document)
{
    BCFFileApi api(document.model(), nullptr);
    Console::out(QStringLiteral("File:     %1").arg(Console::printable(path)));
    Console::out(QStringLiteral("Version:  %1").arg(Console::printable(api.version())));

    const QVariantList projects = api.getProject();
    if (projects.isEmpty()) {
        Console::out(QStringLiteral("Project:  -"));
    } else {
        const QVariantMap project = projects.first().toMap();
        const QString projectId = project.value(BCFKeys::ProjectId).toString();
        Console::out(QStringLiteral("Project:  %1 (%2)")
                         .arg(Console::printable(api.getSingleProject(projectId)), Console::printable(projectId)));
    }

    if (document.message().isEmpty()) {
        Console::out(QStringLiteral("Validity: read completely"));
    } else {
        Console::out(QStringLiteral("Validity: %1").arg(Console::printable(document.title())));
        for (const QString& line : Console::printable(document.message(), true).split(QLatin1Char('\n')))
            Console::out(QStringLiteral("  ") + line);
    }

    const QVariantList topics = api.getTopic(QString());
    Console::out(QStringLiteral("Topics:   %1").arg(topics.size()));
    for (const QVariant& topic : topics)
        Console::out(QStringLiteral("  ") + TopicFormatter::summaryLine(api, topic.toMap()));
}

void FileCommands::printJson(const QString& path, const LoadedDocument& document)
{
    BCFFileApi api(document.model(), nullptr);
    QJsonObject root;
    root.insert(QStringLiteral("file"), QFileInfo(path).absoluteFilePath());
    root.insert(QStringLiteral("version"), api.version());
    const QVariantList projects = api.getProject();
    root.insert(QStringLiteral("project"),
                projects.isEmpty() ? QJsonValue() : RecordJson::fromVariant(projects.first()));
    QJsonObject validity;
    validity.insert(QStringLiteral("complete"), document.message().isEmpty());
    validity.insert(QStringLiteral("title"), document.title());
    validity.insert(QStringLiteral("message"), document.message());
    root.insert(QStringLiteral("validity"), validity);

    QJsonArray topics;
    const QVariantList records = api.getTopic(QString());
    for (const QVariant& topic : records)
        topics.append(RecordJson::topic(api, topic.toMap()));
    root.insert(QStringLiteral("topics"), topics);

    const QByteArray text = QJsonDocument(root).toJson(QJsonDocument::Indented);
    Console::out(QString::fromUtf8(text).trimmed());
}

int FileCommands::convert(const QString& input, const QString& output, const QString& version)
{
    LoadedDocument document;
    if (!load(input, document))
        return UnreadableFile;
    if (!document.message().isEmpty())
        Console::error(Console::printable(document.title()) + QLatin1String(": ")
                       + Console::printable(document.message(), true));

    BCFFileApi source(document.model(), nullptr);
    const bool written = version == QLatin1String("1.0")
        ? DocumentWriter::writeBCF1(source, output)
        : DocumentWriter::writeModelVersion(source, document.model().data(), output, version);
    if (!written) {
        Console::error(QStringLiteral("could not write %1").arg(Console::printable(output)));
        return NotCarriedOut;
    }
    Console::out(QStringLiteral("Wrote %1 (BCF %2, %3 topic(s))")
                     .arg(Console::printable(output), version)
                     .arg(source.getTopic(QString()).size()));
    return Success;
}

} // namespace BCFTool
