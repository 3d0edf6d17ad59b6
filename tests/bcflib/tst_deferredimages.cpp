// Reading with deferred images: the model holds sources instead of image bytes, and everything
// built from it (records, written archives) is what an eager read gives.

#include "ArchiveBuilder.h"
#include "TestHelpers.h"

#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/ZipEntries.h"

#include <QFile>
#include <QTemporaryDir>

using namespace BCFLib;

namespace {

const QString sTopic = QStringLiteral("11111111-2222-3333-4444-555555555555");
const QString sViewpoint = QStringLiteral("aaaaaaaa-1111-2222-3333-444444444444");

QSharedPointer<BCFModel> loadDeferred(const QString& fileName, const ReadLimits& limits = ReadLimits())
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    BCFArchiveReader reader(model.data());
    reader.setLimits(limits);
    reader.setDeferredImages(true);
    reader.read(fileName);
    return model;
}

QByteArray oneSnapshotArchive(const QByteArray& snapshot, bool wrongChecksum = false)
{
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .add(sTopic + QStringLiteral("/markup.bcf"),
             BCFLibTest::markup(sTopic, QStringLiteral("t"),
                                QStringLiteral("<Viewpoints Guid=\"%1\"><Snapshot>snapshot.png</Snapshot></Viewpoints>")
                                    .arg(sViewpoint)));
    if (wrongChecksum)
        archive.addWithWrongChecksum(sTopic + QStringLiteral("/snapshot.png"), snapshot);
    else
        archive.add(sTopic + QStringLiteral("/snapshot.png"), snapshot, false);
    return archive.bytes();
}

} // namespace

class TestDeferredImages : public QObject
{
    Q_OBJECT

private slots:
    void sameDocumentAndSameArchive_data() { BCFLibTest::addCaseRows({QStringLiteral("2.1"), QStringLiteral("3.0")}); }
    void sameDocumentAndSameArchive();
    void damagedSnapshotsAreLeftOutAsBefore_data();
    void damagedSnapshotsAreLeftOutAsBefore();
    void fileChangedAfterTheRead();
};

void TestDeferredImages::sameDocumentAndSameArchive()
{
    QFETCH(QString, fileName);
    const QSharedPointer<BCFModel> eager = BCFLibTest::loadFile(fileName);
    const QSharedPointer<BCFModel> deferred = loadDeferred(fileName);
    QCOMPARE(deferred->loadError(), eager->loadError());
    QCOMPARE(deferred->loadWarnings(), eager->loadWarnings());

    // Written first, while every image is still in its source: the same entries, byte for byte.
    const QTemporaryDir directory;
    for (const QString& version : {QStringLiteral("2.1"), QStringLiteral("3.0")}) {
        const QString fromEager = directory.filePath(QStringLiteral("eager-%1.bcf").arg(version));
        const QString fromDeferred = directory.filePath(QStringLiteral("deferred-%1.bcf").arg(version));
        eager->setVersion(Version(version));
        deferred->setVersion(Version(version));
        QCOMPARE(eager->serialize(fromEager), deferred->serialize(fromDeferred));
        bool eagerOk = false;
        bool deferredOk = false;
        const QList<BCFTest::ZipEntry> expected = BCFTest::readZipEntries(fromEager, &eagerOk);
        const QList<BCFTest::ZipEntry> actual = BCFTest::readZipEntries(fromDeferred, &deferredOk);
        QCOMPARE(deferredOk, eagerOk);
        QCOMPARE(BCFTest::zipEntryNames(actual), BCFTest::zipEntryNames(expected));
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(actual.at(i).data == expected.at(i).data, qPrintable(expected.at(i).name));
    }

    // Read through the sources, without keeping them, and then as records.
    for (const Topic* topic : eager->topics()) {
        const Topic* other = deferred->topic(topic->guid());
        QVERIFY(other);
        for (const Viewpoint* viewpoint : topic->viewpoints()) {
            const QByteArray* bytes = topic->snapshot(viewpoint->guid());
            QCOMPARE(other->hasSnapshot(viewpoint->guid()), bytes != nullptr);
            QByteArray read;
            QString error;
            QCOMPARE(other->readSnapshot(viewpoint->guid(), &read, &error), bytes != nullptr);
            QCOMPARE(read, bytes ? *bytes : QByteArray());
        }
    }
    const QString difference = BCFTest::compareRecords(BCFTest::modelRecord(*eager), BCFTest::modelRecord(*deferred));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestDeferredImages::damagedSnapshotsAreLeftOutAsBefore_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<qint64>("maxEntryBytes");
    QTest::addColumn<QString>("reported");
    const QByteArray png = BCFLibTest::pngImage(40, 30);
    QTest::newRow("wrong checksum") << oneSnapshotArchive(png, true) << ReadLimits().maxEntryBytes << "checksum";
    QTest::newRow("over the entry limit") << oneSnapshotArchive(png) << qint64(png.size() - 1) << "larger than allowed";
}

