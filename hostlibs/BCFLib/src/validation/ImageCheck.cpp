#include "ImageCheck.h"

#include "ArchiveContents.h"
#include "ArchiveEntries.h"
#include "ImageHeader.h"
#include "ProblemList.h"

namespace BCFLib {

namespace {

const QString sCheck = QStringLiteral("image");
// Enough for the signature and, for JPEG, the frame header after the usual metadata segments.
const qint64 sHeaderBytes = 128 * 1024;
const int sMaxSnapshotSide = 1500;

} // namespace

void ImageCheck::checkImage(const ArchiveContents& contents, const QString& folder, const QString& reference,
                            const QString& declaredFormat, bool isSnapshot, const QString& entry, int line,
                            ProblemList& problems)
{
    const QString what = isSnapshot ? QStringLiteral("snapshot") : QStringLiteral("bitmap");
    const QString path = ArchiveEntries::resolve(folder, reference);
    if (reference.isEmpty() || path.isEmpty() || contents.entries().find(path).isEmpty()) {
        problems.error(sCheck, entry, line, QStringLiteral("the %1 \"%2\" is not in the archive").arg(what, reference));
        return;
    }
    QByteArray bytes;
    if (!contents.entries().read(path, sHeaderBytes, false, bytes)) {
        problems.error(sCheck, path, 0, QStringLiteral("the %1 cannot be read: %2").arg(what, contents.entries().errorString()));
        return;
    }
    const ImageHeader header = ImageHeader::read(bytes);
    if (header.format == ImageHeader::Unknown) {
        problems.error(sCheck, entry, line, QStringLiteral("the %1 \"%2\" is neither a PNG nor a JPEG image").arg(what, reference));
        return;
    }
    const ImageHeader::Format expected = ImageHeader::formatOfName(declaredFormat);
    if (expected != header.format) {
        problems.error(sCheck, entry, line,
                       QStringLiteral("the %1 \"%2\" is a %3 image, but its %4 says %5")
                           .arg(what, reference, ImageHeader::formatName(header.format),
                                isSnapshot ? QStringLiteral("name") : QStringLiteral("format"),
                                expected == ImageHeader::Unknown ? declaredFormat : ImageHeader::formatName(expected)));
    }
    if (isSnapshot && contents.isVersion3() && header.size.isValid()
        && qMax(header.size.width(), header.size.height()) > sMaxSnapshotSide)
        problems.error(sCheck, entry, line,
                       QStringLiteral("the snapshot \"%1\" is %2 x %3 pixels; BCF 3.0 allows at most %4 on the long side")
                           .arg(reference)
                           .arg(header.size.width())
                           .arg(header.size.height())
                           .arg(sMaxSnapshotSide));
}

void ImageCheck::run(const ArchiveContents& contents, ProblemList& problems)
{
    for (const ArchiveContents::TopicMarkup& topic : contents.topics()) {
        for (xmlNodePtr viewpoint : topic.viewpoints) {
            const xmlNodePtr snapshot = XmlDocument::child(viewpoint, "Snapshot");
            if (!snapshot)
                continue;
            const QString reference = XmlDocument::text(snapshot);
            checkImage(contents, topic.folder, reference, reference, true, topic.markup->entry,
                       XmlDocument::line(snapshot), problems);
        }
        // BCF 1.0 names its one snapshot by convention only.
        const QString legacySnapshot = topic.folder + QStringLiteral("/snapshot.png");
        if (contents.version() == QLatin1String("1.0") && !contents.entries().find(legacySnapshot).isEmpty())
            checkImage(contents, topic.folder, QStringLiteral("snapshot.png"), QStringLiteral("snapshot.png"), true,
                       topic.markup->entry, 0, problems);
    }
    for (const ArchiveContents::XmlPart& part : contents.parts()) {
        if (part.kind != SchemaSet::Visualization)
            continue;
        const QString folder = part.entry.section(QLatin1Char('/'), 0, -2);
        // 2.0 "Bitmaps", 2.1 "Bitmap" with a "Bitmap" format child, 3.0 "Bitmaps/Bitmap" with "Format".
        QVector<xmlNodePtr> bitmaps = XmlDocument::descendants(part.document.root(), "Bitmap");
        bitmaps += XmlDocument::descendants(part.document.root(), "Bitmaps");
        for (xmlNodePtr bitmap : qAsConst(bitmaps)) {
            const xmlNodePtr reference = XmlDocument::child(bitmap, "Reference");
            if (!reference)
                continue;
            xmlNodePtr format = XmlDocument::child(bitmap, "Format");
            if (!format)
                format = XmlDocument::child(bitmap, "Bitmap");
            checkImage(contents, folder, XmlDocument::text(reference), XmlDocument::text(format), false, part.entry,
                       XmlDocument::line(reference), problems);
        }
    }
}

} // namespace BCFLib
