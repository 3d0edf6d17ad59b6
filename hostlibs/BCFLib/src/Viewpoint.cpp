#include "BCFLib/Viewpoint.h"

#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

Viewpoint::Viewpoint(const QString& guid)
    : m_guid(guid)
{
}

Viewpoint::~Viewpoint() = default;

const Bitmap* Viewpoint::bitmap(const QString& guid) const
{
    for (const Bitmap& bitmap : m_bitmaps) {
        if (bitmap.guid.compare(guid, Qt::CaseInsensitive) == 0)
            return &bitmap;
    }
    return nullptr;
}

QVariant Viewpoint::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::Guid, m_guid);
    if (m_orthogonalCamera)
        record.insert(Keys::OrthogonalCamera, m_orthogonalCamera->toQVariant());
    if (m_perspectiveCamera)
        record.insert(Keys::PerspectiveCamera, m_perspectiveCamera->toQVariant());

    QVariantList lines;
    for (const Line& line : m_lines)
        lines.append(line.toQVariant());
    record.insert(Keys::Lines, lines);

    QVariantList planes;
    for (const ClippingPlane& plane : m_clippingPlanes)
        planes.append(plane.toQVariant());
    record.insert(Keys::ClippingPlanes, planes);

    if (m_components)
        record.insert(Keys::Components, m_components->toQVariant());
    if (!m_bitmaps.isEmpty()) {
        QVariantList bitmaps;
        for (const Bitmap& bitmap : m_bitmaps)
            bitmaps.append(bitmap.toQVariant());
        record.insert(Keys::Bitmaps, bitmaps);
    }
    RecordValues::insertIfNotEmpty(record, Keys::ViewpointFile, m_viewpointFile);
    RecordValues::insertIfNotEmpty(record, Keys::SnapshotFile, m_snapshotFile);
    if (m_index != -1)
        record.insert(Keys::Index, m_index);
    return record;
}

void Viewpoint::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();

    const QVariantMap orthogonal = map.value(Keys::OrthogonalCamera).toMap();
    if (orthogonal.isEmpty())
        m_orthogonalCamera.reset();
    else
        m_orthogonalCamera = OrthogonalCamera::fromQVariant(orthogonal);

    const QVariantMap perspective = map.value(Keys::PerspectiveCamera).toMap();
    if (perspective.isEmpty())
        m_perspectiveCamera.reset();
    else
        m_perspectiveCamera = PerspectiveCamera::fromQVariant(perspective);

    m_lines.clear();
    for (const QVariant& line : map.value(Keys::Lines).toList())
        m_lines.append(Line::fromQVariant(line));
    m_clippingPlanes.clear();
    for (const QVariant& plane : map.value(Keys::ClippingPlanes).toList())
        m_clippingPlanes.append(ClippingPlane::fromQVariant(plane));

    componentsFromQVariant(map.value(Keys::Components).toMap());

    m_bitmaps.clear();
    for (const QVariant& bitmap : map.value(Keys::Bitmaps).toList())
        m_bitmaps.append(Bitmap::fromQVariant(bitmap));

    m_viewpointFile = map.value(Keys::ViewpointFile).toString();
    m_snapshotFile = map.value(Keys::SnapshotFile).toString();
    m_index = RecordValues::intFromRecord(map.value(Keys::Index), -1);
}

QVariantMap Viewpoint::componentsToQVariant() const
{
    return m_components ? m_components->toQVariant() : QVariantMap();
}

void Viewpoint::componentsFromQVariant(const QVariantMap& components)
{
    if (components.isEmpty())
        m_components.reset();
    else
        m_components = ComponentSet::fromQVariant(components);
}

} // namespace BCFLib
