#include "BCFLib/ProjectExtensions.h"

#include "BCFLib/RecordKeys.h"
#include "XmlOutput.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace BCFLib {

namespace {

// The lists with their record key and the BCF 2.1 schema type that enumerates them (empty: the 2.1
// markup schema has no type for it, so an extension schema cannot restrict it).
struct ListInfo
{
    QStringList ProjectExtensions::*list;
    QLatin1String key;
    QLatin1String schemaType;
};

const ListInfo sLists[] = {
    {&ProjectExtensions::topicTypes, Keys::ExtensionTopicTypes, QLatin1String("TopicType")},
    {&ProjectExtensions::topicStatuses, Keys::ExtensionTopicStatuses, QLatin1String("TopicStatus")},
    {&ProjectExtensions::priorities, Keys::ExtensionPriorities, QLatin1String("Priority")},
    {&ProjectExtensions::topicLabels, Keys::ExtensionTopicLabels, QLatin1String("TopicLabel")},
    {&ProjectExtensions::users, Keys::ExtensionUsers, QLatin1String("UserIdType")},
    {&ProjectExtensions::snippetTypes, Keys::ExtensionSnippetTypes, QLatin1String("")},
    {&ProjectExtensions::stages, Keys::ExtensionStages, QLatin1String("Stage")},
};

} // namespace

bool ProjectExtensions::isEmpty() const
{
    for (const ListInfo& info : sLists) {
        if (!(this->*info.list).isEmpty())
            return false;
    }
    return true;
}

void ProjectExtensions::unite(const ProjectExtensions& other)
{
    for (const ListInfo& info : sLists) {
        QStringList& mine = this->*info.list;
        for (const QString& value : other.*info.list) {
            if (!value.trimmed().isEmpty() && !mine.contains(value))
                mine.append(value);
        }
    }
}

QVariantMap ProjectExtensions::toQVariant() const
{
    QVariantMap record;
    for (const ListInfo& info : sLists) {
        if (!(this->*info.list).isEmpty())
            record.insert(info.key, this->*info.list);
    }
    return record;
}

ProjectExtensions ProjectExtensions::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    ProjectExtensions extensions;
    for (const ListInfo& info : sLists)
        extensions.*info.list = map.value(info.key).toStringList();
    return extensions;
}

ProjectExtensions ProjectExtensions::fromExtensionSchema(const QByteArray& xsd)
{
    ProjectExtensions extensions;
    QXmlStreamReader xml(xsd);
    QStringList* current = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD())
            return ProjectExtensions(); // never expand entities of an untrusted file
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("simpleType")) {
            current = nullptr;
            const QStringRef type = xml.attributes().value(QLatin1String("name"));
            for (const ListInfo& info : sLists) {
                if (type == info.schemaType || (info.key == Keys::ExtensionSnippetTypes && type == QLatin1String("SnippetType")))
                    current = &(extensions.*info.list);
            }
        } else if (current && xml.name() == QLatin1String("enumeration")) {
            const QString value = xml.attributes().value(QLatin1String("value")).toString();
            if (!value.trimmed().isEmpty() && !current->contains(value))
                current->append(value);
        }
    }
    return extensions;
}

QByteArray ProjectExtensions::toExtensionSchema() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    XmlOutput::startDocument(xml);
    const QString xs = QStringLiteral("http://www.w3.org/2001/XMLSchema");
    xml.writeNamespace(xs, QStringLiteral("xs"));
    xml.writeStartElement(xs, QStringLiteral("schema"));
    xml.writeStartElement(xs, QStringLiteral("redefine"));
    xml.writeAttribute(QStringLiteral("schemaLocation"), QStringLiteral("markup.xsd"));
    for (const ListInfo& info : sLists) {
        if (info.schemaType.size() == 0 || (this->*info.list).isEmpty())
            continue;
        xml.writeStartElement(xs, QStringLiteral("simpleType"));
        xml.writeAttribute(QStringLiteral("name"), info.schemaType);
        xml.writeStartElement(xs, QStringLiteral("restriction"));
        xml.writeAttribute(QStringLiteral("base"), info.schemaType);
        for (const QString& value : this->*info.list) {
            xml.writeEmptyElement(xs, QStringLiteral("enumeration"));
            xml.writeAttribute(QStringLiteral("value"), XmlOutput::cleanText(value));
        }
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace BCFLib
