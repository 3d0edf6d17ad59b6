#include "VisualizationInfoWriter.h"

#include "BCFLib/Viewpoint.h"
#include "ImageType.h"
#include "XmlOutput.h"

#include <QXmlStreamWriter>
#include <cmath>

namespace BCFLib {

using namespace XmlOutput;

const double VisualizationInfoWriter::sMinFieldOfView = 45.0;
const double VisualizationInfoWriter::sMaxFieldOfView = 60.0;

namespace {

QString bitmapFormat(const Bitmap& bitmap)
{
    const QString byContent = ImageType::suffixOf(bitmap.data);
    if (byContent == QLatin1String("jpg"))
        return QStringLiteral("JPG");
    if (byContent == QLatin1String("png"))
        return QStringLiteral("PNG");
    const QString format = bitmap.format.trimmed().toUpper();
    if (format == QLatin1String("JPG") || format == QLatin1String("JPEG"))
        return QStringLiteral("JPG");
    return QStringLiteral("PNG");
}

void writeOptionalBool(QXmlStreamWriter& xml, const QString& name, const std::optional<bool>& value)
{
    if (value)
        xml.writeAttribute(name, boolText(*value));
}

} // namespace

double VisualizationInfoWriter::writableFieldOfView(double value)
{
    if (std::isnan(value))
        return sMaxFieldOfView;
    return qBound(sMinFieldOfView, value, sMaxFieldOfView);
}

QString VisualizationInfoWriter::writableColor(const QString& color)
{
    QString text = color.trimmed().toUpper();
    if (text.startsWith(QLatin1Char('#')))
        text.remove(0, 1);
    if (text.size() != 6 && text.size() != 8)
        return QString();
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return QString();
    }
    return text;
}

QByteArray VisualizationInfoWriter::write(const Viewpoint& viewpoint, const QString& guid,
                                          const QStringList& bitmapReferences) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("VisualizationInfo"));
    xml.writeAttribute(QStringLiteral("Guid"), guid);

    if (viewpoint.components())
        writeComponents(xml, *viewpoint.components());

    if (const auto& camera = viewpoint.orthogonalCamera()) {
        xml.writeStartElement(QStringLiteral("OrthogonalCamera"));
        writePoint(xml, QStringLiteral("CameraViewPoint"), camera->viewPoint);
        writePoint(xml, QStringLiteral("CameraDirection"), camera->direction);
        writePoint(xml, QStringLiteral("CameraUpVector"), camera->upVector);
        writeNumber(xml, QStringLiteral("ViewToWorldScale"), camera->viewToWorldScale);
        xml.writeEndElement();
    }
    if (const auto& camera = viewpoint.perspectiveCamera()) {
        xml.writeStartElement(QStringLiteral("PerspectiveCamera"));
        writePoint(xml, QStringLiteral("CameraViewPoint"), camera->viewPoint);
        writePoint(xml, QStringLiteral("CameraDirection"), camera->direction);
        writePoint(xml, QStringLiteral("CameraUpVector"), camera->upVector);
        writeNumber(xml, QStringLiteral("FieldOfView"), writableFieldOfView(camera->fieldOfView));
        xml.writeEndElement();
    }

    if (!viewpoint.lines().isEmpty()) {
        xml.writeStartElement(QStringLiteral("Lines"));
        for (const Line& line : viewpoint.lines()) {
            xml.writeStartElement(QStringLiteral("Line"));
            writePoint(xml, QStringLiteral("StartPoint"), line.startPoint);
            writePoint(xml, QStringLiteral("EndPoint"), line.endPoint);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    if (!viewpoint.clippingPlanes().isEmpty()) {
        xml.writeStartElement(QStringLiteral("ClippingPlanes"));
        for (const ClippingPlane& plane : viewpoint.clippingPlanes()) {
            xml.writeStartElement(QStringLiteral("ClippingPlane"));
            writePoint(xml, QStringLiteral("Location"), plane.location);
            writePoint(xml, QStringLiteral("Direction"), plane.direction);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    const QList<Bitmap>& bitmaps = viewpoint.bitmaps();
    for (int i = 0; i < bitmaps.size(); ++i) {
        const Bitmap& bitmap = bitmaps.at(i);
        xml.writeStartElement(QStringLiteral("Bitmap"));
        xml.writeTextElement(QStringLiteral("Bitmap"), bitmapFormat(bitmap));
        writeText(xml, QStringLiteral("Reference"), bitmapReferences.value(i, bitmap.reference));
        writePoint(xml, QStringLiteral("Location"), bitmap.location);
        writePoint(xml, QStringLiteral("Normal"), bitmap.normal);
        writePoint(xml, QStringLiteral("Up"), bitmap.up);
        writeNumber(xml, QStringLiteral("Height"), bitmap.height);
        xml.writeEndElement();
    }

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void VisualizationInfoWriter::writeComponents(QXmlStreamWriter& xml, const ComponentSet& set) const
{
    xml.writeStartElement(QStringLiteral("Components"));
    if (set.viewSetupHints) {
        xml.writeStartElement(QStringLiteral("ViewSetupHints"));
        writeOptionalBool(xml, QStringLiteral("SpacesVisible"), set.viewSetupHints->spacesVisible);
        writeOptionalBool(xml, QStringLiteral("SpaceBoundariesVisible"), set.viewSetupHints->spaceBoundariesVisible);
        writeOptionalBool(xml, QStringLiteral("OpeningsVisible"), set.viewSetupHints->openingsVisible);
        xml.writeEndElement();
    }
    if (!set.selection.isEmpty())
        writeComponentList(xml, QStringLiteral("Selection"), set.selection);

    xml.writeStartElement(QStringLiteral("Visibility"));
    writeOptionalBool(xml, QStringLiteral("DefaultVisibility"), set.defaultVisibility);
    if (!set.exceptions.isEmpty())
        writeComponentList(xml, QStringLiteral("Exceptions"), set.exceptions);
    xml.writeEndElement();

    bool coloringOpen = false;
    for (const ComponentColoring& group : set.coloring) {
        if (group.components.isEmpty())
            continue;
        if (!coloringOpen) {
            xml.writeStartElement(QStringLiteral("Coloring"));
            coloringOpen = true;
        }
        xml.writeStartElement(QStringLiteral("Color"));
        const QString color = writableColor(group.color);
        if (!color.isEmpty())
            xml.writeAttribute(QStringLiteral("Color"), color);
        writeComponentList(xml, QString(), group.components);
        xml.writeEndElement();
    }
    if (coloringOpen)
        xml.writeEndElement();
    xml.writeEndElement();
}

void VisualizationInfoWriter::writeComponentList(QXmlStreamWriter& xml, const QString& name,
                                                 const QList<Component>& components) const
{
    if (!name.isEmpty())
        xml.writeStartElement(name);
    for (const Component& component : components) {
        xml.writeStartElement(QStringLiteral("Component"));
        if (isIfcGuid(component.ifcGuid))
            xml.writeAttribute(QStringLiteral("IfcGuid"), component.ifcGuid);
        writeOptionalText(xml, QStringLiteral("OriginatingSystem"), component.originatingSystem);
        writeOptionalText(xml, QStringLiteral("AuthoringToolId"), component.authoringToolId);
        xml.writeEndElement();
    }
    if (!name.isEmpty())
        xml.writeEndElement();
}

} // namespace BCFLib
