// Viewpoints, snapshots and components of BCFFileApi.
#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include "Utility/Vec3dFromQVariant.h"

namespace Vexamo {

BCFLib::Viewpoint* BCFFileApi::viewpointOf(const QString& topic_id, const QString& viewpoint_id) const
{
    const BCFLib::Topic* topic = topicOf(topic_id);
    return topic ? topic->viewpoint(viewpoint_id) : nullptr;
}

// Viewpoints -------------------------------------------------------------------------------------

QVariantList BCFFileApi::getViewpoint(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    if (const BCFLib::Topic* topic = topicOf(topic_id)) {
        // Through the single-record read, so that a subclass overriding it changes the list too.
        for (const BCFLib::Viewpoint* viewpoint : topic->viewpoints())
            list.append(getSingleViewpoint(topic_id, viewpoint->guid(), QString()));
    }
    return list;
}

QString BCFFileApi::createViewpoint(const QString& topic_id, const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    BCFLib::Topic* topic = topicOf(topic_id);
    BCFLib::Viewpoint* created = topic ? topic->addViewpoint(viewpoint.value(BCFKeys::Guid).toString()) : nullptr;
    if (!created)
        return QString();
    created->fromQVariant(viewpoint);
    return created->guid();
}

QVariantMap BCFFileApi::getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const
{
    Q_UNUSED(project_id)
    const BCFLib::Viewpoint* viewpoint = viewpointOf(topic_id, viewpoint_id);
    return viewpoint ? viewpoint->toQVariant().toMap() : QVariantMap();
}

void BCFFileApi::editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                     const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (BCFLib::Viewpoint* existing = viewpointOf(topic_id, viewpoint_id))
        existing->fromQVariant(viewpoint);
}

void BCFFileApi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& project_id)
{
    Q_UNUSED(project_id)
    if (BCFLib::Topic* topic = topicOf(topic_id))
        topic->removeViewpoint(viewpoint_id);
}

// Snapshots and components -----------------------------------------------------------------------

QByteArray* BCFFileApi::getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const
{
    Q_UNUSED(project_id)
    const BCFLib::Topic* topic = topicOf(topic_id);
    // The caller gets a copy it owns. An image the model left in its file is read for this call
    // and not kept, so a copy of a large document holds one image at a time.
    QByteArray bytes;
    if (!topic || !topic->hasSnapshot(viewpoint_id))
        return nullptr;
    QString error;
    if (!topic->readSnapshot(viewpoint_id, &bytes, &error)) {
        qWarning("The snapshot of viewpoint %s could not be read: %s", qUtf8Printable(viewpoint_id),
                 qUtf8Printable(error));
        return nullptr;
    }
    return new QByteArray(bytes);
}

void BCFFileApi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                     const QString& project_id)
{
    Q_UNUSED(project_id)
    // Snapshots are kept by the topic under the viewpoint's identifier, whether or not that
    // viewpoint exists; the model copies the bytes and ignores a null pointer.
    if (BCFLib::Topic* topic = topicOf(topic_id))
        topic->addSnapshot(viewpoint_id, content);
}

QByteArray* BCFFileApi::getBitmapContent(const QString& topic_id, const QString& viewpoint_id,
                                         const QString& bitmap_id, const QString& project_id) const
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(project_id)
    return nullptr;
}

void BCFFileApi::editBitmapContent(const QString& topic_id, const QString& viewpoint_id, const QString& bitmap_id,
                                   QByteArray* content, const QString& project_id)
{
    Q_UNUSED(topic_id)
    Q_UNUSED(viewpoint_id)
    Q_UNUSED(bitmap_id)
    Q_UNUSED(content)
    Q_UNUSED(project_id)
}

QVariantMap BCFFileApi::getComponent(const QString& topic_id, const QString& viewpoint_id,
                                     const QString& project_id) const
{
    Q_UNUSED(project_id)
    const BCFLib::Viewpoint* viewpoint = viewpointOf(topic_id, viewpoint_id);
    return viewpoint ? viewpoint->componentsToQVariant() : QVariantMap();
}

void BCFFileApi::setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                              const QString& project_id)
{
    Q_UNUSED(project_id)
    if (BCFLib::Viewpoint* viewpoint = viewpointOf(topic_id, viewpoint_id))
        viewpoint->componentsFromQVariant(components);
}

// Camera conversions -----------------------------------------------------------------------------

BCFLib::OrthogonalCamera BCFFileApi::orthogonalCameraFromQVariant(const QVariantMap& camera) const
{
    BCFLib::OrthogonalCamera result;
    result.viewPoint = Vec3dFromQVariant(camera.value(BCFKeys::CameraViewPoint).toMap());
    result.direction = Vec3dFromQVariant(camera.value(BCFKeys::CameraDirection).toMap());
    result.upVector = Vec3dFromQVariant(camera.value(BCFKeys::CameraUpVector).toMap());
    result.viewToWorldScale = camera.value(BCFKeys::ViewToWorldScale).toDouble();
    return result;
}

BCFLib::PerspectiveCamera BCFFileApi::perspectiveCamerafromQVariant(const QVariantMap& camera) const
{
    BCFLib::PerspectiveCamera result;
    result.viewPoint = Vec3dFromQVariant(camera.value(BCFKeys::CameraViewPoint).toMap());
    result.direction = Vec3dFromQVariant(camera.value(BCFKeys::CameraDirection).toMap());
    result.upVector = Vec3dFromQVariant(camera.value(BCFKeys::CameraUpVector).toMap());
    result.fieldOfView = camera.value(BCFKeys::FieldOfView).toDouble();
    return result;
}

} // namespace Vexamo
