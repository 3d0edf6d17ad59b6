#include "VisualizationInfoWriter.h"

#include "BCFLib/ByteSource.h"
#include "BCFLib/Viewpoint.h"
#include "ConversionLog.h"
#include "ImageType.h"
#include "XmlOutput.h"

#include <QBuffer>
#include <QImageReader>
#include <QXmlStreamWriter>
#include <cmath>

namespace BCFLib {

using namespace XmlOutput;

namespace {

const double sDefaultFieldOfView = 60.0;

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

VisualizationInfoWriter::VisualizationInfoWriter(bool version3, ConversionLog& log)
    : m_version3(version3)
    , m_log(log)
{
}

double VisualizationInfoWriter::writableFieldOfView(double value)
{
    return value > 0.0 && value < 180.0 ? value : sDefaultFieldOfView;
}

namespace {

QSize imageSize(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    return QImageReader(&buffer).size();
}

} // namespace

double VisualizationInfoWriter::aspectRatio(double value, const ByteSource* snapshot, const QString& topic) const
{
    if (!m_version3) {
        if (value > 0.0)
            m_log.add(QLatin1String(ConversionKind::AspectRatio), topic);
        return 0.0;
    }
    if (value > 0.0 && std::isfinite(value))
        return value;
    if (snapshot && snapshot->size() > 0) {
        // The first bytes hold a PNG's size; other formats may need the whole image.
        QSize size = imageSize(snapshot->head());
        QByteArray bytes;
        if (!size.isValid() && snapshot->size() > ByteSource::HeadSize && snapshot->read(&bytes, nullptr))
            size = imageSize(bytes);
        if (size.width() > 0 && size.height() > 0)
            return double(size.width()) / double(size.height());
    }
    return 1.0;
}

void VisualizationInfoWriter::writeCamera(QXmlStreamWriter& xml, const Viewpoint& viewpoint, const ByteSource* snapshot,
                                          const QString& topic) const
{
    const auto& orthogonal = viewpoint.orthogonalCamera();
    const auto& perspective = viewpoint.perspectiveCamera();
    if (orthogonal && !(m_version3 && perspective)) {
        xml.writeStartElement(QStringLiteral("OrthogonalCamera"));
        writePoint(xml, QStringLiteral("CameraViewPoint"), orthogonal->viewPoint);
        writePoint(xml, QStringLiteral("CameraDirection"), orthogonal->direction);
        writePoint(xml, QStringLiteral("CameraUpVector"), orthogonal->upVector);
        writeNumber(xml, QStringLiteral("ViewToWorldScale"), orthogonal->viewToWorldScale);
        const double ratio = aspectRatio(orthogonal->aspectRatio, snapshot, topic);
        if (m_version3)
            writeNumber(xml, QStringLiteral("AspectRatio"), ratio);
        xml.writeEndElement();
    } else if (orthogonal) {
        m_log.add(QLatin1String(ConversionKind::SecondCamera), topic);
    }
    if (!perspective && !(m_version3 && !orthogonal))
        return;
    PerspectiveCamera camera;
    if (perspective) {
        camera = *perspective;
    } else {
        m_log.add(QLatin1String(ConversionKind::CameraAdded), topic);
        camera.direction = osg::Vec3d(0.0, 0.0, -1.0);
        camera.upVector = osg::Vec3d(0.0, 1.0, 0.0);
        camera.fieldOfView = sDefaultFieldOfView;
    }
    xml.writeStartElement(QStringLiteral("PerspectiveCamera"));
    writePoint(xml, QStringLiteral("CameraViewPoint"), camera.viewPoint);
    writePoint(xml, QStringLiteral("CameraDirection"), camera.direction);
    writePoint(xml, QStringLiteral("CameraUpVector"), camera.upVector);
    const double fieldOfView = writableFieldOfView(camera.fieldOfView);
    if (!(fieldOfView == camera.fieldOfView))
        m_log.add(QLatin1String(ConversionKind::FieldOfView), topic);
    writeNumber(xml, QStringLiteral("FieldOfView"), fieldOfView);
    const double ratio = aspectRatio(camera.aspectRatio, snapshot, topic);
    if (m_version3)
        writeNumber(xml, QStringLiteral("AspectRatio"), ratio);
    xml.writeEndElement();
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
                                          const QStringList& bitmapReferences, const ByteSource* snapshot,
                                          const QString& topic) const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    startDocument(xml);
    xml.writeStartElement(QStringLiteral("VisualizationInfo"));
    xml.writeAttribute(QStringLiteral("Guid"), guid);

