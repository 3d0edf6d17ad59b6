#include "MarkupWriter.h"

#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "ConversionLog.h"
#include "TopicLayout.h"
#include "XmlOutput.h"

#include <QXmlStreamWriter>

namespace BCFLib {

using namespace XmlOutput;

const QDateTime MarkupWriter::sMissingDate(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
const QLatin1String MarkupWriter::sDefaultTopicType("Issue");
const QLatin1String MarkupWriter::sDefaultTopicStatus("Open");

namespace {
const QLatin1String sUntitled("Untitled");
const QLatin1String sUnknownAuthor("Unknown");
const QLatin1String sUnknown("unknown");

void writeRequiredDate(QXmlStreamWriter& xml, const QString& name, const QDateTime& date)
{
    const QString text = dateTimeText(date);
    xml.writeTextElement(name, text.isEmpty() ? dateTimeText(MarkupWriter::sMissingDate) : text);
}

void writeOptionalDate(QXmlStreamWriter& xml, const QString& name, const QDateTime& date)
{
    const QString text = dateTimeText(date);
    if (!text.isEmpty())
        xml.writeTextElement(name, text);
}

bool isBlank(const QString& text)
{
    return cleanText(text).trimmed().isEmpty();
}

} // namespace

MarkupWriter::MarkupWriter(bool version3, ConversionLog& log)
    : m_version3(version3)
    , m_log(log)
{
}

void MarkupWriter::writeRequired(QXmlStreamWriter& xml, const QString& name, const QString& text,
                                 const QString& placeholder, const QString& topic) const
{
    if (m_version3 && isBlank(text)) {
        m_log.add(QLatin1String(ConversionKind::RequiredText), topic);
        writeText(xml, name, placeholder);
        return;
    }
    writeText(xml, name, text);
}

void MarkupWriter::writeOptional(QXmlStreamWriter& xml, const QString& name, const QString& text) const
{
    if (m_version3 ? !isBlank(text) : !text.isEmpty())
        writeText(xml, name, text);
}

QByteArray MarkupWriter::write(const TopicLayout& layout) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("Markup"));

