#include "BCFTestSupport/ModelRecords.h"

#include "BCFTestSupport/TestMain.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/IsoDateTime.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QDirIterator>

namespace Keys = BCFLib::Keys;

namespace BCFTest {

QStringList officialCases(const QString& version)
{
    QStringList cases;
    QDirIterator it(bcfSharedFile(QStringLiteral("testcases/") + version), {QStringLiteral("*.bcf")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        cases.append(it.next());
    cases.sort();
    return cases;
}

void addOfficialCaseRows(const QString& version)
{
    QTest::addColumn<QString>("fileName");
    BCF_SKIP_WITHOUT_SHARED_DIR();
    const QDir root(bcfSharedFile(QStringLiteral("testcases/") + version));
    const QStringList cases = officialCases(version);
    if (cases.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no BCF %1 test cases under %2").arg(version, root.path())));
    for (const QString& fileName : cases)
        QTest::newRow(qPrintable(root.relativeFilePath(fileName))) << fileName;
}

QSharedPointer<BCFLib::BCFModel> loadAsViewer(const QString& fileName)
{
    BCFLib::BCFLoadingWorker worker(fileName);
    worker.doLoad();
    return worker.model();
}

namespace {

QVariantMap viewpointIn(QVariantMap viewpoint, RecordForm form)
{
    viewpoint.remove(Keys::ViewpointFile);
    viewpoint.remove(Keys::SnapshotFile);
    if (viewpoint.contains(Keys::Bitmaps)) {
        // The format has no place for a bitmap's guid: the reader derives it.
        QVariantList bitmaps;
        for (const QVariant& value : viewpoint.value(Keys::Bitmaps).toList()) {
            QVariantMap bitmap = value.toMap();
            bitmap.remove(Keys::Guid);
            bitmaps.append(bitmap);
        }
        viewpoint.insert(Keys::Bitmaps, bitmaps);
    }
    if (form == RecordForm::WithoutFileNames)
        return viewpoint;
    if (form == RecordForm::AsWritten30) {
        // A 3.0 viewpoint has one camera with an aspect ratio, which 2.1 cannot hold: the aspect
        // ratio is left out of the comparison, the perspective camera wins, and a viewpoint
        // without camera gets the writer's default one.
        viewpoint.insert(Keys::Guid, viewpoint.value(Keys::Guid).toString().toLower());
        if (viewpoint.contains(Keys::PerspectiveCamera))
            viewpoint.remove(Keys::OrthogonalCamera);
        if (!viewpoint.contains(Keys::PerspectiveCamera) && !viewpoint.contains(Keys::OrthogonalCamera))
            viewpoint.insert(Keys::PerspectiveCamera,
                             QVariantMap{{Keys::CameraViewPoint, QVariantMap{{"x", 0.0}, {"y", 0.0}, {"z", 0.0}}},
                                         {Keys::CameraDirection, QVariantMap{{"x", 0.0}, {"y", 0.0}, {"z", -1.0}}},
                                         {Keys::CameraUpVector, QVariantMap{{"x", 0.0}, {"y", 1.0}, {"z", 0.0}}},
                                         {Keys::FieldOfView, 60.0}});
        for (const QString& key : {QString(Keys::PerspectiveCamera), QString(Keys::OrthogonalCamera)}) {
            if (!viewpoint.contains(key))
                continue;
            QVariantMap camera = viewpoint.value(key).toMap();
            camera.remove(Keys::AspectRatio);
            viewpoint.insert(key, camera);
        }
        QVariantList bitmaps;
        for (const QVariant& value : viewpoint.value(Keys::Bitmaps).toList()) {
            QVariantMap bitmap = value.toMap();
            bitmap.insert(Keys::BitmapType, bitmap.value(Keys::BitmapType).toString().toUpper());
            bitmaps.append(bitmap);
        }
        if (viewpoint.contains(Keys::Bitmaps))
            viewpoint.insert(Keys::Bitmaps, bitmaps);
    }
    if (viewpoint.contains(Keys::PerspectiveCamera)) {
        // Rule "field of view": kept inside (0, 180), else 60.
        QVariantMap camera = viewpoint.value(Keys::PerspectiveCamera).toMap();
        const double fieldOfView = camera.value(Keys::FieldOfView).toDouble();
        camera.insert(Keys::FieldOfView, fieldOfView > 0.0 && fieldOfView < 180.0 ? fieldOfView : 60.0);
        viewpoint.insert(Keys::PerspectiveCamera, camera);
    }
    if (viewpoint.contains(Keys::Components)) {
        QVariantMap components = viewpoint.value(Keys::Components).toMap();
        QVariantList coloring;
        for (const QVariant& value : components.value(Keys::Coloring).toList()) {
            QVariantMap group = value.toMap();
            // Rule "colour spelling": upper-case hex. Rule "empty colour group": a Color needs a Component.
            group.insert(Keys::Color, group.value(Keys::Color).toString().toUpper());
            // Rule "colour required" (3.0): a group without a valid colour is left out.
            const QString color = group.value(Keys::Color).toString();
            const bool validColor = (color.size() == 6 || color.size() == 8)
                                    && QByteArray::fromHex(color.toLatin1()).size() == color.size() / 2;
            if (!group.value(Keys::Components).toList().isEmpty() && (form != RecordForm::AsWritten30 || validColor))
                coloring.append(group);
        }
        components.insert(Keys::Coloring, coloring);
        viewpoint.insert(Keys::Components, components);
    }
    return viewpoint;
}

QString blankAs(const QVariant& value, const QString& placeholder)
{
    const QString text = value.toString();
    return text.trimmed().isEmpty() ? placeholder : text;
}

// A topic record as both 2.1 and 3.0 hold it: lower-case guids, the 3.0 defaults for required
// values, without what 2.1 cannot hold (the server's id, document guids and URLs as such: a
// reference keeps its file name, content or URL as referenced document).
QVariantMap portableTopic(QVariantMap topic)
{
    topic.insert(Keys::Guid, topic.value(Keys::Guid).toString().toLower());
    topic.remove(Keys::ServerAssignedId);
    topic.insert(Keys::TopicType, blankAs(topic.value(Keys::TopicType), "Issue"));
    topic.insert(Keys::TopicStatus, blankAs(topic.value(Keys::TopicStatus), "Open"));
    topic.insert(Keys::Title, blankAs(topic.value(Keys::Title), "Untitled"));
    topic.insert(Keys::CreationAuthor, blankAs(topic.value(Keys::CreationAuthor), "Unknown"));
    QStringList related;
    for (const QString& guid : topic.value(Keys::RelatedTopics).toStringList())
        related.append(guid.toLower());
    topic.insert(Keys::RelatedTopics, related);
    QVariantList references;
    for (const QVariant& value : topic.value(Keys::DocumentReferences).toList()) {
        QVariantMap reference = value.toMap();
        reference.remove(Keys::Guid);
        reference.remove(Keys::DocumentGuid);
        reference.remove(Keys::Url);
        if (!reference.value(Keys::IsExternal).toBool())
            reference.insert(Keys::ReferencedDocument, reference.value(Keys::ReferencedDocument).toString().section('/', -1));
        references.append(reference);
    }
    topic.insert(Keys::DocumentReferences, references);
    QVariantList comments;
    for (const QVariant& value : topic.value(Keys::Comments).toList()) {
        QVariantMap comment = value.toMap();
        comment.insert(Keys::Guid, comment.value(Keys::Guid).toString().toLower());
        comment.insert(Keys::Author, blankAs(comment.value(Keys::Author), "Unknown"));
        if (comment.contains(Keys::ViewpointGuid))
            comment.insert(Keys::ViewpointGuid, comment.value(Keys::ViewpointGuid).toString().toLower());
        comments.append(comment);
    }
    topic.insert(Keys::Comments, comments);
    return topic;
}

bool isDateKey(const QString& key)
{
    return key == QLatin1String("date") || key.endsWith(QLatin1String("_date"));
}

} // namespace

QVariantMap topicRecordIn(QVariantMap topic, RecordForm form)
{
    if (form == RecordForm::AsRead)
        return topic;
    const QString epoch = QStringLiteral("1970-01-01T00:00:00Z");
    if (form == RecordForm::AsWritten30)
        topic = portableTopic(topic);
    if (form == RecordForm::AsWritten21 || form == RecordForm::AsWritten30) {
        // Rule "missing date": a topic or comment without its required date is written with the epoch.
        if (topic.value(Keys::CreationDate).toString().isEmpty())
            topic.insert(Keys::CreationDate, epoch);
        QVariantList comments;
        for (const QVariant& value : topic.value(Keys::Comments).toList()) {
            QVariantMap comment = value.toMap();
            // Rule "BCF 2.0 comment fields": no place for them in a BCF 2.1 markup.
            comment.remove(Keys::Status);
            comment.remove(Keys::VerbalStatus);
            comment.remove(Keys::ReplyToCommentGuid);
            if (comment.value(Keys::Date).toString().isEmpty())
                comment.insert(Keys::Date, epoch);
            comments.append(comment);
        }
        topic.insert(Keys::Comments, comments);
    }
    QVariantList viewpoints;
    for (const QVariant& value : topic.value(Keys::Viewpoints).toList())
        viewpoints.append(viewpointIn(value.toMap(), form));
    topic.insert(Keys::Viewpoints, viewpoints);
    return topic;
}

QVariantMap modelRecord(const BCFLib::BCFModel& model, RecordForm form)
{
    QVariantMap record{{QStringLiteral("version"), model.version().versionId()},
                       {QStringLiteral("extension_schema"), model.extensionSchema()},
                       {QStringLiteral("extension_schema_data"), model.extensionSchemaData()}};
    if (model.project())
        record.insert(QStringLiteral("project"), model.project()->toQVariant());
    QVariantList topics;
    for (const BCFLib::Topic* topic : model.topics()) {
        QVariantMap topicRecord = topicRecordIn(topic->toQVariant().toMap(), form);
        QVariantMap snapshots;
        for (const BCFLib::Viewpoint* viewpoint : topic->viewpoints()) {
            const QByteArray* snapshot = topic->snapshot(viewpoint->guid());
            snapshots.insert(viewpoint->guid().toLower(), snapshot ? *snapshot : QByteArray());
        }
        topicRecord.insert(QStringLiteral("snapshots"), snapshots);
        topics.append(topicRecord);
    }
    record.insert(QStringLiteral("topics"), topics);
    return record;
}

QString compareRecords(const QVariant& expected, const QVariant& actual, const QString& path)
{
    const auto text = [](const QVariant& value) {
        const QString shown = value.toString();
        return shown.size() > 80 ? shown.left(80) + QStringLiteral("...") : shown;
    };
    if (expected.userType() == QMetaType::QVariantMap || actual.userType() == QMetaType::QVariantMap) {
        const QVariantMap a = expected.toMap();
        const QVariantMap b = actual.toMap();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        for (const QString& key : keys) {
            const QString where = path + QLatin1Char('/') + key;
            if (a.contains(key) != b.contains(key))
                return QStringLiteral("%1: %2").arg(where, a.contains(key) ? "lost" : "appeared");
            const QString difference = compareRecords(a.value(key), b.value(key), where);
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantList || actual.userType() == QMetaType::QVariantList) {
        const QVariantList a = expected.toList();
        const QVariantList b = actual.toList();
        if (a.size() != b.size())
            return QStringLiteral("%1: %2 entries expected, %3 found").arg(path).arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString difference = compareRecords(a.at(i), b.at(i), path + QStringLiteral("[%1]").arg(i));
            if (!difference.isEmpty())
                return difference;
        }
        return QString();
    }
    if (isDateKey(path.section(QLatin1Char('/'), -1))) {
        const QDateTime a = BCFLib::IsoDateTime::fromVariant(expected);
        const QDateTime b = BCFLib::IsoDateTime::fromVariant(actual);
        if (a.isValid() != b.isValid() || (a.isValid() && a.toMSecsSinceEpoch() != b.toMSecsSinceEpoch()))
            return QStringLiteral("%1: date %2 expected, %3 found").arg(path, expected.toString(), actual.toString());
        return QString();
    }
    if (expected != actual)
        return QStringLiteral("%1: \"%2\" expected, \"%3\" found").arg(path, text(expected), text(actual));
    return QString();
}

} // namespace BCFTest
