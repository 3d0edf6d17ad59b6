// The BCF 1.0 archive that BCF1Export::serialize writes: entries, their settings, and failures.

#include "ExportLogRecorder.h"

#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"
#include "BCFTestSupport/ZipEntries.h"

#include "BCFapi/BCF1Export.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <log4cplus/loglevel.h>


using Vexamo::BCF1Export;

namespace {

// An in-memory source that can list topics without a record behind them and can answer
// getViewpoint for topics whose record has no "viewpoints" key.
class ScriptedSource : public BCFTest::InMemoryBCFapi
{
public:
    QStringList phantomTopics;
    QMap<QString, QVariantList> unlistedViewpoints;

    QVariantList getTopic(const QString& project_id) const override
    {
        QVariantList topics;
        for (const QString& guid : phantomTopics)
            topics.append(QVariantMap{{"guid", guid}});
        return topics + InMemoryBCFapi::getTopic(project_id);
    }

    QVariantList getViewpoint(const QString& topic_id, const QString& project_id) const override
    {
        if (unlistedViewpoints.contains(topic_id))
            return unlistedViewpoints.value(topic_id);
        return InMemoryBCFapi::getViewpoint(topic_id, project_id);
    }
};

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(2024);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

const QString sDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");

} // namespace

class TestBCF1ExportArchive : public QObject
{
    Q_OBJECT

private slots:
    void archiveHoldsTheTopicsInOrder();
    void emptyAndUnsafeTopicsAreSkipped();
    void emptySourceGivesAnEmptyArchive();
    void failedExportKeepsTheExistingFile();
};

void TestBCF1ExportArchive::archiveHoldsTheTopicsInOrder()
{
    // Bytes that a text-mode or re-encoding write would change.
    const QByteArray firstSnapshot = QByteArray("\x89PNG\r\n\x1a\n\0\r\n", 11) + randomBytes(4096);
    ScriptedSource source;
    source.createTopic({{"guid", "ga"},
                        {"title", "A"},
                        {"viewpoints", QVariantList{QVariantMap{{"guid", "v1"},
                                                                {"orthogonal_camera",
                                                                 QVariantMap{{"view_to_world_scale", 2.0}}}},
                                                    QVariantMap{{"guid", "v2"},
                                                                {"perspective_camera",
                                                                 QVariantMap{{"field_of_view", 50.0}}}}}}},
                       QString());
    source.setSnapshot("ga", "v1", firstSnapshot);
    source.setSnapshot("ga", "v2", "second");
    // No "viewpoints" key: no viewpoint entry, whatever getViewpoint would say.
    source.createTopic({{"guid", "gb"}, {"title", "B"}}, QString());
    source.unlistedViewpoints.insert("gb", QVariantList{QVariantMap{{"guid", "vb"}}});
    source.setSnapshot("gb", "vb", "never");
    // A viewpoint without snapshot, an empty viewpoint list, an empty first viewpoint.
    source.createTopic({{"guid", "gc"}, {"viewpoints", QVariantList{QVariantMap{{"guid", "v3"}}}}}, QString());
    source.createTopic({{"guid", "gd"}, {"viewpoints", QVariantList()}}, QString());
    source.createTopic({{"guid", "ge"}, {"viewpoints", QVariantList{QVariantMap(), QVariantMap{{"guid", "v5"}}}}},
                       QString());

    QTemporaryDir dir;
    const QString path = dir.filePath("layout.bcfzip");
    ExportLogRecorder log;
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));
    QVERIFY(log.events().isEmpty());
    QCOMPARE(source.outstandingContentCopies(), 0);

    bool ok = false;
    const QList<BCFTest::ZipEntry> entries = BCFTest::readZipEntries(path, &ok);
    QVERIFY(ok);
    QCOMPARE(BCFTest::zipEntryNames(entries), (QStringList{"ga/markup.bcf", "ga/viewpoint.bcfv", "ga/snapshot.png",
                                               "gb/markup.bcf", "gc/markup.bcf", "gc/viewpoint.bcfv",
                                               "gd/markup.bcf", "ge/markup.bcf"}));
    for (const BCFTest::ZipEntry& entry : entries) {
        QCOMPARE(entry.unixMode, quint32(0444));
        QCOMPARE(entry.method, quint16(8));
        QCOMPARE(entry.flags & 6, 0); // neither the fast nor the maximum deflate levels
    }

    QCOMPARE(QString::fromUtf8(entries.at(0).data),
             sDeclaration + "<Markup>\n"
                            "    <Header/>\n"
                            "    <Topic Guid=\"ga\">\n"
                            "        <Title>A</Title>\n"
                            "    </Topic>\n"
                            "</Markup>\n");
    // The first viewpoint only (the orthogonal one), in the same layout.
    const QString viewpoint = QString::fromUtf8(entries.at(1).data);
    QVERIFY2(viewpoint.startsWith(sDeclaration + "<VisualizationInfo>\n    <OrthogonalCamera>\n"
                                                 "        <CameraViewPoint>\n            <X>0</X>\n"),
             qPrintable(viewpoint));
    QVERIFY(viewpoint.endsWith("        <ViewToWorldScale>2</ViewToWorldScale>\n"
                               "    </OrthogonalCamera>\n</VisualizationInfo>\n"));
    QVERIFY(!viewpoint.contains("PerspectiveCamera"));
    QCOMPARE(entries.at(2).data, firstSnapshot);
    QCOMPARE(QString::fromUtf8(entries.at(5).data), sDeclaration + "<VisualizationInfo/>\n");
}

