#include "MarkupReader.h"

#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "SafeIdentifier.h"
#include "Utility/NewId.h"
#include "XmlInput.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace BCFLib {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BCFLib::MarkupReader", text);
}

QString guidAttribute(const QXmlStreamReader& xml)
{
    return xml.attributes().value(QLatin1String("Guid")).toString().trimmed();
}

// The Guid of the markup's Topic element, or empty.
QString findTopicGuid(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    QString error;
    if (!XmlInput::startDocument(xml, error))
        return QString();
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Topic"))
            return guidAttribute(xml);
        xml.skipCurrentElement();
    }
    return QString();
}

void readFile(QXmlStreamReader& xml, File* file)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    file->setIfcProject(attributes.value(QLatin1String("IfcProject")).toString());
    file->setIfcSpatialStructureElement(attributes.value(QLatin1String("IfcSpatialStructureElement")).toString());
    file->setIsExternal(XmlInput::boolAttribute(xml, QStringLiteral("isExternal"), true));
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Filename"))
            file->setFileName(XmlInput::text(xml));
        else if (name == QLatin1String("Date"))
            file->setDate(IsoDateTime::parse(XmlInput::text(xml)));
        else if (name == QLatin1String("Reference"))
            file->setReference(XmlInput::text(xml));
        else
            xml.skipCurrentElement();
    }
}

void readHeader(QXmlStreamReader& xml, Topic* topic)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("File"))
            readFile(xml, topic->addFile());
        else
            xml.skipCurrentElement();
    }
}

void readBimSnippet(QXmlStreamReader& xml, BimSnippet* snippet)
{
    snippet->setSnippetType(xml.attributes().value(QLatin1String("SnippetType")).toString());
    snippet->setIsExternal(XmlInput::boolAttribute(xml, QStringLiteral("isExternal"), false));
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Reference"))
            snippet->setReference(XmlInput::text(xml));
        else if (name == QLatin1String("ReferenceSchema"))
            snippet->setReferenceSchema(XmlInput::text(xml));
        else
            xml.skipCurrentElement();
    }
}

void readDocumentReference(QXmlStreamReader& xml, DocumentReference* document)
{
    document->setIsExternal(XmlInput::boolAttribute(xml, QStringLiteral("isExternal"), false));
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("ReferencedDocument"))
            document->setReferencedDocument(XmlInput::text(xml));
        else if (name == QLatin1String("Description"))
            document->setDescription(XmlInput::text(xml, false));
        else
            xml.skipCurrentElement();
    }
}

void readTopic(QXmlStreamReader& xml, Topic* topic)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    topic->setTopicType(attributes.value(QLatin1String("TopicType")).toString());
    topic->setTopicStatus(attributes.value(QLatin1String("TopicStatus")).toString());
    QStringList referenceLinks;
    QStringList labels;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("ReferenceLink")) {
            referenceLinks.append(XmlInput::text(xml));
        } else if (name == QLatin1String("Title")) {
            topic->setTitle(XmlInput::text(xml, false));
        } else if (name == QLatin1String("Priority")) {
            topic->setPriority(XmlInput::text(xml));
        } else if (name == QLatin1String("Index")) {
            bool ok = false;
            const int index = XmlInput::text(xml).toInt(&ok);
            topic->setIndex(ok ? index : -1);
        } else if (name == QLatin1String("Labels")) {
            labels.append(XmlInput::text(xml));
        } else if (name == QLatin1String("CreationDate")) {
            topic->setCreationDate(IsoDateTime::parse(XmlInput::text(xml)));
        } else if (name == QLatin1String("CreationAuthor")) {
            topic->setCreationAuthor(XmlInput::text(xml));
        } else if (name == QLatin1String("ModifiedDate")) {
            topic->setModifiedDate(IsoDateTime::parse(XmlInput::text(xml)));
        } else if (name == QLatin1String("ModifiedAuthor")) {
            topic->setModifiedAuthor(XmlInput::text(xml));
        } else if (name == QLatin1String("DueDate")) {
            topic->setDueDate(IsoDateTime::parse(XmlInput::text(xml)));
        } else if (name == QLatin1String("AssignedTo")) {
            topic->setAssignedTo(XmlInput::text(xml));
        } else if (name == QLatin1String("Stage")) {
            topic->setStage(XmlInput::text(xml));
        } else if (name == QLatin1String("Description")) {
            topic->setDescription(XmlInput::text(xml, false));
        } else if (name == QLatin1String("BimSnippet")) {
            readBimSnippet(xml, topic->addBimSnippet());
        } else if (name == QLatin1String("DocumentReference") || name == QLatin1String("DocumentReferences")) {
            readDocumentReference(xml, topic->addDocumentReference(guidAttribute(xml)));
        } else if (name == QLatin1String("RelatedTopic") || name == QLatin1String("RelatedTopics")) {
            const QString guid = guidAttribute(xml);
            if (!guid.isEmpty())
                topic->addRelatedTopic(guid);
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    topic->setReferenceLinks(referenceLinks);
    topic->setLabels(labels);
}

} // namespace

