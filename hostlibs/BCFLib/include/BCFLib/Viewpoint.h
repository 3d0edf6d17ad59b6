#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/Bitmap.h"
#include "BCFLib/ClippingPlane.h"
#include "BCFLib/ComponentSet.h"
#include "BCFLib/Line.h"
#include "BCFLib/OrthogonalCamera.h"
#include "BCFLib/PerspectiveCamera.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace BCFLib {

// One viewpoint of a topic: its entry in the markup (file names, index) and its visualization
// info (components, cameras, lines, clipping planes, bitmaps). The snapshot image is kept by the
// topic under the viewpoint's guid.
class BCFLIB_EXPORT Viewpoint
{
public:
    explicit Viewpoint(const QString& guid);
    virtual ~Viewpoint();

    QString guid() const { return m_guid; }

    // Names of the .bcfv and snapshot files as the markup gives them (empty when not given).
    QString viewpointFile() const { return m_viewpointFile; }
    void setViewpointFile(const QString& fileName) { m_viewpointFile = fileName; }
    QString snapshotFile() const { return m_snapshotFile; }
    void setSnapshotFile(const QString& fileName) { m_snapshotFile = fileName; }
    // Sort order among the topic's viewpoints; -1 when none.
    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    const std::optional<ComponentSet>& components() const { return m_components; }
    void setComponents(const std::optional<ComponentSet>& components) { m_components = components; }
    const std::optional<OrthogonalCamera>& orthogonalCamera() const { return m_orthogonalCamera; }
    void setOrthogonalCamera(const std::optional<OrthogonalCamera>& camera) { m_orthogonalCamera = camera; }
    const std::optional<PerspectiveCamera>& perspectiveCamera() const { return m_perspectiveCamera; }
    void setPerspectiveCamera(const std::optional<PerspectiveCamera>& camera) { m_perspectiveCamera = camera; }
    const QList<Line>& lines() const { return m_lines; }
    void setLines(const QList<Line>& lines) { m_lines = lines; }
    const QList<ClippingPlane>& clippingPlanes() const { return m_clippingPlanes; }
    void setClippingPlanes(const QList<ClippingPlane>& planes) { m_clippingPlanes = planes; }
    const QList<Bitmap>& bitmaps() const { return m_bitmaps; }
    void setBitmaps(const QList<Bitmap>& bitmaps) { m_bitmaps = bitmaps; }
    // The bitmap of that guid (compared case-insensitively), or null.
    const Bitmap* bitmap(const QString& guid) const;

    // The viewpoint record: "guid", "lines", "clipping_planes" always; "orthogonal_camera",
    // "perspective_camera", "components", "bitmaps" when the viewpoint has them;
    // "viewpoint_file", "snapshot_file" when set; "index" when not -1.
    QVariant toQVariant() const;
    // Replaces everything but the guid (the viewpoint's identity) from a viewpoint record. A key
    // that is missing clears its part; an empty camera map means no camera of that kind.
    void fromQVariant(const QVariant& record);

    // The component set record (see ComponentSet), an empty map when the viewpoint has none.
    virtual QVariantMap componentsToQVariant() const;
    // Replaces the component set; an empty map removes it.
    virtual void componentsFromQVariant(const QVariantMap& components);

private:
    QString m_guid;
    QString m_viewpointFile;
    QString m_snapshotFile;
    int m_index = -1;
    std::optional<ComponentSet> m_components;
    std::optional<OrthogonalCamera> m_orthogonalCamera;
    std::optional<PerspectiveCamera> m_perspectiveCamera;
    QList<Line> m_lines;
    QList<ClippingPlane> m_clippingPlanes;
    QList<Bitmap> m_bitmaps;
};

} // namespace BCFLib
