// Round trip of every official BCF 2.1 test case: load, write, validate what was written against
// the BCF 2.1 schemas, load again and compare every record, snapshot and embedded file.

#include "WriterTestSupport.h"

#include "BCFLib/IsoDateTime.h"
#include "BCFLib/RecordKeys.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>

using namespace WriterTest;
namespace Keys = BCFLib::Keys;

namespace {

// What the written archive is expected to give back for a record read from an official case.
// Each change below is one of the documented rules of the writer, named as such.
QVariantMap expectedAfterWriting(QVariantMap model)
{
    QVariantList topics;
    for (const QVariant& topicValue : model.value(QStringLiteral("topics")).toList()) {
        QVariantMap topic = topicValue.toMap();

        // Rule "missing CreationDate": a topic without creation date is written with 1970-01-01T00:00:00Z.
        if (topic.value(Keys::CreationDate).toString().isEmpty())
            topic.insert(Keys::CreationDate, QStringLiteral("1970-01-01T00:00:00Z"));

        QVariantList comments;
        for (const QVariant& commentValue : topic.value(Keys::Comments).toList()) {
            QVariantMap comment = commentValue.toMap();
            // Rule "BCF 2.0 comment fields": Status, VerbalStatus and ReplyToComment have no place
            // in a BCF 2.1 markup and are not written.
            comment.remove(Keys::Status);
            comment.remove(Keys::VerbalStatus);
            comment.remove(Keys::ReplyToCommentGuid);
            // Rule "missing comment Date": written as 1970-01-01T00:00:00Z.
            if (comment.value(Keys::Date).toString().isEmpty())
                comment.insert(Keys::Date, QStringLiteral("1970-01-01T00:00:00Z"));
            comments.append(comment);
        }
        topic.insert(Keys::Comments, comments);

        QVariantList viewpoints;
        for (const QVariant& viewpointValue : topic.value(Keys::Viewpoints).toList()) {
            QVariantMap viewpoint = viewpointValue.toMap();
            if (viewpoint.contains(Keys::Components)) {
                QVariantMap components = viewpoint.value(Keys::Components).toMap();
                QVariantList coloring;
                for (const QVariant& groupValue : components.value(Keys::Coloring).toList()) {
                    QVariantMap group = groupValue.toMap();
                    // Rule "colour spelling": colours are written in upper-case hex.
                    group.insert(Keys::Color, group.value(Keys::Color).toString().toUpper());
                    // Rule "empty colour group": a Color needs at least one Component.
                    if (!group.value(Keys::Components).toList().isEmpty())
                        coloring.append(group);
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

// Rule "file names": viewpoint and snapshot files are renamed as the writer names them; the names
// are checked on their own, the rest of the records must match.
QVariantMap withoutFileNames(QVariantMap model)
{
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
    model.insert(QStringLiteral("topics"), topics);
    return model;
}

} // namespace

class TestOfficialRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
};

void TestOfficialRoundTrip::roundTrip_data()
{
    QTest::addColumn<QString>("fileName");
    const QStringList cases = officialCases();
    for (const QString& fileName : cases)
        QTest::newRow(qPrintable(QFileInfo(fileName).dir().dirName() + QLatin1Char('/') + QFileInfo(fileName).fileName()))
            << fileName;
    if (cases.isEmpty())
        QTest::newRow("no cases") << QString();
}

void TestOfficialRoundTrip::roundTrip()
{
    WRITER_SKIP_WITHOUT_SHARED_DIR();
    QFETCH(QString, fileName);
    QVERIFY2(!fileName.isEmpty(), "no official test cases found under testcases/2.1");

    const QSharedPointer<BCFLib::BCFModel> original = load(fileName);
    QVERIFY(original);
    QString message, title;
    QVERIFY2(original->isValid(fileName, message, title), qPrintable(message));

    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("written.bcfzip"));
    QVERIFY(original->serialize(written));

    const QString report = validateArchive(written);
    QVERIFY2(report.isEmpty(), qPrintable(report));

    const QSharedPointer<BCFLib::BCFModel> reloaded = load(written);
    QVERIFY(reloaded);
    QVERIFY2(reloaded->isValid(written, message, title), qPrintable(message));
    QVERIFY2(message.isEmpty(), qPrintable(QStringLiteral("the written file loads with losses: ") + message));

    const QString difference = compareRecords(withoutFileNames(expectedAfterWriting(modelRecord(*original))),
                                                withoutFileNames(modelRecord(*reloaded)));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    // Rule "file names": the first viewpoint is viewpoint.bcfv with snapshot.png, the others are
    // named by their guid; every snapshot is there.
    const ArchiveContent content = readArchive(written);
    QVERIFY(content.ok);
    for (const BCFLib::Topic* topic : reloaded->topics()) {
        const QList<BCFLib::Viewpoint*> viewpoints = topic->viewpoints();
        for (int i = 0; i < viewpoints.size(); ++i) {
            const BCFLib::Viewpoint* viewpoint = viewpoints.at(i);
            const QString stem = i == 0 ? QStringLiteral("viewpoint") : viewpoint->guid();
            QCOMPARE(viewpoint->viewpointFile(), stem + QStringLiteral(".bcfv"));
            QVERIFY(content.entries.contains(topic->guid() + QLatin1Char('/') + viewpoint->viewpointFile()));
            if (topic->snapshot(viewpoint->guid())) {
                QCOMPARE(viewpoint->snapshotFile(), (i == 0 ? QStringLiteral("snapshot") : viewpoint->guid())
                                                        + QStringLiteral(".png"));
                const EntryInfo snapshot =
                    content.entries.value(topic->guid() + QLatin1Char('/') + viewpoint->snapshotFile());
                QCOMPARE(snapshot.method, 0); // images are stored
            }
        }
        QCOMPARE(content.entries.value(topic->guid() + QStringLiteral("/markup.bcf")).method, 8);
    }
    for (const QString& name : content.names)
        QVERIFY2(isSafeEntryName(name), qPrintable(name));
}

WRITER_TEST_MAIN(TestOfficialRoundTrip)
#include "tst_officialroundtrip.moc"
