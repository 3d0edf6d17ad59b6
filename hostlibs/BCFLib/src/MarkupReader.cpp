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

// BCF 3.0 spells the flag "IsExternal", 2.x "isExternal".
bool isExternalAttribute(const QXmlStreamReader& xml, bool fallback)
{
    const QString name = xml.attributes().hasAttribute(QLatin1String("IsExternal")) ? QStringLiteral("IsExternal")
                                                                                    : QStringLiteral("isExternal");
    return XmlInput::boolAttribute(xml, name, fallback);
}

// The text of the current element and of its children named childName: "<Labels>a</Labels>" (2.x)
// and "<Labels><Label>a</Label><Label>b</Label></Labels>" (3.0) both give their values.
QStringList textOrChildTexts(QXmlStreamReader& xml, const QLatin1String& childName)
{
    QStringList values;
    QString own;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            own += xml.text();
        } else if (xml.isStartElement()) {
            if (xml.name() == childName)
                values.append(XmlInput::text(xml));
            else
                xml.skipCurrentElement();
        } else if (xml.isEndElement()) {
            break;
        }
    }
    own = own.trimmed();
    if (!own.isEmpty())
        values.prepend(own);
    return values;
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
    file->setId(attributes.value(QLatin1String("Id")).toString().trimmed());
    file->setIfcProject(attributes.value(QLatin1String("IfcProject")).toString());
    file->setIfcSpatialStructureElement(attributes.value(QLatin1String("IfcSpatialStructureElement")).toString());
    file->setIsExternal(isExternalAttribute(xml, true));
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
        else if (xml.name() == QLatin1String("Files"))
            readHeader(xml, topic);
        else
            xml.skipCurrentElement();
    }
}

void readBimSnippet(QXmlStreamReader& xml, BimSnippet* snippet)
{
    snippet->setSnippetType(xml.attributes().value(QLatin1String("SnippetType")).toString());
    snippet->setIsExternal(isExternalAttribute(xml, false));
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

// A document reference: BCF 2.x (ReferencedDocument, isExternal) or 3.0 (DocumentGuid or Url).
// The 3.0 wrapper DocumentReferences holds the references as DocumentReference children; BCF 2.0
// used DocumentReferences for the reference itself. Both are read here: nested references are
// added to the topic, and the element's own content makes a reference when there is any.
void readDocumentReference(QXmlStreamReader& xml, Topic* topic)
{
    const QString guid = guidAttribute(xml);
    const bool hasAttributes = !xml.attributes().isEmpty();
    DocumentReference own(guid);
    own.setIsExternal(isExternalAttribute(xml, false));
    bool hasContent = hasAttributes;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("DocumentReference")) {
            readDocumentReference(xml, topic);
            continue;
        }
        hasContent = true;
        if (name == QLatin1String("ReferencedDocument")) {
            own.setReferencedDocument(XmlInput::text(xml));
        } else if (name == QLatin1String("Description")) {
            own.setDescription(XmlInput::text(xml, false));
        } else if (name == QLatin1String("DocumentGuid")) {
            own.setDocumentGuid(XmlInput::text(xml));
            own.setIsExternal(false);
        } else if (name == QLatin1String("Url")) {
            own.setUrl(XmlInput::text(xml));
            own.setReferencedDocument(own.url());
            own.setIsExternal(true);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!hasContent)
        return;
    DocumentReference* document = topic->addDocumentReference(guid);
    document->fromQVariant(own.toQVariant());
}

void readRelatedTopics(QXmlStreamReader& xml, Topic* topic)
{
    const QString guid = guidAttribute(xml);
    if (!guid.isEmpty())
        topic->addRelatedTopic(guid);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("RelatedTopic"))
            readRelatedTopics(xml, topic);
        else
            xml.skipCurrentElement();
    }
}

} // namespace

