#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QXmlStreamWriter;

namespace BCFLib {

struct Component;
struct ComponentSet;
class Viewpoint;

// Writes the visualization info (.bcfv) of a viewpoint as the BCF 2.1 visinfo schema defines it,
// elements in schema order.
//
// Values the schema restricts are written so that they validate:
// - FieldOfView is limited to 45..60 degrees: a value outside is written as the nearest bound,
//   a value that is not a number as 60;
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
    static const double sMinFieldOfView;
    static const double sMaxFieldOfView;

    // guid: the written guid of the viewpoint; bitmapReferences: one per bitmap.
    QByteArray write(const Viewpoint& viewpoint, const QString& guid, const QStringList& bitmapReferences) const;

    static double writableFieldOfView(double value);
    // Empty when the colour cannot be written.
    static QString writableColor(const QString& color);

private:
    void writeComponents(QXmlStreamWriter& xml, const ComponentSet& set) const;
    void writeComponentList(QXmlStreamWriter& xml, const QString& name, const QList<Component>& components) const;
};

} // namespace BCFLib
