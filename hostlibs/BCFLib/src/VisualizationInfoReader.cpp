#include "VisualizationInfoReader.h"

#include "BCFLib/Viewpoint.h"
#include "XmlInput.h"

#include <QCoreApplication>
#include <QUuid>
#include <QXmlStreamReader>

namespace BCFLib {

namespace {

Component readComponent(QXmlStreamReader& xml)
{
    Component component;
    component.ifcGuid = xml.attributes().value(QLatin1String("IfcGuid")).toString().trimmed();
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("OriginatingSystem"))
            component.originatingSystem = XmlInput::text(xml);
        else if (name == QLatin1String("AuthoringToolId"))
            component.authoringToolId = XmlInput::text(xml);
        else
            xml.skipCurrentElement();
    }
    return component;
}

QList<Component> readComponentList(QXmlStreamReader& xml)
{
    QList<Component> components;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Component"))
            components.append(readComponent(xml));
        else if (xml.name() == QLatin1String("Components"))
            components.append(readComponentList(xml)); // a 3.0 colour group wraps its components
        else
            xml.skipCurrentElement();
    }
    return components;
}

std::optional<bool> optionalBool(const QXmlStreamReader& xml, const QString& name)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(name))
        return std::nullopt;
    bool ok = false;
    const bool value = XmlInput::toBool(attributes.value(name), &ok);
    return ok ? std::optional<bool>(value) : std::nullopt;
}

ViewSetupHints readViewSetupHints(QXmlStreamReader& xml)
{
    ViewSetupHints hints;
    hints.spacesVisible = optionalBool(xml, QStringLiteral("SpacesVisible"));
    hints.spaceBoundariesVisible = optionalBool(xml, QStringLiteral("SpaceBoundariesVisible"));
    hints.openingsVisible = optionalBool(xml, QStringLiteral("OpeningsVisible"));
    xml.skipCurrentElement();
    return hints;
}

void readVisibility(QXmlStreamReader& xml, ComponentSet& set)
{
    set.defaultVisibility = optionalBool(xml, QStringLiteral("DefaultVisibility"));
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Exceptions"))
            set.exceptions.append(readComponentList(xml));
        else if (xml.name() == QLatin1String("ViewSetupHints"))
            set.viewSetupHints = readViewSetupHints(xml); // BCF 3.0 keeps the hints here
        else
            xml.skipCurrentElement();
    }
}

void readColoring(QXmlStreamReader& xml, ComponentSet& set)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Color")) {
            ComponentColoring group;
            group.color = xml.attributes().value(QLatin1String("Color")).toString().trimmed();
            group.components = readComponentList(xml);
            set.coloring.append(group);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// BCF 2.0 lists components flat: <Component IfcGuid=".." Selected="true" Visible="false" Color="FF0000"/>.
// Components that say Visible="false" become exceptions to a visible default; when the file only
// names components that say Visible="true", those are the only visible ones (exceptions to a hidden
// default), which is how tools used the list to show a single element.
struct Version20Components
{
    QList<Component> explicitlyVisible;
    QList<Component> explicitlyHidden;
};

void addVersion20Component(QXmlStreamReader& xml, ComponentSet& set, Version20Components& flat)
{
    const bool selected = XmlInput::boolAttribute(xml, QStringLiteral("Selected"), false);
    const std::optional<bool> visible = optionalBool(xml, QStringLiteral("Visible"));
    const QString color = xml.attributes().value(QLatin1String("Color")).toString().trimmed();
    const Component component = readComponent(xml);
    if (selected)
        set.selection.append(component);
    if (visible && *visible)
        flat.explicitlyVisible.append(component);
    else if (visible && !*visible)
        flat.explicitlyHidden.append(component);
    if (!color.isEmpty()) {
        for (ComponentColoring& group : set.coloring) {
            if (group.color == color) {
                group.components.append(component);
                return;
            }
        }
        set.coloring.append(ComponentColoring{color, {component}});
    }
}

void applyVersion20Visibility(const Version20Components& flat, ComponentSet& set)
{
    if (!flat.explicitlyHidden.isEmpty()) {
        set.defaultVisibility = true;
        set.exceptions.append(flat.explicitlyHidden);
    } else if (!flat.explicitlyVisible.isEmpty()) {
        set.defaultVisibility = false;
        set.exceptions.append(flat.explicitlyVisible);
    } else {
        set.defaultVisibility = true;
    }
}

ComponentSet readComponents(QXmlStreamReader& xml)
{
    ComponentSet set;
    Version20Components flat;
    bool hasVersion20Components = false;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("ViewSetupHints")) {
            set.viewSetupHints = readViewSetupHints(xml);
        } else if (name == QLatin1String("Selection")) {
            set.selection.append(readComponentList(xml));
        } else if (name == QLatin1String("Visibility")) {
            readVisibility(xml, set);
        } else if (name == QLatin1String("Coloring")) {
            readColoring(xml, set);
        } else if (name == QLatin1String("Component")) {
            hasVersion20Components = true;
            addVersion20Component(xml, set, flat);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (hasVersion20Components)
        applyVersion20Visibility(flat, set);
    return set;
}

template<typename Camera>
void readCameraPoints(QXmlStreamReader& xml, Camera& camera, const QLatin1String& lastName, double& last)
{
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("CameraViewPoint"))
            camera.viewPoint = XmlInput::point(xml);
        else if (name == QLatin1String("CameraDirection"))
            camera.direction = XmlInput::point(xml);
        else if (name == QLatin1String("CameraUpVector"))
            camera.upVector = XmlInput::point(xml);
        else if (name == lastName)
            last = XmlInput::toDouble(XmlInput::text(xml));
        else if (name == QLatin1String("AspectRatio"))
            camera.aspectRatio = XmlInput::toDouble(XmlInput::text(xml));
        else
            xml.skipCurrentElement();
    }
}

