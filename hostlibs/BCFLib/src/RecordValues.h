#pragma once

// Helpers shared by the record conversions of the model classes (not exported).

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <osg/Vec3d>

namespace BCFLib {
namespace RecordValues {

// {"x", "y", "z"}
QVariantMap pointToRecord(const osg::Vec3d& point);
// Missing or unconvertible coordinates read as 0.
osg::Vec3d pointFromRecord(const QVariant& record);

// Content bytes travel as base64 text in records.
QString bytesToRecord(const QByteArray& bytes);
// Text is base64-decoded; a QByteArray value is taken as the raw content.
QByteArray bytesFromRecord(const QVariant& value);

// Records may come back from JSON, so a number can be a double or text; false when it is neither
// a number nor numeric text.
double doubleFromRecord(const QVariant& value, double fallback = 0.0);
// An integer that may arrive as a double or text; fallback when missing or not a number.
int intFromRecord(const QVariant& value, int fallback);
// A boolean that may arrive as a bool, a number or the text "true"/"false"/"1"/"0".
bool boolFromRecord(const QVariant& value, bool fallback);

// Adds key = value when value is not empty.
void insertIfNotEmpty(QVariantMap& record, const QString& key, const QString& value);

} // namespace RecordValues
} // namespace BCFLib
