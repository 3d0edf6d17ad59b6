#include "DocumentInfoReader.h"

#include "XmlInput.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace BCFLib {

bool DocumentInfoReader::readVersion(const QByteArray& bytes, Version& version)
{
    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return false;
    if (xml.name() != QLatin1String("Version")) {
        m_error = QCoreApplication::translate("BCFLib::DocumentInfoReader", "bcf.version has no Version element");
        return false;
    }
    version.setVersionId(xml.attributes().value(QLatin1String("VersionId")).toString().trimmed());
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("DetailedVersion"))
            version.setDetailedVersion(XmlInput::text(xml));
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return false;
    }
    return true;
}

bool DocumentInfoReader::readProject(const QByteArray& bytes, ProjectInfo& project)
{
    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return false;
    if (xml.name() != QLatin1String("ProjectExtension")) {
        m_error = QCoreApplication::translate("BCFLib::DocumentInfoReader", "project.bcfp has no ProjectExtension element");
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Project")) {
            project.hasProject = true;
            project.projectId = xml.attributes().value(QLatin1String("ProjectId")).toString().trimmed();
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("Name"))
                    project.name = XmlInput::text(xml, false);
                else
                    xml.skipCurrentElement();
            }
        } else if (xml.name() == QLatin1String("ExtensionSchema")) {
            project.extensionSchema = XmlInput::text(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return false;
    }
    return true;
}

} // namespace BCFLib