    const QList<File*> files = layout.topic().files();
    if (!files.isEmpty()) {
        xml.writeStartElement(QStringLiteral("Header"));
        if (m_version3)
            xml.writeStartElement(QStringLiteral("Files"));
        for (int i = 0; i < files.size(); ++i)
            writeFile(xml, *files.at(i), layout.fileReference(i), layout.topicGuid());
        if (m_version3)
            xml.writeEndElement();
        xml.writeEndElement();
    }
    writeTopic(xml, layout);
    if (!m_version3) {
        const QList<Comment*> comments = layout.topic().comments();
        for (int i = 0; i < comments.size(); ++i)
            writeComment(xml, layout, *comments.at(i), i);
        writeViewpoints(xml, layout);
    }

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void MarkupWriter::writeFile(QXmlStreamWriter& xml, const File& file, const QString& reference,
                             const QString& topic) const
{
    if (!file.id().isEmpty())
        m_log.add(QLatin1String(ConversionKind::HeaderFileId), topic);
    xml.writeStartElement(QStringLiteral("File"));
    if (isIfcGuid(file.ifcProject()))
        xml.writeAttribute(QStringLiteral("IfcProject"), file.ifcProject());
    if (isIfcGuid(file.ifcSpatialStructureElement()))
        xml.writeAttribute(QStringLiteral("IfcSpatialStructureElement"), file.ifcSpatialStructureElement());
    xml.writeAttribute(m_version3 ? QStringLiteral("IsExternal") : QStringLiteral("isExternal"), boolText(file.isExternal()));
    writeOptional(xml, QStringLiteral("Filename"), file.fileName());
    writeOptionalDate(xml, QStringLiteral("Date"), file.date());
    writeOptional(xml, QStringLiteral("Reference"), reference);
    xml.writeEndElement();
}

void MarkupWriter::writeTopic(QXmlStreamWriter& xml, const TopicLayout& layout) const
{
    const Topic& topic = layout.topic();
    const QString guid = layout.topicGuid();
    xml.writeStartElement(QStringLiteral("Topic"));
    xml.writeAttribute(QStringLiteral("Guid"), guid);
    if (m_version3) {
        if (!isBlank(topic.serverAssignedId()))
            xml.writeAttribute(QStringLiteral("ServerAssignedId"), cleanText(topic.serverAssignedId()));
        const bool typeMissing = isBlank(topic.topicType());
        const bool statusMissing = isBlank(topic.topicStatus());
        if (typeMissing)
            m_log.add(QLatin1String(ConversionKind::TopicType), guid);
        if (statusMissing)
            m_log.add(QLatin1String(ConversionKind::TopicStatus), guid);
        xml.writeAttribute(QStringLiteral("TopicType"), typeMissing ? QString(sDefaultTopicType) : cleanText(topic.topicType()));
        xml.writeAttribute(QStringLiteral("TopicStatus"),
                           statusMissing ? QString(sDefaultTopicStatus) : cleanText(topic.topicStatus()));
    } else {
        if (!topic.serverAssignedId().isEmpty())
            m_log.add(QLatin1String(ConversionKind::ServerAssignedId), guid);
        writeOptionalAttribute(xml, QStringLiteral("TopicType"), topic.topicType());
        writeOptionalAttribute(xml, QStringLiteral("TopicStatus"), topic.topicStatus());
    }

    auto writeList = [&](const QString& wrapper, const QString& name, const QStringList& values) {
        QStringList kept;
        for (const QString& value : values) {
            if (!m_version3 || !isBlank(value))
                kept.append(value);
        }
        if (kept.isEmpty())
            return;
        if (m_version3)
            xml.writeStartElement(wrapper);
        for (const QString& value : kept)
            writeText(xml, name, value);
        if (m_version3)
            xml.writeEndElement();
    };
    writeList(QStringLiteral("ReferenceLinks"), QStringLiteral("ReferenceLink"), topic.referenceLinks());
    writeRequired(xml, QStringLiteral("Title"), topic.title(), sUntitled, guid);
    writeOptional(xml, QStringLiteral("Priority"), topic.priority());
    if (topic.index() != -1)
        xml.writeTextElement(QStringLiteral("Index"), QString::number(topic.index()));
    writeList(QStringLiteral("Labels"), m_version3 ? QStringLiteral("Label") : QStringLiteral("Labels"), topic.labels());
    writeRequiredDate(xml, QStringLiteral("CreationDate"), topic.creationDate());
    writeRequired(xml, QStringLiteral("CreationAuthor"), topic.creationAuthor(), sUnknownAuthor, guid);
    writeOptionalDate(xml, QStringLiteral("ModifiedDate"), topic.modifiedDate());
    writeOptional(xml, QStringLiteral("ModifiedAuthor"), topic.modifiedAuthor());
    writeOptionalDate(xml, QStringLiteral("DueDate"), topic.dueDate());
    writeOptional(xml, QStringLiteral("AssignedTo"), topic.assignedTo());
    writeOptional(xml, QStringLiteral("Stage"), topic.stage());
    writeOptional(xml, QStringLiteral("Description"), topic.description());

    if (const BimSnippet* snippet = topic.bimSnippet()) {
        xml.writeStartElement(QStringLiteral("BimSnippet"));
        QString type = cleanText(snippet->snippetType());
        if (m_version3 && type.trimmed().isEmpty()) {
            m_log.add(QLatin1String(ConversionKind::RequiredText), guid);
            type = sUnknown;
        }
        xml.writeAttribute(QStringLiteral("SnippetType"), type);
        xml.writeAttribute(m_version3 ? QStringLiteral("IsExternal") : QStringLiteral("isExternal"),
                           boolText(snippet->isExternal()));
        writeRequired(xml, QStringLiteral("Reference"), layout.snippetReference(), sUnknown, guid);
        writeRequired(xml, QStringLiteral("ReferenceSchema"), snippet->referenceSchema(), sUnknown, guid);
        xml.writeEndElement();
    }

    writeDocumentReferences(xml, layout);

    bool relatedOpen = false;
    for (const RelatedTopic* related : topic.relatedTopics()) {
        if (related->guid().isEmpty())
            continue; // names no topic
        if (m_version3 && !relatedOpen) {
            xml.writeStartElement(QStringLiteral("RelatedTopics"));
            relatedOpen = true;
        }
        xml.writeStartElement(QStringLiteral("RelatedTopic"));
        xml.writeAttribute(QStringLiteral("Guid"), layout.relatedTopicGuid(related->guid()));
        xml.writeEndElement();
    }
    if (relatedOpen)
        xml.writeEndElement();

    if (m_version3) {
        const QList<Comment*> comments = topic.comments();
        if (!comments.isEmpty()) {
            xml.writeStartElement(QStringLiteral("Comments"));
            for (int i = 0; i < comments.size(); ++i)
                writeComment(xml, layout, *comments.at(i), i);
            xml.writeEndElement();
        }
        if (!layout.viewpoints().isEmpty()) {
            xml.writeStartElement(QStringLiteral("Viewpoints"));
            writeViewpoints(xml, layout);
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
}

void MarkupWriter::writeDocumentReferences(QXmlStreamWriter& xml, const TopicLayout& layout) const
{
    const QList<DocumentReference*> documents = layout.topic().documentReferences();
    if (!m_version3) {
        for (int i = 0; i < documents.size(); ++i) {
            xml.writeStartElement(QStringLiteral("DocumentReference"));
            writeOptionalAttribute(xml, QStringLiteral("Guid"), layout.documentGuid(i));
            xml.writeAttribute(QStringLiteral("isExternal"), boolText(documents.at(i)->isExternal()));
            writeOptionalText(xml, QStringLiteral("ReferencedDocument"), layout.documentReference(i));
            writeOptionalText(xml, QStringLiteral("Description"), documents.at(i)->description());
            xml.writeEndElement();
        }
        return;
    }
    bool open = false;
    for (int i = 0; i < documents.size(); ++i) {
        const DocumentReference* document = documents.at(i);
        const QString documentGuid = layout.documentTarget(i);
        const QString url = !document->url().isEmpty() ? document->url() : document->referencedDocument();
        if (documentGuid.isEmpty() && isBlank(url)) {
            m_log.add(QLatin1String(ConversionKind::EmptyDocumentReference), layout.topicGuid());
            continue;
        }
        if (!open) {
            xml.writeStartElement(QStringLiteral("DocumentReferences"));
            open = true;
        }
        xml.writeStartElement(QStringLiteral("DocumentReference"));
        QString guid = layout.documentGuid(i);
        if (guid.isEmpty())
            guid = GuidScope::nameBasedGuid(layout.topicGuid() + QStringLiteral("/document/") + QString::number(i));
        xml.writeAttribute(QStringLiteral("Guid"), guid);
        if (!documentGuid.isEmpty())
            xml.writeTextElement(QStringLiteral("DocumentGuid"), documentGuid);
        else
            writeText(xml, QStringLiteral("Url"), url);
        writeOptional(xml, QStringLiteral("Description"), document->description());
        xml.writeEndElement();
    }
    if (open)
        xml.writeEndElement();
}

void MarkupWriter::writeComment(QXmlStreamWriter& xml, const TopicLayout& layout, const Comment& comment,
                                int index) const
{
    xml.writeStartElement(QStringLiteral("Comment"));
    xml.writeAttribute(QStringLiteral("Guid"), layout.commentGuid(index));
    writeRequiredDate(xml, QStringLiteral("Date"), comment.date());
    writeRequired(xml, QStringLiteral("Author"), comment.author(), sUnknownAuthor, layout.topicGuid());
    if (m_version3)
        writeOptional(xml, QStringLiteral("Comment"), comment.text());
    else
        writeText(xml, QStringLiteral("Comment"), comment.text());
    if (!comment.viewpointGuid().isEmpty()) {
        xml.writeStartElement(QStringLiteral("Viewpoint"));
        xml.writeAttribute(QStringLiteral("Guid"), layout.viewpointGuid(comment.viewpointGuid()));
        xml.writeEndElement();
    }
    writeOptionalDate(xml, QStringLiteral("ModifiedDate"), comment.modifiedDate());
    writeOptional(xml, QStringLiteral("ModifiedAuthor"), comment.modifiedAuthor());
    if (!comment.status().isEmpty() || !comment.verbalStatus().isEmpty() || !comment.replyToCommentGuid().isEmpty())
        m_log.add(QLatin1String(ConversionKind::CommentStatus), layout.topicGuid());
    xml.writeEndElement();
}

void MarkupWriter::writeViewpoints(QXmlStreamWriter& xml, const TopicLayout& layout) const
{
    for (const TopicLayout::ViewpointFiles& files : layout.viewpoints()) {
        xml.writeStartElement(m_version3 ? QStringLiteral("ViewPoint") : QStringLiteral("Viewpoints"));
        xml.writeAttribute(QStringLiteral("Guid"), files.guid);
        xml.writeTextElement(QStringLiteral("Viewpoint"), files.visualizationFile);
        if (!files.snapshotFile.isEmpty())
            xml.writeTextElement(QStringLiteral("Snapshot"), files.snapshotFile);
        if (files.viewpoint->index() != -1)
            xml.writeTextElement(QStringLiteral("Index"), QString::number(files.viewpoint->index()));
        xml.writeEndElement();
    }
}

} // namespace BCFLib