    if (viewpoint.components())
        writeComponents(xml, *viewpoint.components(), topic);

    writeCamera(xml, viewpoint, snapshot, topic);

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
    if (m_version3 && !bitmaps.isEmpty())
        xml.writeStartElement(QStringLiteral("Bitmaps"));
    for (int i = 0; i < bitmaps.size(); ++i) {
        const Bitmap& bitmap = bitmaps.at(i);
        xml.writeStartElement(QStringLiteral("Bitmap"));
        if (m_version3)
            xml.writeTextElement(QStringLiteral("Format"), bitmapFormat(bitmap).toLower());
        else
            xml.writeTextElement(QStringLiteral("Bitmap"), bitmapFormat(bitmap));
        QString reference = bitmapReferences.value(i, bitmap.reference);
        if (m_version3 && cleanText(reference).trimmed().isEmpty()) {
            m_log.add(QLatin1String(ConversionKind::RequiredText), topic);
            reference = QStringLiteral("unknown");
        }
        writeText(xml, QStringLiteral("Reference"), reference);
        writePoint(xml, QStringLiteral("Location"), bitmap.location);
        writePoint(xml, QStringLiteral("Normal"), bitmap.normal);
        writePoint(xml, QStringLiteral("Up"), bitmap.up);
        writeNumber(xml, QStringLiteral("Height"), bitmap.height);
        xml.writeEndElement();
    }
    if (m_version3 && !bitmaps.isEmpty())
        xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void VisualizationInfoWriter::writeComponents(QXmlStreamWriter& xml, const ComponentSet& set, const QString& topic) const
{
    xml.writeStartElement(QStringLiteral("Components"));
    auto writeHints = [&]() {
        if (!set.viewSetupHints)
            return;
        xml.writeStartElement(QStringLiteral("ViewSetupHints"));
        writeOptionalBool(xml, QStringLiteral("SpacesVisible"), set.viewSetupHints->spacesVisible);
        writeOptionalBool(xml, QStringLiteral("SpaceBoundariesVisible"), set.viewSetupHints->spaceBoundariesVisible);
        writeOptionalBool(xml, QStringLiteral("OpeningsVisible"), set.viewSetupHints->openingsVisible);
        xml.writeEndElement();
    };
    // 2.1 keeps the hints first in Components, 3.0 first in Visibility.
    if (!m_version3)
        writeHints();
    if (!set.selection.isEmpty())
        writeComponentList(xml, QStringLiteral("Selection"), set.selection);

    xml.writeStartElement(QStringLiteral("Visibility"));
    writeOptionalBool(xml, QStringLiteral("DefaultVisibility"), set.defaultVisibility);
    if (m_version3)
        writeHints();
    if (!set.exceptions.isEmpty())
        writeComponentList(xml, QStringLiteral("Exceptions"), set.exceptions);
    xml.writeEndElement();

    bool coloringOpen = false;
    for (const ComponentColoring& group : set.coloring) {
        // 3.0 requires the colour; 2.1 leaves it optional.
        if (group.components.isEmpty())
            continue;
        if (m_version3 && writableColor(group.color).isEmpty()) {
            m_log.add(QLatin1String(ConversionKind::ColourGroup), topic);
            continue;
        }
        if (!coloringOpen) {
            xml.writeStartElement(QStringLiteral("Coloring"));
            coloringOpen = true;
        }
        xml.writeStartElement(QStringLiteral("Color"));
        const QString color = writableColor(group.color);
        if (!color.isEmpty())
            xml.writeAttribute(QStringLiteral("Color"), color);
        writeComponentList(xml, m_version3 ? QStringLiteral("Components") : QString(), group.components);
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
        for (const auto& field : {qMakePair(QStringLiteral("OriginatingSystem"), component.originatingSystem),
                                  qMakePair(QStringLiteral("AuthoringToolId"), component.authoringToolId)}) {
            if (m_version3 ? !cleanText(field.second).trimmed().isEmpty() : !field.second.isEmpty())
                writeText(xml, field.first, field.second);
        }
        xml.writeEndElement();
    }
    if (!name.isEmpty())
        xml.writeEndElement();
}

} // namespace BCFLib
