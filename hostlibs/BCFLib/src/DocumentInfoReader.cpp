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
    // 2.x: ProjectExtension; 3.0: ProjectInfo (no extension schema).
    if (xml.name() != QLatin1String("ProjectExtension") && xml.name() != QLatin1String("ProjectInfo")) {
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

bool DocumentInfoReader::readExtensions(const QByteArray& bytes, ProjectExtensions& extensions)
{
    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return false;
    if (xml.name() != QLatin1String("Extensions")) {
        m_error = QCoreApplication::translate("BCFLib::DocumentInfoReader", "extensions.xml has no Extensions element");
        return false;
    }
    const struct
    {
        const char* list;
        const char* item;
        QStringList* values;
    } lists[] = {{"TopicTypes", "TopicType", &extensions.topicTypes},
                 {"TopicStatuses", "TopicStatus", &extensions.topicStatuses},
                 {"Priorities", "Priority", &extensions.priorities},
                 {"TopicLabels", "TopicLabel", &extensions.topicLabels},
                 {"Users", "User", &extensions.users},
                 {"SnippetTypes", "SnippetType", &extensions.snippetTypes},
                 {"Stages", "Stage", &extensions.stages}};
    while (xml.readNextStartElement()) {
        QStringList* values = nullptr;
        QLatin1String item("");
        for (const auto& list : lists) {
            if (xml.name() == QLatin1String(list.list)) {
                values = list.values;
                item = QLatin1String(list.item);
            }
        }
        if (!values) {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != item) {
                xml.skipCurrentElement();
                continue;
            }
            const QString value = XmlInput::text(xml);
            if (!value.isEmpty() && !values->contains(value))
                values->append(value);
        }
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return false;
    }
    return true;
}

bool DocumentInfoReader::readDocuments(const QByteArray& bytes, QList<Document>& documents)
{
    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return false;
    if (xml.name() != QLatin1String("DocumentInfo")) {
        m_error = QCoreApplication::translate("BCFLib::DocumentInfoReader", "documents.xml has no DocumentInfo element");
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Documents")) {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("Document")) {
                xml.skipCurrentElement();
                continue;
            }
            Document document;
            document.guid = xml.attributes().value(QLatin1String("Guid")).toString().trimmed();
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("Filename"))
                    document.fileName = XmlInput::text(xml);
                else if (xml.name() == QLatin1String("Description"))
                    document.description = XmlInput::text(xml, false);
                else
                    xml.skipCurrentElement();
            }
            if (!document.guid.isEmpty())
                documents.append(document);
        }
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return false;
    }
    return true;
}

} // namespace BCFLib
