#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLatin1String>
#include <QString>

class QXmlStreamWriter;

namespace BCFLib {

class Comment;
class ConversionLog;
class File;
class TopicLayout;

// Writes the markup.bcf of a topic as the BCF 2.1 or 3.0 markup schema defines it: elements in
// schema order, guids, file names and references as the topic's layout gives them. What is left
// out or changed is noted in the conversion log.
//
// Where the schema requires a value that the topic lacks, a default is written:
// - 2.1: Title, CreationAuthor, comment Author and Comment, BimSnippet SnippetType, Reference and
//   ReferenceSchema: an empty element or attribute;
// - 3.0 (texts may not be blank): Title "Untitled", CreationAuthor and comment Author "Unknown",
//   SnippetType, Reference and ReferenceSchema "unknown"; TopicType "Issue", TopicStatus "Open";
//   blank optional texts are left out;
// - CreationDate and comment Date: sMissingDate (1970-01-01T00:00:00Z), when the date is not set
//   or cannot be written (year outside 1..9999).
// What the markup cannot hold is left out: the BCF 2.0 comment fields Status, VerbalStatus and
// ReplyToComment, File attributes IfcProject and IfcSpatialStructureElement that are not IFC
// guids (22 characters of the IFC base-64 alphabet), related topics without a guid, optional
// dates that cannot be written, the Id of a header file (no schema has a place for it), and in 2.1
// the topic's ServerAssignedId.
class MarkupWriter
{
public:
    static const QDateTime sMissingDate;
    // What a 3.0 topic without type or status is written with.
    static const QLatin1String sDefaultTopicType;
    static const QLatin1String sDefaultTopicStatus;

    MarkupWriter(bool version3, ConversionLog& log);

    QByteArray write(const TopicLayout& layout) const;

private:
    void writeFile(QXmlStreamWriter& xml, const File& file, const QString& reference, const QString& topic) const;
    void writeTopic(QXmlStreamWriter& xml, const TopicLayout& layout) const;
    void writeDocumentReferences(QXmlStreamWriter& xml, const TopicLayout& layout) const;
    void writeComment(QXmlStreamWriter& xml, const TopicLayout& layout, const Comment& comment, int index) const;
    void writeViewpoints(QXmlStreamWriter& xml, const TopicLayout& layout) const;
    // A required text: as it is in 2.1; in 3.0 a blank one becomes placeholder (noted).
    void writeRequired(QXmlStreamWriter& xml, const QString& name, const QString& text, const QString& placeholder,
                       const QString& topic) const;
    // An optional text; in 3.0 a blank one is left out.
    void writeOptional(QXmlStreamWriter& xml, const QString& name, const QString& text) const;

    bool m_version3;
    ConversionLog& m_log;
};

} // namespace BCFLib
