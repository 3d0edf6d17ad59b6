#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QXmlStreamWriter;

namespace BCFLib {

struct Component;
struct ComponentSet;
class ByteSource;
class ConversionLog;
class Viewpoint;

// Writes the visualization info (.bcfv) of a viewpoint as the BCF 2.1 or 3.0 visinfo schema
// defines it, elements in schema order. What is left out or changed is noted in the log.
//
// Values the schema restricts are written so that they validate:
// - FieldOfView is written as read. The 2.1 schema limits it to 45..60, but its own annotation
//   says the limit will be dropped and that readers must expect other values, and 3.0 allows
//   (0, 180); a value outside (0, 180), or not a number, is written as 60 (noted);
// - 3.0 wants exactly one camera, with an AspectRatio: a viewpoint without camera gets a
//   perspective camera at the origin looking along -Z with +Y up and a field of view of 60; with
//   both cameras, the perspective one is kept; a missing AspectRatio is the snapshot's width over
//   its height, else 1.0; 2.1 cannot hold AspectRatio (noted when set); a 3.0 colour group
//   needs its colour: one without a valid colour is left out (noted);
// - a Color is upper-case hex "RRGGBB" or "AARRGGBB" (a leading "#" is dropped); a colour that is
//   not hex of that length is left out, and a colour group without components is left out;
// - an IfcGuid that is not 22 characters of the IFC base-64 alphabet is left out (the component
//   keeps its other identifiers);
// - a bitmap's format is "PNG" or "JPG", taken from its content, else from its format text
//   ("JPEG" is "JPG"), else "PNG";
// - a component set always has its Visibility element, which the schema requires.
class VisualizationInfoWriter
{
public:

    VisualizationInfoWriter(bool version3, ConversionLog& log);

    // guid: the written guid of the viewpoint; bitmapReferences: one per bitmap; snapshot: the
    // viewpoint's snapshot (or null); topic: the written guid of its topic, for the log.
    QByteArray write(const Viewpoint& viewpoint, const QString& guid, const QStringList& bitmapReferences,
                     const ByteSource* snapshot, const QString& topic) const;

    // The value written for a field of view (see above).
    static double writableFieldOfView(double value);
    // Empty when the colour cannot be written.
    static QString writableColor(const QString& color);

private:
    void writeComponents(QXmlStreamWriter& xml, const ComponentSet& set, const QString& topic) const;
    void writeComponentList(QXmlStreamWriter& xml, const QString& name, const QList<Component>& components) const;
    void writeCamera(QXmlStreamWriter& xml, const Viewpoint& viewpoint, const ByteSource* snapshot,
                     const QString& topic) const;
    double aspectRatio(double value, const ByteSource* snapshot, const QString& topic) const;

    bool m_version3;
    ConversionLog& m_log;
};

} // namespace BCFLib