void MarkupReader::readTopic(QXmlStreamReader& xml, Topic* topic)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    topic->setServerAssignedId(attributes.value(QLatin1String("ServerAssignedId")).toString().trimmed());
    topic->setTopicType(attributes.value(QLatin1String("TopicType")).toString());
    topic->setTopicStatus(attributes.value(QLatin1String("TopicStatus")).toString());
    QStringList referenceLinks;
    QStringList labels;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("ReferenceLink") || name == QLatin1String("ReferenceLinks")) {
            referenceLinks.append(textOrChildTexts(xml, QLatin1String("ReferenceLink")));
        } else if (name == QLatin1String("Title")) {
            topic->setTitle(XmlInput::text(xml, false));
        } else if (name == QLatin1String("Priority")) {
            topic->setPriority(XmlInput::text(xml));
        } else if (name == QLatin1String("Index")) {
            bool ok = false;
            const int index = XmlInput::text(xml).toInt(&ok);
            topic->setIndex(ok ? index : -1);
        } else if (name == QLatin1String("Labels")) {
            labels.append(textOrChildTexts(xml, QLatin1String("Label")));
        } else if (name == QLatin1String("CreationDate")) {
            topic->setCreationDate(date(XmlInput::text(xml)));
        } else if (name == QLatin1String("CreationAuthor")) {
            topic->setCreationAuthor(XmlInput::text(xml));
        } else if (name == QLatin1String("ModifiedDate")) {
            topic->setModifiedDate(date(XmlInput::text(xml)));
        } else if (name == QLatin1String("ModifiedAuthor")) {
            topic->setModifiedAuthor(XmlInput::text(xml));
        } else if (name == QLatin1String("DueDate")) {
            topic->setDueDate(date(XmlInput::text(xml)));
        } else if (name == QLatin1String("AssignedTo")) {
            topic->setAssignedTo(XmlInput::text(xml));
        } else if (name == QLatin1String("Stage")) {
            topic->setStage(XmlInput::text(xml));
        } else if (name == QLatin1String("Description")) {
            topic->setDescription(XmlInput::text(xml, false));
        } else if (name == QLatin1String("BimSnippet")) {
            readBimSnippet(xml, topic->addBimSnippet());
        } else if (name == QLatin1String("DocumentReference") || name == QLatin1String("DocumentReferences")) {
            readDocumentReference(xml, topic);
        } else if (name == QLatin1String("RelatedTopic") || name == QLatin1String("RelatedTopics")) {
            readRelatedTopics(xml, topic);
        } else if (name == QLatin1String("Comments")) {
            // BCF 3.0 nests comments and viewpoints in the topic.
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("Comment"))
                    readComment(xml, topic);
                else
                    xml.skipCurrentElement();
            }
        } else if (name == QLatin1String("Viewpoints")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("ViewPoint") || xml.name() == QLatin1String("Viewpoints"))
                    readViewpoint(xml, topic);
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    topic->setReferenceLinks(referenceLinks);
    topic->setLabels(labels);
}

QDateTime MarkupReader::date(const QString& text) const
{
    QDateTime value = IsoDateTime::parse(text);
    if (m_zonelessAsUtc && value.isValid() && value.timeSpec() == Qt::LocalTime)
        value.setTimeSpec(Qt::UTC);
    return value;
}

std::unique_ptr<Topic> MarkupReader::read(const QByteArray& bytes, const QString& fallbackGuid)
{
    m_error.clear();
    m_warnings.clear();
    m_hasViewpointEntries = false;

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
            m_hasViewpointEntries = true;
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
            comment->setDate(date(XmlInput::text(xml)));
        else if (name == QLatin1String("Author"))
            comment->setAuthor(XmlInput::text(xml));
        else if (name == QLatin1String("Comment"))
            comment->setText(XmlInput::text(xml, false));
        else if (name == QLatin1String("Viewpoint")) {
            comment->setViewpointGuid(guidAttribute(xml));
            xml.skipCurrentElement();
        } else if (name == QLatin1String("ModifiedDate"))
            comment->setModifiedDate(date(XmlInput::text(xml)));
        else if (name == QLatin1String("ModifiedAuthor"))
            comment->setModifiedAuthor(XmlInput::text(xml));
        else if (name == QLatin1String("Status"))
            comment->setStatus(XmlInput::text(xml));
        else if (name == QLatin1String("VerbalStatus"))
            comment->setVerbalStatus(XmlInput::text(xml));
        else if (name == QLatin1String("Topic"))
            xml.skipCurrentElement(); // BCF 1.0 names the comment's topic
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
    m_hasViewpointEntries = true;
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
