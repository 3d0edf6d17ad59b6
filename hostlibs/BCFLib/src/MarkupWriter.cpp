#include "MarkupWriter.h"

#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/File.h"
#include "BCFLib/RelatedTopic.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "TopicLayout.h"
#include "XmlOutput.h"

#include <QXmlStreamWriter>

namespace BCFLib {

using namespace XmlOutput;

const QDateTime MarkupWriter::sMissingDate(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);

namespace {

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

} // namespace

QByteArray MarkupWriter::write(const TopicLayout& layout) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("Markup"));

    const QList<File*> files = layout.topic().files();
    if (!files.isEmpty()) {
        xml.writeStartElement(QStringLiteral("Header"));
        for (int i = 0; i < files.size(); ++i)
            writeFile(xml, *files.at(i), layout.fileReference(i));
        xml.writeEndElement();
    }
    writeTopic(xml, layout);
    const QList<Comment*> comments = layout.topic().comments();
    for (int i = 0; i < comments.size(); ++i)
        writeComment(xml, layout, *comments.at(i), i);
    writeViewpoints(xml, layout);

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void MarkupWriter::writeFile(QXmlStreamWriter& xml, const File& file, const QString& reference) const
{
    xml.writeStartElement(QStringLiteral("File"));
    if (isIfcGuid(file.ifcProject()))
        xml.writeAttribute(QStringLiteral("IfcProject"), file.ifcProject());
    if (isIfcGuid(file.ifcSpatialStructureElement()))
        xml.writeAttribute(QStringLiteral("IfcSpatialStructureElement"), file.ifcSpatialStructureElement());
    xml.writeAttribute(QStringLiteral("isExternal"), boolText(file.isExternal()));
    writeOptionalText(xml, QStringLiteral("Filename"), file.fileName());
    writeOptionalDate(xml, QStringLiteral("Date"), file.date());
    writeOptionalText(xml, QStringLiteral("Reference"), reference);
    xml.writeEndElement();
}

void MarkupWriter::writeTopic(QXmlStreamWriter& xml, const TopicLayout& layout) const
{
    const Topic& topic = layout.topic();
    xml.writeStartElement(QStringLiteral("Topic"));
    xml.writeAttribute(QStringLiteral("Guid"), layout.topicGuid());
    writeOptionalAttribute(xml, QStringLiteral("TopicType"), topic.topicType());
    writeOptionalAttribute(xml, QStringLiteral("TopicStatus"), topic.topicStatus());

    for (const QString& link : topic.referenceLinks())
        writeText(xml, QStringLiteral("ReferenceLink"), link);
    writeText(xml, QStringLiteral("Title"), topic.title());
    writeOptionalText(xml, QStringLiteral("Priority"), topic.priority());
    if (topic.index() != -1)
        xml.writeTextElement(QStringLiteral("Index"), QString::number(topic.index()));
    for (const QString& label : topic.labels())
        writeText(xml, QStringLiteral("Labels"), label);
    writeRequiredDate(xml, QStringLiteral("CreationDate"), topic.creationDate());
    writeText(xml, QStringLiteral("CreationAuthor"), topic.creationAuthor());
    writeOptionalDate(xml, QStringLiteral("ModifiedDate"), topic.modifiedDate());
    writeOptionalText(xml, QStringLiteral("ModifiedAuthor"), topic.modifiedAuthor());
    writeOptionalDate(xml, QStringLiteral("DueDate"), topic.dueDate());
    writeOptionalText(xml, QStringLiteral("AssignedTo"), topic.assignedTo());
    writeOptionalText(xml, QStringLiteral("Stage"), topic.stage());
    writeOptionalText(xml, QStringLiteral("Description"), topic.description());

    if (const BimSnippet* snippet = topic.bimSnippet()) {
        xml.writeStartElement(QStringLiteral("BimSnippet"));
        xml.writeAttribute(QStringLiteral("SnippetType"), cleanText(snippet->snippetType()));
        xml.writeAttribute(QStringLiteral("isExternal"), boolText(snippet->isExternal()));
        writeText(xml, QStringLiteral("Reference"), layout.snippetReference());
        writeText(xml, QStringLiteral("ReferenceSchema"), snippet->referenceSchema());
        xml.writeEndElement();
    }

    const QList<DocumentReference*> documents = topic.documentReferences();
    for (int i = 0; i < documents.size(); ++i) {
        xml.writeStartElement(QStringLiteral("DocumentReference"));
        writeOptionalAttribute(xml, QStringLiteral("Guid"), layout.documentGuid(i));
        xml.writeAttribute(QStringLiteral("isExternal"), boolText(documents.at(i)->isExternal()));
        writeOptionalText(xml, QStringLiteral("ReferencedDocument"), layout.documentReference(i));
        writeOptionalText(xml, QStringLiteral("Description"), documents.at(i)->description());
        xml.writeEndElement();
    }

    for (const RelatedTopic* related : topic.relatedTopics()) {
        if (related->guid().isEmpty())
            continue; // names no topic
        xml.writeStartElement(QStringLiteral("RelatedTopic"));
        xml.writeAttribute(QStringLiteral("Guid"), layout.relatedTopicGuid(related->guid()));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void MarkupWriter::writeComment(QXmlStreamWriter& xml, const TopicLayout& layout, const Comment& comment,
                                int index) const
{
    xml.writeStartElement(QStringLiteral("Comment"));
    xml.writeAttribute(QStringLiteral("Guid"), layout.commentGuid(index));
    writeRequiredDate(xml, QStringLiteral("Date"), comment.date());
    writeText(xml, QStringLiteral("Author"), comment.author());
    writeText(xml, QStringLiteral("Comment"), comment.text());
    if (!comment.viewpointGuid().isEmpty()) {
        xml.writeStartElement(QStringLiteral("Viewpoint"));
        xml.writeAttribute(QStringLiteral("Guid"), layout.viewpointGuid(comment.viewpointGuid()));
        xml.writeEndElement();
    }
    writeOptionalDate(xml, QStringLiteral("ModifiedDate"), comment.modifiedDate());
    writeOptionalText(xml, QStringLiteral("ModifiedAuthor"), comment.modifiedAuthor());
    xml.writeEndElement();
}

void MarkupWriter::writeViewpoints(QXmlStreamWriter& xml, const TopicLayout& layout) const
{
    for (const TopicLayout::ViewpointFiles& files : layout.viewpoints()) {
        xml.writeStartElement(QStringLiteral("Viewpoints"));
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