// A snapshot the eager read would leave out is checked when the deferred read describes it, and
// left out with the same warning, not found out only when a copy reads it.
void TestDeferredImages::damagedSnapshotsAreLeftOutAsBefore()
{
    QFETCH(QByteArray, archive);
    QFETCH(qint64, maxEntryBytes);
    QFETCH(QString, reported);
    const QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("damaged.bcf"));
    QVERIFY(BCFTest::writeFileBytes(path, archive));
    ReadLimits limits;
    limits.maxEntryBytes = maxEntryBytes;
    for (const QSharedPointer<BCFModel>& model : {BCFLibTest::load(archive, limits), loadDeferred(path, limits)}) {
        const Topic* topic = model->topic(sTopic);
        QVERIFY(topic);
        QVERIFY(!topic->hasSnapshot(sViewpoint));
        QVERIFY2(model->loadWarnings().join('\n').contains(reported), qPrintable(model->loadWarnings().join('\n')));
    }
}

void TestDeferredImages::fileChangedAfterTheRead()
{
    const QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("document.bcf"));
    const QByteArray first = BCFLibTest::pngImage(40, 30);
    QVERIFY(BCFTest::writeFileBytes(path, oneSnapshotArchive(first)));
    const QSharedPointer<BCFModel> model = loadDeferred(path);
    const Topic* topic = model->topic(sTopic);
    QVERIFY(topic && topic->hasSnapshot(sViewpoint));

    // Replaced as saving programs do (a new file renamed over it): still read as it was opened.
    const QString replacement = directory.filePath(QStringLiteral("replacement.bcf"));
    QVERIFY(BCFTest::writeFileBytes(replacement, oneSnapshotArchive(BCFLibTest::pngImage(80, 60))));
    QVERIFY(::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(path).constData()) == 0);
    QByteArray bytes;
    QVERIFY(topic->readSnapshot(sViewpoint, &bytes));
    QCOMPARE(bytes, first);

    // Cut short in place: the image cannot be read, and a write that needs it fails whole.
    const QSharedPointer<BCFModel> cut = loadDeferred(path);
    QVERIFY(cut->topic(sTopic)->hasSnapshot(sViewpoint));
    QVERIFY(QFile::resize(path, 200));
    QString error;
    QVERIFY(!cut->topic(sTopic)->readSnapshot(sViewpoint, &bytes, &error));
    QVERIFY(!error.isEmpty());
    const QString target = directory.filePath(QStringLiteral("written.bcf"));
    QVERIFY(!cut->serialize(target));
    QVERIFY2(cut->errorString().contains(QStringLiteral("snapshot.png could not be read")), qPrintable(cut->errorString()));
    QVERIFY(!QFile::exists(target));
}

BCF_TEST_MAIN(TestDeferredImages)
#include "tst_deferredimages.moc"
