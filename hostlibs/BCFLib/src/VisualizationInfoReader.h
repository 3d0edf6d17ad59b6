#pragma once

#include <QByteArray>
#include <QString>

namespace BCFLib {

class Viewpoint;

// Reads a visualization info (.bcfv, BCF 2.1 or 2.0) into an existing viewpoint: components,
// cameras, lines, clipping planes and bitmap descriptions (the bitmap images are read by the
// caller). The file's own Guid is not used: the markup names the viewpoint. BCF 2.0 components
// (flat list with Selected, Visible and Color attributes) become selection, visibility exceptions
// and coloring groups.
class VisualizationInfoReader
{
public:
    bool read(const QByteArray& bytes, Viewpoint* viewpoint);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};

} // namespace BCFLib