void TestBCF1ExportArchive::emptyAndUnsafeTopicsAreSkipped()
{
    ScriptedSource source;
    source.phantomTopics = QStringList{"ghost"};
    const QStringList unsafe = {"../evil", "a/b", "..", ".", "x\\y", "c:", "tab\tname"};
    for (const QString& guid : unsafe) {
        source.createTopic({{"guid", guid}, {"viewpoints", QVariantList{QVariantMap{{"guid", "v"}}}}}, QString());
        source.setSnapshot(guid, "v", "png");
    }
    source.createTopic({{"guid", "good"}, {"title", "kept"}}, QString());

    QTemporaryDir dir;
    const QString path = dir.filePath("skipped.bcfzip");
    ExportLogRecorder log;
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));

    QStringList expected{"BCF 1 export warning : empty topic, can't write it"};
    for (int i = 0; i < unsafe.size(); ++i)
        expected.append("BCF 1 export warning : unsafe topic guid, can't write it");
    QCOMPARE(log.messages(log4cplus::WARN_LOG_LEVEL), expected);
    QVERIFY(log.messages(log4cplus::ERROR_LOG_LEVEL).isEmpty());
    bool ok = false;
    QCOMPARE(BCFTest::zipEntryNames(BCFTest::readZipEntries(path, &ok)), QStringList{"good/markup.bcf"});
    QVERIFY(ok);
}

void TestBCF1ExportArchive::emptySourceGivesAnEmptyArchive()
{
    BCFTest::InMemoryBCFapi source;
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.bcfzip");
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));
    // A zip archive without entries is its end-of-central-directory record alone.
    QCOMPARE(BCFTest::fileBytes(path), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
}

void TestBCF1ExportArchive::failedExportKeepsTheExistingFile()
{
    BCFTest::InMemoryBCFapi source;
    source.createTopic({{"guid", "big"}, {"viewpoints", QVariantList{QVariantMap{{"guid", "v"}}}}}, QString());
    source.setSnapshot("big", "v", randomBytes(2 * 1024 * 1024));

    QTemporaryDir dir;
    const QString path = dir.filePath("keep.bcfzip");
    QVERIFY(BCFTest::writeFileBytes(path, "previous content"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));

    // A missing folder: the error names the file, and nothing is created.
    ExportLogRecorder log;
    BCF1Export exporter(&source);
    const QString missing = dir.filePath("missing/folder/out.bcfzip");
    QVERIFY(!exporter.serialize(missing));
    QCOMPARE(log.messages(log4cplus::ERROR_LOG_LEVEL),
             QStringList{QStringLiteral("BCF 1 export error : can't create BCF1 bcfzip file named %1.").arg(missing)});
    QVERIFY(!QFileInfo::exists(missing));

    // A file size limit makes the archive's writes fail part-way, as a full disk would.
    {
        BCFTest::FileSizeLimit limit(256 * 1024);
        QVERIFY(limit.isActive());
        QVERIFY(!exporter.serialize(path));
    }
    const QStringList errors = log.messages(log4cplus::ERROR_LOG_LEVEL);
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors.last().startsWith("BCF 1 export error : "), qPrintable(errors.last()));
    QCOMPARE(BCFTest::fileBytes(path), QByteArray("previous content"));
    // No partial archive or temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.bcfzip"});

    // A successful export replaces the file and keeps its permissions.
    QVERIFY(exporter.serialize(path));
    bool ok = false;
    QCOMPARE(BCFTest::zipEntryNames(BCFTest::readZipEntries(path, &ok)),
             (QStringList{"big/markup.bcf", "big/viewpoint.bcfv", "big/snapshot.png"}));
    QVERIFY(ok);
    const int ownerGroupOther = 0x7077; // without the flags for the current user
    QCOMPARE(int(QFileInfo(path).permissions()) & ownerGroupOther,
             int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
}

BCF_TEST_MAIN(TestBCF1ExportArchive)
#include "tst_bcf1exportarchive.moc"
