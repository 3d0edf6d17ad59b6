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
// documents. Every XML file validates against the BCF 2.1 schemas, which takes these rules:
// - Identifiers: a topic, comment, viewpoint or document guid that is a UUID keeps its text (its
//   braces dropped); any other identifier is written as a lower-case name-based UUID (version 5)
//   of its lower-case text, the same one in folder and file names and in every reference to it.
// - Missing required values: Title, CreationAuthor, comment Author and Comment, BimSnippet
//   SnippetType, Reference and ReferenceSchema are written empty; a missing (or unwritable)
//   CreationDate or comment Date is written as 1970-01-01T00:00:00Z; ExtensionSchema is written
//   empty when the model has none.
// - Restricted values: FieldOfView is limited to 45..60 degrees (NaN becomes 60); colours are
//   written as upper-case hex and left out when they are not 6 or 8 hex digits; IfcGuid,
//   IfcProject and IfcSpatialStructureElement are left out when they are not IFC guids; a bitmap's
//   format is PNG or JPG by content; a colour group without components and a related topic
//   without guid are left out; dates outside the years 1..9999 are left out (or defaulted where
//   required), zone offsets beyond 14 hours are written in UTC; characters XML cannot carry are
//   dropped from texts.
// - What BCF 2.1 cannot hold is not written: the BCF 2.0 comment fields Status, VerbalStatus and
//   ReplyToComment.
// - File names: see "viewpoint.bcfv"/"snapshot.png" above; bitmaps, the snippet file and
//   documents go where their references point when that is a free, plain path inside the archive,
//   else into the topic folder under their own file name, with the reference changed to match.
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
