#include "DocumentInfoWriter.h"

#include "BCFLib/Project.h"
#include "XmlOutput.h"

#include <QXmlStreamWriter>

namespace BCFLib {

using namespace XmlOutput;

namespace {
const QLatin1String sVersionId("2.1");
} // namespace

QByteArray DocumentInfoWriter::writeVersion(const QString& detailedVersion) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("Version"));
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

} // namespace BCFLib
