#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/ConversionNote.h"
#include "BCFLib/Document.h"
#include "BCFLib/ProjectExtensions.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace BCFLib {

class ArchivePlan;
class BCFModel;
class ConversionLog;
class TopicLayout;

// Writes a model as a BCF 2.1 or 3.0 archive; BCFModel::serialize() uses it. The version is the
// model's (3.0 when its version id is 3.x, else 2.1) unless setVersion() chooses another.
//
// A 2.1 archive holds bcf.version, project.bcfp (when the model has a project, an extension schema
// or extension lists), the extension schema file (the model's, or one made from its lists), and
// one folder per topic, named by the topic guid, with markup.bcf, one .bcfv per viewpoint
// ("viewpoint.bcfv" for the first, "<guid>.bcfv" for the others), the snapshots ("snapshot.png"/
// ".jpg" for the first, "<guid>.png"/".jpg" for the others, by content), bitmaps, the internal
// snippet file and internal documents.
// A 3.0 archive holds bcf.version, project.bcfp (when the model has a project), extensions.xml
// (always: the model's lists, or those of its 2.1 extension schema, else the values its topics
// use), documents.xml
// with the Documents folder (the model's documents and every internal document a 2.x reference
// carries), and the topic folders as above, with comments and viewpoints inside the markup's
// Topic and every guid in lower case.
// Every XML file validates against the schemas of its version, which takes these rules:
// - Identifiers: a topic, comment, viewpoint or document guid that is a UUID keeps its text (its
//   braces dropped; in 3.0 lower-cased); any other identifier is written as a lower-case
//   name-based UUID (version 5) of its lower-case text, the same one in folder and file names and
//   in every reference to it (reported).
// - Missing required values: see MarkupWriter and VisualizationInfoWriter (3.0: TopicType
//   "Issue", TopicStatus "Open", placeholders for blank required texts, a default camera, and
//   AspectRatio from the snapshot or 1.0); ExtensionSchema is written empty in 2.1 when the model
//   has none.
// - Restricted values: FieldOfView is kept as read within (0, 180) (else 60, reported); colours
//   are written as upper-case hex and left out when they are not 6 or 8 hex digits; IfcGuid,
//   IfcProject and IfcSpatialStructureElement are left out when they are not IFC guids; a
//   bitmap's format is PNG or JPG by content; a colour group without components and a related
//   topic without guid are left out; dates outside the years 1..9999 are left out (or defaulted
//   where required), zone offsets beyond 14 hours are written in UTC; characters XML cannot
//   carry are dropped from texts (reported per topic).
// - What the version cannot hold is not written and is reported: the BCF 2.0 comment fields
//   Status, VerbalStatus and ReplyToComment; in 2.1 ServerAssignedId, AspectRatio, the
//   descriptions of 3.0 documents and documents no topic refers to, snippet type lists; in 3.0
//   the extension schema file (its enumerations become extensions.xml) and a second camera.
// - File names: see "viewpoint.bcfv"/"snapshot.png" above; bitmaps, the snippet file and
//   documents go where their references point when that is a free, plain path inside the archive,
//   else into the topic folder under their own file name, with the reference changed to match.
// Images (PNG, JPEG, GIF, WebP by content) are stored, everything else is deflated. Zip64 is used
// when the content approaches the 4 GiB or 65535-entry limits of plain zip, or when asked for.
//
// What is written must open again: a document with a file larger than the reader's limits
// (ReadLimits: a markup or other XML file over 32 MiB, any other file over 256 MiB, more than
// 3 GiB or 250000 files together) is refused with an error naming the file; nothing is written.
//
// The archive is written to a temporary file beside the target and renamed over it only when it is
// complete: a failed write leaves an existing file as it was and no temporary file behind.
class BCFLIB_EXPORT BCFArchiveWriter
{
public:
    enum class Zip64Mode { WhenNeeded, Always };
    // Told about every write: the file, success, the error text, the conversion report. A headless
    // host (bcftool) installs one to show what a save left out; empty by default.
    using WriteObserver = std::function<void(const QString& fileName, bool written, const QString& error,
                                             const ConversionReport& report)>;

    explicit BCFArchiveWriter(const BCFModel& model);

    void setZip64Mode(Zip64Mode mode) { m_zip64Mode = mode; }
    // "3.0" (or any 3.x) writes BCF 3.0, anything else BCF 2.1.
    void setVersion(const QString& versionId);

    // True on success; otherwise errorString() says what went wrong.
    bool write(const QString& fileName);
    QString errorString() const { return m_error; }
    // What the last write left out or changed (also after a failed write).
    ConversionReport report() const { return m_report; }

    static void setWriteObserver(WriteObserver observer);

private:
    bool writeArchive(const QString& fileName);
    ProjectExtensions extensionsInUse() const;
    QList<Document> placeDocuments(const std::vector<std::unique_ptr<TopicLayout>>& layouts, ConversionLog& log) const;
    void noteDocumentsLost21(ConversionLog& log) const;
    QString checkReadLimits(const ArchivePlan& plan) const;
    static WriteObserver& observer();

    const BCFModel& m_model;
    bool m_version3 = false;
    Zip64Mode m_zip64Mode = Zip64Mode::WhenNeeded;
    QString m_error;
    ConversionReport m_report;
};

} // namespace BCFLib
