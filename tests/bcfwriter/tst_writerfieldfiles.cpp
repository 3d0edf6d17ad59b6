// Files as other tools write them, read leniently and written back: the written archive validates
// and gives back what was read, apart from the writer's documented rules.

#include "WriterTestSupport.h"

#include "BCFLib/Comment.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace WriterTest;
namespace Keys = BCFLib::Keys;

namespace {

const QString sTopic = QStringLiteral("A1B2C3D4-0000-4000-8000-00000000000A");
const QString sFirstView = QStringLiteral("B1B2C3D4-0000-4000-8000-00000000000B");
const QString sCommentView = QStringLiteral("c1b2c3d4-0000-4000-8000-00000000000c");

bool writeZip(const QString& fileName, const QList<QPair<QString, QByteArray>>& entries)
{
    QuaZip zip(fileName);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& entry : entries) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.first)) || file.write(entry.second) != entry.second.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == ZIP_OK;
}

// A BCF 2.0-style archive from the field: no bcf.version, a project without ExtensionSchema, a topic
// folder named otherwise than its guid, upper-case guids, files named Viewpoint_<guid>.bcfv and
// Snapshot_<guid>.PNG, a viewpoint referenced only from a comment, BCF 2.0 comment elements,
// zones as "+0200" and absent, components named only by their authoring tool, a visualization
// without guid, a field of view outside 45..60 and a lower-case colour.
QList<QPair<QString, QByteArray>> fieldArchive()
{
    const QByteArray markup = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<Markup>
  <Topic Guid="%1" TopicType="Issue" TopicStatus="Open">
    <Title>Field file</Title>
    <CreationDate>2020-01-01T10:00:00+0200</CreationDate>
    <CreationAuthor>field@example.com</CreationAuthor>
    <ModifiedDate>2020-01-02T10:00:00</ModifiedDate>
  </Topic>
  <Comment Guid="D1B2C3D4-0000-4000-8000-00000000000D">
    <VerbalStatus>Open</VerbalStatus>
    <Status>Error</Status>
    <Date>2020-01-03T10:00:00Z</Date>
    <Author>field@example.com</Author>
    <Comment>Look here</Comment>
    <Topic Guid="%1"/>
    <Viewpoint Guid="%3"/>
  </Comment>
  <Viewpoints Guid="%2">
    <Viewpoint>Viewpoint_%2.bcfv</Viewpoint>
    <Snapshot>Snapshot_%2.PNG</Snapshot>
  </Viewpoints>
</Markup>)")
                                 .arg(sTopic, sFirstView, sCommentView)
                                 .toUtf8();
    const QByteArray firstView = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<VisualizationInfo>
  <Components>
    <Selection><Component><AuthoringToolId>wall-17</AuthoringToolId></Component></Selection>
    <Visibility DefaultVisibility="true"/>
    <Coloring><Color Color="ff0000"><Component IfcGuid="0fdpeZZEX3FwJ7x0ox5kzF"/></Color></Coloring>
  </Components>
  <PerspectiveCamera>
    <CameraViewPoint><X>1</X><Y>2</Y><Z>3</Z></CameraViewPoint>
    <CameraDirection><X>0</X><Y>1</Y><Z>0</Z></CameraDirection>
    <CameraUpVector><X>0</X><Y>0</Y><Z>1</Z></CameraUpVector>
    <FieldOfView>90</FieldOfView>
  </PerspectiveCamera>
</VisualizationInfo>)");
    const QByteArray commentView = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<VisualizationInfo Guid=")") + sCommentView.toUtf8() + QByteArray(R"(">
  <OrthogonalCamera>
    <CameraViewPoint><X>0</X><Y>0</Y><Z>10</Z></CameraViewPoint>
    <CameraDirection><X>0</X><Y>0</Y><Z>-1</Z></CameraDirection>
    <CameraUpVector><X>0</X><Y>1</Y><Z>0</Z></CameraUpVector>
    <ViewToWorldScale>2.5</ViewToWorldScale>
  </OrthogonalCamera>
</VisualizationInfo>)");
    const QByteArray project = R"(<?xml version="1.0"?><ProjectExtension><Project ProjectId="field-project"><Name>Field</Name></Project></ProjectExtension>)";
    QByteArray snapshot("\x89PNG\r\n\x1a\nfield snapshot", 22);
    const QString folder = QStringLiteral("some-folder/");
    return {{QStringLiteral("project.bcfp"), project},
            {folder + QStringLiteral("markup.bcf"), markup},
            {folder + QStringLiteral("Viewpoint_") + sFirstView + QStringLiteral(".bcfv"), firstView},
            {folder + QStringLiteral("Snapshot_") + sFirstView + QStringLiteral(".PNG"), snapshot},
            {folder + sCommentView + QStringLiteral(".bcfv"), commentView}};
}