QList<Line> readLines(QXmlStreamReader& xml)
{
    QList<Line> lines;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Line")) {
            xml.skipCurrentElement();
            continue;
        }
        Line line;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("StartPoint"))
                line.startPoint = XmlInput::point(xml);
            else if (xml.name() == QLatin1String("EndPoint"))
                line.endPoint = XmlInput::point(xml);
            else
                xml.skipCurrentElement();
        }
        lines.append(line);
    }
    return lines;
}

QList<ClippingPlane> readClippingPlanes(QXmlStreamReader& xml)
{
    QList<ClippingPlane> planes;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("ClippingPlane")) {
            xml.skipCurrentElement();
            continue;
        }
        ClippingPlane plane;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("Location"))
                plane.location = XmlInput::point(xml);
            else if (xml.name() == QLatin1String("Direction"))
                plane.direction = XmlInput::point(xml);
            else
                xml.skipCurrentElement();
        }
        planes.append(plane);
    }
    return planes;
}

// One child element of a bitmap: its format, reference, placement or height.
void readBitmapField(QXmlStreamReader& xml, Bitmap& bitmap)
{
    const QStringRef name = xml.name();
    if (name == QLatin1String("Format") || name == QLatin1String("Bitmap"))
        bitmap.format = XmlInput::text(xml);
    else if (name == QLatin1String("Reference"))
        bitmap.reference = XmlInput::text(xml);
    else if (name == QLatin1String("Location"))
        bitmap.location = XmlInput::point(xml);
    else if (name == QLatin1String("Normal"))
        bitmap.normal = XmlInput::point(xml);
    else if (name == QLatin1String("Up"))
        bitmap.up = XmlInput::point(xml);
    else if (name == QLatin1String("Height"))
        bitmap.height = XmlInput::toDouble(XmlInput::text(xml));
    else
        xml.skipCurrentElement();
}

// A Bitmap (2.1), Bitmaps (2.0: one bitmap) or Bitmaps (3.0: a list of Bitmap elements) element.
// A child "Bitmap" with text is the 2.x format; one with child elements is a 3.0 bitmap.
void readBitmaps(QXmlStreamReader& xml, QList<Bitmap>& bitmaps)
{
    Bitmap own;
    bool hasOwn = false;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Bitmap")) {
            hasOwn = true;
            readBitmapField(xml, own);
            continue;
        }
        Bitmap nested;
        QString text;
        bool isNested = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isCharacters()) {
                text += xml.text();
            } else if (xml.isStartElement()) {
                isNested = true;
                readBitmapField(xml, nested);
            } else if (xml.isEndElement()) {
                break;
            }
        }
        if (isNested) {
            bitmaps.append(nested);
        } else {
            own.format = text.trimmed();
            hasOwn = true;
        }
    }
    if (hasOwn)
        bitmaps.append(own);
}

} // namespace

bool VisualizationInfoReader::read(const QByteArray& bytes, Viewpoint* viewpoint)
{
    m_error.clear();
    QXmlStreamReader xml(bytes);
    if (!XmlInput::startDocument(xml, m_error))
        return false;
    if (xml.name() != QLatin1String("VisualizationInfo")) {
        m_error = QCoreApplication::translate("BCFLib::VisualizationInfoReader", "no VisualizationInfo element");
        return false;
    }

    std::optional<ComponentSet> components;
    std::optional<OrthogonalCamera> orthogonal;
    std::optional<PerspectiveCamera> perspective;
    QList<Line> lines;
    QList<ClippingPlane> planes;
    QList<Bitmap> bitmaps;
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("Components")) {
            components = readComponents(xml);
        } else if (name == QLatin1String("OrthogonalCamera")) {
            OrthogonalCamera camera;
            readCameraPoints(xml, camera, QLatin1String("ViewToWorldScale"), camera.viewToWorldScale);
            orthogonal = camera;
        } else if (name == QLatin1String("PerspectiveCamera")) {
            PerspectiveCamera camera;
            readCameraPoints(xml, camera, QLatin1String("FieldOfView"), camera.fieldOfView);
            perspective = camera;
        } else if (name == QLatin1String("Lines")) {
            lines.append(readLines(xml));
        } else if (name == QLatin1String("ClippingPlanes")) {
            planes.append(readClippingPlanes(xml));
        } else if (name == QLatin1String("Bitmap") || name == QLatin1String("Bitmaps")) {
            readBitmaps(xml, bitmaps);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = XmlInput::errorText(xml);
        return false;
    }
    viewpoint->setComponents(components);
    viewpoint->setOrthogonalCamera(orthogonal);
    viewpoint->setPerspectiveCamera(perspective);
    viewpoint->setLines(lines);
    viewpoint->setClippingPlanes(planes);
    // Bitmaps have no identifier in the file. Derive one from the viewpoint and the position, so
    // that loading the same file twice names its bitmaps alike.
    static const QUuid sBitmapNamespace(QStringLiteral("5b0f3a52-8d4e-4c1e-9a57-3f1c2b7de0a4"));
    for (int i = 0; i < bitmaps.size(); ++i) {
        const QString name = viewpoint->guid().toLower() + QStringLiteral("/bitmap/") + QString::number(i);
        bitmaps[i].guid = QUuid::createUuidV5(sBitmapNamespace, name).toString(QUuid::WithoutBraces);
    }
    viewpoint->setBitmaps(bitmaps);
    return true;
}

} // namespace BCFLib
