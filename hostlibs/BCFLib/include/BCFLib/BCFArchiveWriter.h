#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

class BCFModel;

// Writes a model as a BCF 2.1 archive; BCFModel::serialize() uses it.
//
// The archive holds bcf.version, project.bcfp (when the model has a project or an extension
// schema), the extension schema file when the model holds its content, and one folder per topic,
// named by the topic guid, with markup.bcf, one .bcfv per viewpoint ("viewpoint.bcfv" for the
// first, "<guid>.bcfv" for the others), the snapshots ("snapshot.png"/".jpg" for the first,
// "<guid>.png"/".jpg" for the others, by content), bitmaps, the internal snippet file and internal
// documents. Every XML file validates against the BCF 2.1 schemas:
// - identifiers that are not UUIDs are written as UUIDs (see GuidScope: UUIDs keep their text,
//   braces are dropped, anything else becomes a name-based UUID), the same one everywhere the
//   identifier is referenced;
// - values the schemas require but the model lacks get defaults (see MarkupWriter: empty texts,
//   1970-01-01T00:00:00Z for a missing creation or comment date);
// - values the schemas restrict are brought into range or left out (see MarkupWriter and
//   VisualizationInfoWriter).
// Images (PNG, JPEG, GIF, WebP by content) are stored, everything else is deflated. Zip64 is used
// when the content approaches the 4 GiB or 65535-entry limits of plain zip, or when asked for.
//
// The archive is written to a temporary file beside the target and renamed over it only when it is
// complete: a failed write leaves an existing file as it was and no temporary file behind.
class BCFLIB_EXPORT BCFArchiveWriter
{
public:
    enum class Zip64Mode { WhenNeeded, Always };

    explicit BCFArchiveWriter(const BCFModel& model);

    void setZip64Mode(Zip64Mode mode) { m_zip64Mode = mode; }

    // True on success; otherwise errorString() says what went wrong.
    bool write(const QString& fileName);
    QString errorString() const { return m_error; }

private:
    const BCFModel& m_model;
    Zip64Mode m_zip64Mode = Zip64Mode::WhenNeeded;
    QString m_error;
};

} // namespace BCFLib
