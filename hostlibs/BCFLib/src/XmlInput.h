#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <osg/Vec3d>

namespace BCFLib {

// Small lenient helpers over QXmlStreamReader for the BCF readers (not exported).
namespace XmlInput {

// Moves to the root element. Refuses documents with a DTD (no entity expansion, nothing fetched):
// false with error set. Accepts any root name; the caller checks it.
bool startDocument(QXmlStreamReader& xml, QString& error);
// The text of the current element (child elements skipped), trimmed when trim is set.
QString text(QXmlStreamReader& xml, bool trim = true);
// "true"/"1" or "false"/"0", case-insensitive; ok is false for anything else.
bool toBool(const QStringRef& text, bool* ok = nullptr);
// An optional boolean attribute: absent or unreadable gives fallback.
bool boolAttribute(const QXmlStreamReader& xml, const QString& name, bool fallback);
double toDouble(const QString& text);
// Reads the children X, Y, Z (any order, missing ones 0) of the current element.
osg::Vec3d point(QXmlStreamReader& xml);
// A description of the reader's error with its line.
QString errorText(const QXmlStreamReader& xml);

} // namespace XmlInput
} // namespace BCFLib
