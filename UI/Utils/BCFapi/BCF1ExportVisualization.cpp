// The visualization document of BCF1Export: the content of a topic's "viewpoint.bcfv" entry.

#include "BCFapi/BCF1Export.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include "BCFLib/DOMXml.h"

namespace Vexamo {

namespace {

// Appends the point element name, made from the point record under key, to parent.
void appendPoint(QDomDocument& doc, QDomElement& parent, const QString& name, const QVariantMap& record,
                 const QString& key)
{
    parent.appendChild(DOMXml::createPointElement(doc, name, record.value(key).toMap()));
}

// Appends a camera element with its three vectors and its number; nothing for an absent or
// empty camera record.
void appendCamera(QDomDocument& doc, QDomElement& root, const QString& name, const QVariantMap& viewpoint,
                  const QString& cameraKey, const QString& numberName, const QString& numberKey)
{
    if (!viewpoint.contains(cameraKey))
        return;
    const QVariantMap camera = viewpoint.value(cameraKey).toMap();
    if (camera.isEmpty())
        return;
    QDomElement element = doc.createElement(name);
    root.appendChild(element);
    appendPoint(doc, element, QStringLiteral("CameraViewPoint"), camera, BCFKeys::CameraViewPoint);
    appendPoint(doc, element, QStringLiteral("CameraDirection"), camera, BCFKeys::CameraDirection);
    appendPoint(doc, element, QStringLiteral("CameraUpVector"), camera, BCFKeys::CameraUpVector);
    DOMXml::AddNumberElement(doc, element, numberName, camera.value(numberKey).toDouble());
}

struct PointPairList
{
    QString listKey;
    QString container;
    QString item;
    QString firstKey;
    QString firstName;
    QString secondKey;
    QString secondName;
};

// Appends the container with one item of two points per non-empty record of the list; nothing for
// an absent or empty list. Empty records are skipped.
void appendPointPairs(QDomDocument& doc, QDomElement& root, const QVariantMap& viewpoint, const PointPairList& layout)
{
    if (!viewpoint.contains(layout.listKey))
        return;
    const QVariantList list = viewpoint.value(layout.listKey).toList();
    if (list.isEmpty())
        return;
    QDomElement container = doc.createElement(layout.container);
    root.appendChild(container);
    for (const QVariant& entry : list) {
        const QVariantMap record = entry.toMap();
        if (record.isEmpty())
            continue;
        QDomElement item = doc.createElement(layout.item);
        container.appendChild(item);
        appendPoint(doc, item, layout.firstName, record, layout.firstKey);
        appendPoint(doc, item, layout.secondName, record, layout.secondKey);
    }
}

} // namespace

QDomDocument BCF1Export::serializeViewpoint(const QVariantMap& viewpoint)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("VisualizationInfo"));
    doc.appendChild(root);
    writeComponents(viewpoint, doc, root);
    writeCameras(viewpoint, doc, root);
    writeLines(viewpoint, doc, root);
    writeClippingPlanes(viewpoint, doc, root);
    return doc;
}

void BCF1Export::writeComponents(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root)
{
    // The key only tells that the viewpoint has components; the source gives the current set.
    if (!viewpoint.contains(BCFKeys::Components))
        return;
    QDomElement components = doc.createElement(QStringLiteral("Components"));
    root.appendChild(components);

    const QVariantMap set = m_recordsComplete ? viewpoint.value(BCFKeys::Components).toMap()
        : m_source ? m_source->getComponent(m_currentTopicGuid, viewpoint.value(BCFKeys::Guid).toString(), QString())
                   : QVariantMap();
    if (!set.contains(BCFKeys::Selection))
        return;
    const QVariantList selection = set.value(BCFKeys::Selection).toList();
    for (const QVariant& entry : selection) {
        const QVariantMap component = entry.toMap();
        QDomElement element = doc.createElement(QStringLiteral("Component"));
        components.appendChild(element);
        element.setAttribute(QStringLiteral("IfcGuid"), component.value(BCFKeys::IfcGuid).toString());
        if (component.contains(BCFKeys::OriginatingSystem))
            element.appendChild(DOMXml::createTextElement(doc, QStringLiteral("OriginatingSystem"),
                                                          component.value(BCFKeys::OriginatingSystem).toString()));
        if (component.contains(BCFKeys::AuthoringToolId))
            element.appendChild(DOMXml::createTextElement(doc, QStringLiteral("AuthoringToolId"),
                                                          component.value(BCFKeys::AuthoringToolId).toString()));
    }
}

void BCF1Export::writeCameras(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root)
{
    appendCamera(doc, root, QStringLiteral("OrthogonalCamera"), viewpoint, BCFKeys::OrthogonalCamera,
                 QStringLiteral("ViewToWorldScale"), BCFKeys::ViewToWorldScale);
    appendCamera(doc, root, QStringLiteral("PerspectiveCamera"), viewpoint, BCFKeys::PerspectiveCamera,
                 QStringLiteral("FieldOfView"), BCFKeys::FieldOfView);
}

void BCF1Export::writeLines(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root)
{
    appendPointPairs(doc, root, viewpoint,
                     {BCFKeys::Lines, QStringLiteral("Lines"), QStringLiteral("Line"), BCFKeys::StartPoint,
                      QStringLiteral("StartPoint"), BCFKeys::EndPoint, QStringLiteral("EndPoint")});
}

void BCF1Export::writeClippingPlanes(const QVariantMap& viewpoint, QDomDocument& doc, QDomElement& root)
{
    appendPointPairs(doc, root, viewpoint,
                     {BCFKeys::ClippingPlanes, QStringLiteral("ClippingPlanes"), QStringLiteral("ClippingPlane"),
                      BCFKeys::Location, QStringLiteral("Location"), BCFKeys::Direction, QStringLiteral("Direction")});
}

} // namespace Vexamo
