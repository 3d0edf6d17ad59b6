#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QXmlStreamWriter;

namespace BCFLib {

class Comment;
class File;
class TopicLayout;

// Writes the markup.bcf of a topic as the BCF 2.1 markup schema defines it: elements in schema
// order, guids, file names and references as the topic's layout gives them.
//
// Where the schema requires a value that the topic lacks, a default is written:
// - Title, CreationAuthor, comment Author and Comment, BimSnippet SnippetType, Reference and
//   ReferenceSchema: an empty element or attribute;
// - CreationDate and comment Date: sMissingDate (1970-01-01T00:00:00Z), when the date is not set
//   or cannot be written (year outside 1..9999).
// What the BCF 2.1 markup cannot hold is left out: the BCF 2.0 comment fields Status, VerbalStatus
// and ReplyToComment, File attributes IfcProject and IfcSpatialStructureElement that are not IFC
// guids (22 characters of the IFC base-64 alphabet), related topics without a guid, and optional
// dates that cannot be written.
class MarkupWriter
{
public:
    static const QDateTime sMissingDate;

    QByteArray write(const TopicLayout& layout) const;

private:
    void writeFile(QXmlStreamWriter& xml, const File& file, const QString& reference) const;
    void writeTopic(QXmlStreamWriter& xml, const TopicLayout& layout) const;
    void writeComment(QXmlStreamWriter& xml, const TopicLayout& layout, const Comment& comment, int index) const;
    void writeViewpoints(QXmlStreamWriter& xml, const TopicLayout& layout) const;
};

} // namespace BCFLib