// The writer's documented rules, applied to what was read.
QVariantMap expectedAfterWriting(QVariantMap model)
{
    QVariantList topics;
    for (const QVariant& topicValue : model.value(QStringLiteral("topics")).toList()) {
        QVariantMap topic = topicValue.toMap();
        QVariantList comments;
        for (const QVariant& commentValue : topic.value(Keys::Comments).toList()) {
            QVariantMap comment = commentValue.toMap();
            // Rule "BCF 2.0 comment fields": not in a BCF 2.1 markup.
            comment.remove(Keys::Status);
            comment.remove(Keys::VerbalStatus);
            comments.append(comment);
        }
        topic.insert(Keys::Comments, comments);
        QVariantList viewpoints;
        for (const QVariant& viewpointValue : topic.value(Keys::Viewpoints).toList()) {
            QVariantMap viewpoint = viewpointValue.toMap();
            // Rule "file names": chosen by the writer.
            viewpoint.remove(Keys::ViewpointFile);
            viewpoint.remove(Keys::SnapshotFile);
            if (viewpoint.contains(Keys::PerspectiveCamera)) {
                // Rule "field of view": limited to 45..60 degrees.
                QVariantMap camera = viewpoint.value(Keys::PerspectiveCamera).toMap();
                camera.insert(Keys::FieldOfView, qBound(45.0, camera.value(Keys::FieldOfView).toDouble(), 60.0));
                viewpoint.insert(Keys::PerspectiveCamera, camera);
            }
            if (viewpoint.contains(Keys::Components)) {
                // Rule "colour spelling": upper-case hex.
                QVariantMap components = viewpoint.value(Keys::Components).toMap();
                QVariantList coloring;
                for (const QVariant& group : components.value(Keys::Coloring).toList()) {
                    QVariantMap map = group.toMap();
                    map.insert(Keys::Color, map.value(Keys::Color).toString().toUpper());
                    coloring.append(map);
                }
                components.insert(Keys::Coloring, coloring);
                viewpoint.insert(Keys::Components, components);
            }
            viewpoints.append(viewpoint);
        }
        topic.insert(Keys::Viewpoints, viewpoints);
        topics.append(topic);
    }
    model.insert(QStringLiteral("topics"), topics);
    return model;
}

QVariantMap withoutFileNames(const QVariantMap& model)
{
    QVariantMap result = model;
    QVariantList topics;
    for (const QVariant& topicValue : model.value(QStringLiteral("topics")).toList()) {
        QVariantMap topic = topicValue.toMap();
        QVariantList viewpoints;
        for (const QVariant& viewpointValue : topic.value(Keys::Viewpoints).toList()) {
            QVariantMap viewpoint = viewpointValue.toMap();
            viewpoint.remove(Keys::ViewpointFile);
            viewpoint.remove(Keys::SnapshotFile);
            viewpoints.append(viewpoint);
        }
        topic.insert(Keys::Viewpoints, viewpoints);
        topics.append(topic);
    }
    result.insert(QStringLiteral("topics"), topics);
    return result;
}

} // namespace

class TestWriterFieldFiles : public QObject
{
    Q_OBJECT

private slots:
    void fieldFileWrittenBack();
};

void TestWriterFieldFiles::fieldFileWrittenBack()
{
    WRITER_SKIP_WITHOUT_SHARED_DIR();
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("field.bcfzip"));
    QVERIFY(writeZip(source, fieldArchive()));
    const QSharedPointer<BCFLib::BCFModel> original = load(source);
    QCOMPARE(original->topicCount(), 1);
    QCOMPARE(original->topics().at(0)->viewpoints().size(), 2);

    const QString written = dir.filePath(QStringLiteral("written.bcfzip"));
    QVERIFY(original->serialize(written));
    const QString report = validateArchive(written);
    QVERIFY2(report.isEmpty(), qPrintable(report));

    const QSharedPointer<BCFLib::BCFModel> reloaded = load(written);
    QString message, title;
    QVERIFY(reloaded->isValid(written, message, title));
    QVERIFY2(message.isEmpty(), qPrintable(message));
    const QString difference =
        compareRecords(expectedAfterWriting(modelRecord(*original)), withoutFileNames(modelRecord(*reloaded)));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    // Zones as they were: +02:00 stays an offset, no zone stays local time.
    const BCFLib::Topic* topic = reloaded->topics().at(0);
    QCOMPARE(topic->creationDate().offsetFromUtc(), 2 * 3600);
    QCOMPARE(topic->modifiedDate().timeSpec(), Qt::LocalTime);
    // The topic's folder is its guid; the comment's viewpoint is a viewpoint of the topic.
    const ArchiveContent content = readArchive(written);
    QVERIFY(content.entries.contains(sTopic + QStringLiteral("/markup.bcf")));
    QVERIFY(content.entries.contains(sTopic + QStringLiteral("/snapshot.png")));
    QVERIFY(content.entries.contains(QStringLiteral("bcf.version")));
    QVERIFY(topic->viewpoint(topic->comments().at(0)->viewpointGuid()));
    QVERIFY(content.entries.value(QStringLiteral("project.bcfp")).data.contains("<ExtensionSchema></ExtensionSchema>"));
}

WRITER_TEST_MAIN(TestWriterFieldFiles)
#include "tst_writerfieldfiles.moc"
