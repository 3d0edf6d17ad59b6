#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

namespace BCFTool {

// Draws the snapshot images of the sample document: a simple building elevation seen from the
// viewpoint, with the place of the issue circled and a caption, encoded as PNG.
class SnapshotPainter
{
public:
    // variant picks the building's proportions; highlight is the colour of the marking.
    static QByteArray paint(int variant, const QString& caption, const QColor& highlight);
};

} // namespace BCFTool
