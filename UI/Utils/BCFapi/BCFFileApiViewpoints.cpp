// Viewpoints, snapshots and components of BCFFileApi.
#include "BCFapi/BCFFileApi.h"

#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include "Utility/Vec3dFromQVariant.h"

namespace Vexamo {

// Viewpoints -------------------------------------------------------------------------------------

QVariantList BCFFileApi::getViewpoint(const QString& topic_id, const QString& project_id) const
{
    Q_UNUSED(project_id)
    QVariantList list;
    if (!m_model)
        return list;
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return list;
    for (const BCFLib::Viewpoint* viewpoint : topic->viewpoints())
        list.append(getSingleViewpoint(topic_id, viewpoint->guid(), QString()));
    return list;
}

QString BCFFileApi::createViewpoint(const QString& topic_id, const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QString();
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return QString();
    BCFLib::Viewpoint* created = topic->addViewpoint(viewpoint.value(BCFKeys::Guid).toString());
    if (!created)
        return QString();
    created->fromQVariant(viewpoint);
    return created->guid();
}

QVariantMap BCFFileApi::getSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const
{
    Q_UNUSED(project_id)
    if (!m_model)
        return QVariantMap();
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return QVariantMap();
    const BCFLib::Viewpoint* viewpoint = topic->viewpoint(viewpoint_id);
    if (!viewpoint)
        return QVariantMap();
    return viewpoint->toQVariant().toMap();
}

void BCFFileApi::editSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                     const QVariantMap& viewpoint, const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    BCFLib::Viewpoint* existing = topic->viewpoint(viewpoint_id);
    if (!existing)
        return;
    existing->fromQVariant(viewpoint);
}

void BCFFileApi::removeSingleViewpoint(const QString& topic_id, const QString& viewpoint_id,
                                       const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    topic->removeViewpoint(viewpoint_id);
}

// Snapshots and components -----------------------------------------------------------------------

QByteArray* BCFFileApi::getSnapshotContent(const QString& topic_id, const QString& viewpoint_id,
                                           const QString& project_id) const
{
    Q_UNUSED(project_id)
    if (!m_model)
        return nullptr;
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return nullptr;
    // The model keeps its own bytes; the caller gets a copy it owns.
    const QByteArray* snapshot = topic->snapshot(viewpoint_id);
    if (!snapshot)
        return nullptr;
    return new QByteArray(*snapshot);
}

void BCFFileApi::editSnapshotContent(const QString& topic_id, const QString& viewpoint_id, QByteArray* content,
                                     const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    // Snapshots are kept by the topic under the viewpoint's identifier, whether or not that
    // viewpoint exists; the model copies the bytes and ignores a null pointer.
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
    if (!m_model)
        return QVariantMap();
    const BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return QVariantMap();
    const BCFLib::Viewpoint* viewpoint = topic->viewpoint(viewpoint_id);
    if (!viewpoint)
        return QVariantMap();
    return viewpoint->componentsToQVariant();
}

void BCFFileApi::setComponent(const QString& topic_id, const QString& viewpoint_id, const QVariantMap& components,
                              const QString& project_id)
{
    Q_UNUSED(project_id)
    if (!m_model)
        return;
    BCFLib::Topic* topic = m_model->topic(topic_id);
    if (!topic)
        return;
    BCFLib::Viewpoint* viewpoint = topic->viewpoint(viewpoint_id);
    if (!viewpoint)
        return;
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