std::unique_ptr<Topic> MarkupReader::read(const QByteArray& bytes, const QString& fallbackGuid)
{
    m_error.clear();
    m_warnings.clear();

    QString guid = findTopicGuid(bytes);
    if (guid.isEmpty())
        guid = fallbackGuid;
    if (!isSafeIdentifier(guid)) {
        m_error = guid.isEmpty() ? tr("the topic has no guid") : tr("the topic guid is not a plain identifier");
        return nullptr;
    }

    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return nullptr;
    if (xml.name() != QLatin1String("Markup")) {
        m_error = tr("the markup has no Markup element");
        return nullptr;
    }

    auto topic = std::make_unique<Topic>(guid);
    bool hasTopic = false;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Header")) {
            readHeader(xml, topic.get());
        } else if (name == QLatin1String("Topic")) {
            if (hasTopic) {
                m_warnings.append(tr("a second Topic element was ignored"));
                xml.skipCurrentElement();
                continue;
            }
            hasTopic = true;
            readTopic(xml, topic.get());
        } else if (name == QLatin1String("Comment")) {
            readComment(xml, topic.get());
        } else if (name == QLatin1String("Viewpoints")) {
            readViewpoint(xml, topic.get());
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return nullptr;
    }
    if (!hasTopic) {
        m_error = tr("the markup has no Topic element");
        return nullptr;
    }
    return topic;
}

void MarkupReader::readComment(QXmlStreamReader& xml, Topic* topic)
{
    QString guid = guidAttribute(xml);
    if (guid.isEmpty())
        guid = Vexamo::NewId();
    if (!isSafeIdentifier(guid) || topic->comment(guid)) {
        m_warnings.append(isSafeIdentifier(guid) ? tr("a comment with a repeated guid was skipped")
                                                 : tr("a comment whose guid is not a plain identifier was skipped"));
        xml.skipCurrentElement();
        return;
    }
    Comment* comment = topic->addComment(guid);
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Date"))
            comment->setDate(IsoDateTime::parse(XmlInput::text(xml)));
        else if (name == QLatin1String("Author"))
            comment->setAuthor(XmlInput::text(xml));
        else if (name == QLatin1String("Comment"))
            comment->setText(XmlInput::text(xml, false));
        else if (name == QLatin1String("Viewpoint")) {
            comment->setViewpointGuid(guidAttribute(xml));
            xml.skipCurrentElement();
        } else if (name == QLatin1String("ModifiedDate"))
            comment->setModifiedDate(IsoDateTime::parse(XmlInput::text(xml)));
        else if (name == QLatin1String("ModifiedAuthor"))
            comment->setModifiedAuthor(XmlInput::text(xml));
        else if (name == QLatin1String("Status"))
            comment->setStatus(XmlInput::text(xml));
        else if (name == QLatin1String("VerbalStatus"))
            comment->setVerbalStatus(XmlInput::text(xml));
        else if (name == QLatin1String("ReplyToComment")) {
            comment->setReplyToCommentGuid(guidAttribute(xml));
            xml.skipCurrentElement();
        } else
            xml.skipCurrentElement();
    }
}

void MarkupReader::readViewpoint(QXmlStreamReader& xml, Topic* topic)
{
    const QString guid = guidAttribute(xml);
    if (!isSafeIdentifier(guid) || topic->viewpoint(guid)) {
        m_warnings.append(guid.isEmpty() ? tr("a viewpoint without guid was skipped")
                          : isSafeIdentifier(guid) ? tr("a viewpoint with a repeated guid was skipped")
                                                   : tr("a viewpoint whose guid is not a plain identifier was skipped"));
        xml.skipCurrentElement();
        return;
    }
    Viewpoint* viewpoint = topic->addViewpoint(guid);
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Viewpoint")) {
            viewpoint->setViewpointFile(XmlInput::text(xml));
        } else if (name == QLatin1String("Snapshot")) {
            viewpoint->setSnapshotFile(XmlInput::text(xml));
        } else if (name == QLatin1String("Index")) {
            bool ok = false;
            const int index = XmlInput::text(xml).toInt(&ok);
            viewpoint->setIndex(ok ? index : -1);
        } else {
            xml.skipCurrentElement();
        }
    }
}

} // namespace BCFLib
