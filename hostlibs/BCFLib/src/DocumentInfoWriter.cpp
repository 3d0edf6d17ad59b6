#include "DocumentInfoWriter.h"

#include "BCFLib/Document.h"
#include "BCFLib/Project.h"
#include "BCFLib/ProjectExtensions.h"
#include "XmlOutput.h"

#include <QXmlStreamWriter>

namespace BCFLib {

using namespace XmlOutput;

namespace {
const QLatin1String sVersionId("2.1");
} // namespace

QByteArray DocumentInfoWriter::writeVersion(const QString& detailedVersion, bool version3) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("Version"));
    if (version3) {
        xml.writeAttribute(QStringLiteral("VersionId"), QStringLiteral("3.0"));
        xml.writeEndElement();
        xml.writeEndDocument();
        return bytes;
    }
    xml.writeAttribute(QStringLiteral("VersionId"), sVersionId);
    const QString detailed = detailedVersion.trimmed();
    writeText(xml, QStringLiteral("DetailedVersion"), detailed.startsWith(sVersionId) ? detailed : QString(sVersionId));
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray DocumentInfoWriter::writeProject(const Project* project, const QString& extensionSchema) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("ProjectExtension"));
    if (project) {
        xml.writeStartElement(QStringLiteral("Project"));
        xml.writeAttribute(QStringLiteral("ProjectId"), cleanText(project->guid()));
        writeOptionalText(xml, QStringLiteral("Name"), project->name());
        xml.writeEndElement();
    }
    writeText(xml, QStringLiteral("ExtensionSchema"), extensionSchema);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray DocumentInfoWriter::writeProjectInfo(const Project& project) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("ProjectInfo"));
    xml.writeStartElement(QStringLiteral("Project"));
    const QString id = cleanText(project.guid()).trimmed();
    xml.writeAttribute(QStringLiteral("ProjectId"), id.isEmpty() ? QStringLiteral("unknown") : id);
    if (!cleanText(project.name()).trimmed().isEmpty())
        writeText(xml, QStringLiteral("Name"), project.name());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray DocumentInfoWriter::writeExtensions(const ProjectExtensions& extensions) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("Extensions"));
    const struct
    {
        const QStringList& values;
        const char* list;
        const char* item;
    } lists[] = {{extensions.topicTypes, "TopicTypes", "TopicType"},
                 {extensions.topicStatuses, "TopicStatuses", "TopicStatus"},
                 {extensions.priorities, "Priorities", "Priority"},
                 {extensions.topicLabels, "TopicLabels", "TopicLabel"},
                 {extensions.users, "Users", "User"},
                 {extensions.snippetTypes, "SnippetTypes", "SnippetType"},
                 {extensions.stages, "Stages", "Stage"}};
    for (const auto& list : lists) {
        xml.writeStartElement(QLatin1String(list.list));
        for (const QString& value : list.values) {
            if (!cleanText(value).trimmed().isEmpty())
                writeText(xml, QLatin1String(list.item), value);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray DocumentInfoWriter::writeDocuments(const QList<Document>& documents) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("DocumentInfo"));
    xml.writeStartElement(QStringLiteral("Documents"));
    for (const Document& document : documents) {
        xml.writeStartElement(QStringLiteral("Document"));
        xml.writeAttribute(QStringLiteral("Guid"), document.guid);
        const bool blankName = cleanText(document.fileName).trimmed().isEmpty();
        writeText(xml, QStringLiteral("Filename"), blankName ? document.guid : document.fileName);
        if (!cleanText(document.description).trimmed().isEmpty())
            writeText(xml, QStringLiteral("Description"), document.description);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace BCFLib
