// A round trip through the writer of a file as other tools write it: loaded, written, validated
// against the BCF 2.1 schemas with xmllint and loaded again;
// every record, snapshot and embedded file must come back, apart from the writer's documented rules
// (RecordForm::AsWritten21). The official cases go through tst_writerversions.

#include "WriterTestSupport.h"

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFLib/Comment.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace WriterTest;
using namespace BCFTest;

namespace {

const QString sTopic = QStringLiteral("A1B2C3D4-0000-4000-8000-00000000000A");
const QString sFirstView = QStringLiteral("B1B2C3D4-0000-4000-8000-00000000000B");
const QString sCommentView = QStringLiteral("c1b2c3d4-0000-4000-8000-00000000000c");

// A BCF 2.0-style archive from the field: no bcf.version, a project without ExtensionSchema, a topic
// folder named otherwise than its guid, upper-case guids, files named Viewpoint_<guid>.bcfv and
// Snapshot_<guid>.PNG, a viewpoint referenced only from a comment, BCF 2.0 comment elements,
// zones as "+0200" and absent, components named only by their authoring tool, a visualization
// without guid, a field of view outside 45..60 and a lower-case colour.
bool writeFieldArchive(const QString& fileName)
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
</Markup>)").arg(sTopic, sFirstView, sCommentView).toUtf8();
    const QByteArray firstView = R"(<?xml version="1.0" encoding="UTF-8"?>
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
</VisualizationInfo>)";
    const QByteArray commentView = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<VisualizationInfo Guid="%1">
  <OrthogonalCamera>
    <CameraViewPoint><X>0</X><Y>0</Y><Z>10</Z></CameraViewPoint>
    <CameraDirection><X>0</X><Y>0</Y><Z>-1</Z></CameraDirection>
    <CameraUpVector><X>0</X><Y>1</Y><Z>0</Z></CameraUpVector>
    <ViewToWorldScale>2.5</ViewToWorldScale>
  </OrthogonalCamera>
</VisualizationInfo>)").arg(sCommentView).toUtf8();
    const QString folder = QStringLiteral("some-folder/");
    const QList<QPair<QString, QByteArray>> entries{
        {QStringLiteral("project.bcfp"),
         R"(<?xml version="1.0"?><ProjectExtension><Project ProjectId="field-project"><Name>Field</Name></Project></ProjectExtension>)"},
        {folder + QStringLiteral("markup.bcf"), markup},
        {folder + QStringLiteral("Viewpoint_") + sFirstView + QStringLiteral(".bcfv"), firstView},
        {folder + QStringLiteral("Snapshot_") + sFirstView + QStringLiteral(".PNG"), QByteArray("\x89PNG\r\n\x1a\nfield snapshot", 22)},
        {folder + sCommentView + QStringLiteral(".bcfv"), commentView}};

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

} // namespace

class TestWriterRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fieldFile();

private:
    // Writes original to m_written, validates it, loads it again into m_reloaded and compares.
    void writeAndCompare(const QSharedPointer<BCFLib::BCFModel>& original);

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_written;
    QSharedPointer<BCFLib::BCFModel> m_reloaded;
};

void TestWriterRoundTrip::init()
{
    m_dir.reset(new QTemporaryDir);
    m_written = m_dir->filePath(QStringLiteral("written.bcfzip"));
    m_reloaded.reset();
}

void TestWriterRoundTrip::writeAndCompare(const QSharedPointer<BCFLib::BCFModel>& original)
{
    QVERIFY(original->serialize(m_written));
    const QString report = validateArchive(m_written);
    QVERIFY2(report.isEmpty(), qPrintable(report));

    m_reloaded = loadAsViewer(m_written);
    QString message, title;
    QVERIFY2(m_reloaded->isValid(m_written, message, title), qPrintable(message));
    QVERIFY2(message.isEmpty(), qPrintable(QStringLiteral("the written file loads with losses: ") + message));
    const QString difference = compareRecords(modelRecord(*original, RecordForm::AsWritten21),
                                              modelRecord(*m_reloaded, RecordForm::WithoutFileNames));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestWriterRoundTrip::fieldFile()
{
    const QString source = m_dir->filePath(QStringLiteral("field.bcfzip"));
    QVERIFY(writeFieldArchive(source));
    const QSharedPointer<BCFLib::BCFModel> original = loadAsViewer(source);
    QCOMPARE(original->topicCount(), 1);
    QCOMPARE(original->topics().at(0)->viewpoints().size(), 2);
    writeAndCompare(original);
    if (QTest::currentTestFailed())
        return;

    // Zones as they were: +02:00 stays an offset, no zone stays local time.
    const BCFLib::Topic* topic = m_reloaded->topics().at(0);
    QCOMPARE(topic->creationDate().offsetFromUtc(), 2 * 3600);
    QCOMPARE(topic->modifiedDate().timeSpec(), Qt::LocalTime);
    // The topic's folder is its guid; the comment's viewpoint is a viewpoint of the topic.
    const ArchiveContent content = readArchive(m_written);
    QVERIFY(content.entries.contains(sTopic + QStringLiteral("/markup.bcf")));
    QVERIFY(content.entries.contains(sTopic + QStringLiteral("/snapshot.png")));
    QVERIFY(content.entries.contains(QStringLiteral("bcf.version")));
    QVERIFY(topic->viewpoint(topic->comments().at(0)->viewpointGuid()));
    QVERIFY(content.entries.value(QStringLiteral("project.bcfp")).data.contains("<ExtensionSchema></ExtensionSchema>"));
}

BCF_TEST_MAIN(TestWriterRoundTrip)
#include "tst_writerroundtrip.moc"
