#pragma once

#include <QDateTime>
#include <QString>
#include <QXmlStreamWriter>
#include <osg/Vec3d>

namespace BCFLib {

// Helpers for writing BCF XML documents with QXmlStreamWriter, so that what is written is
// well-formed XML whose values match their schema types.
namespace XmlOutput {

// A writer over bytes, with indentation, that has started the document (UTF-8).
void startDocument(QXmlStreamWriter& xml);

// text without the characters that XML 1.0 cannot carry (control characters other than tab, line
// feed and carriage return, lone surrogates, U+FFFE and U+FFFF); nothing else is changed. The
// characters dropped are counted per thread; a writer takes the count after each document.
QString cleanText(const QString& text);
int takeDroppedCharacters();

// The xs:dateTime text of a date-time, empty when it cannot be written: invalid, or a year outside
// 1..9999. A zone offset that XML Schema cannot express (beyond 14 hours, or not a whole minute)
// is written as the same instant in UTC.
QString dateTimeText(const QDateTime& dateTime);

// True for the IfcGuid type of the schemas: 22 characters of [0-9,A-Z,a-z,_$].
bool isIfcGuid(const QString& text);

// <name>text</name>, with the text cleaned; carriage returns are kept as character references.
void writeText(QXmlStreamWriter& xml, const QString& name, const QString& text);
// <name>text</name> only when text is not empty.
void writeOptionalText(QXmlStreamWriter& xml, const QString& name, const QString& text);
// The attribute only when value is not empty.
void writeOptionalAttribute(QXmlStreamWriter& xml, const QString& name, const QString& value);
// <name>number</name> with the shortest text that reads back as the same double.
void writeNumber(QXmlStreamWriter& xml, const QString& name, double value);
// <name><X>..</X><Y>..</Y><Z>..</Z></name>
void writePoint(QXmlStreamWriter& xml, const QString& name, const osg::Vec3d& point);
QString boolText(bool value);

} // namespace XmlOutput
} // namespace BCFLib
