// Hostile archives: whatever the bytes, the reader refuses them or reads what is sound, reports
// what it skipped, and stays within its limits.

#include "ArchiveBuilder.h"
#include "BCFLib/BCFArchiveReader.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/BimSnippet.h"
#include "BCFLib/Comment.h"
#include "BCFLib/DocumentReference.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"
#include "TestHelpers.h"

#include <QFile>
#include <QTemporaryDir>

using namespace BCFLib;
using BCFLibTest::markup;

namespace {

const QString sTopic = QStringLiteral("3f2504e0-4f89-41d3-9a0c-0305e82c3301");

QString report(const QSharedPointer<BCFModel>& model)
{
    QString message, title;
    model->isValid(QStringLiteral("hostile.bcfzip"), message, title);
    return message;
}

// Every one of parts appears in the load report.
void expectReported(const QSharedPointer<BCFModel>& model, const QStringList& parts)
{
    const QString message = report(model);
    for (const QString& part : parts)
        QVERIFY2(message.contains(part), qPrintable(part + " not in: " + message));
}

// Peak resident memory of this process in KiB, or -1 where the system does not tell.
qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

const QByteArray sBillionLaughs =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE Markup [\n"
    " <!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
    " <!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
    " <!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
    " <!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
    " <!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
    " <!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n"
    " <!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
    "]>\n<Markup><Topic Guid=\"11111111-2222-3333-4444-555555555555\"><Title>&g;</Title></Topic></Markup>";

const QByteArray sExternalEntity =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE Markup [ <!ENTITY secret SYSTEM \"file:///etc/passwd\"> ]>\n"
    "<Markup><Topic Guid=\"22222222-2222-3333-4444-555555555555\"><Title>&secret;</Title></Topic></Markup>";

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void compressionBombWithLyingHeader();
    void zipSlipNames();
    void unsafeGuids();
    void entityBombsAndDtds();
    void notAnArchive_data();
    void notAnArchive();
    void truncatedArchives();
    void damagedEntriesAndLimits();
};

void TestHostile::compressionBombWithLyingHeader()
{
    // 128 MiB of zeros in about 128 KiB: a snapshot under headers that tell the size, a markup under
    // headers that claim 100 bytes (inflating stops at the claimed size, and the checksum fails).
    quint32 crc = 0;
    const QByteArray bomb = ArchiveBuilder::rawDeflateZeros(128LL * 1024 * 1024, &crc);
    QVERIFY(bomb.size() < 1024 * 1024);
    const QString viewpoint = QStringLiteral("aaaaaaaa-1111-2222-3333-444444444444");
    ArchiveBuilder archive;
    archive.add(sTopic + QStringLiteral("/markup.bcf"),
                markup(sTopic, QStringLiteral("victim"),
                       QStringLiteral("<Viewpoints Guid=\"%1\"><Snapshot>snapshot.png</Snapshot></Viewpoints>").arg(viewpoint)))
        .addRawDeflated(sTopic + QStringLiteral("/snapshot.png"), bomb, crc, 128u * 1024 * 1024)
        .addRawDeflated(QStringLiteral("bomb/markup.bcf"), bomb, crc, 100);
    const QByteArray bytes = archive.bytes();

    ReadLimits limits;
    limits.maxEntryBytes = 1024 * 1024;
    limits.maxXmlEntryBytes = 1024 * 1024;
    const qint64 peakBefore = peakResidentKiB();
    const QSharedPointer<BCFModel> model = BCFLibTest::load(bytes, limits);
    const qint64 peakAfter = peakResidentKiB();

    // The sound topic is read, without the oversized snapshot; the bomb folder is skipped; both reported.
    Topic* topic = model->topic(sTopic);
    QVERIFY(topic);
    QVERIFY(!topic->snapshot(viewpoint));
    QCOMPARE(model->topics().size(), 1);
    expectReported(model, {"snapshot.png is larger than allowed", "bomb/markup.bcf is damaged"});
    if (peakBefore < 0)
        QSKIP("peak memory is not available on this system");
    QVERIFY2(peakAfter - peakBefore < 32 * 1024, qPrintable(QStringLiteral("peak grew by %1 KiB").arg(peakAfter - peakBefore)));
}

void TestHostile::zipSlipNames()
{
    const QStringList outside{QStringLiteral("../evil/markup.bcf"), QStringLiteral("/abs/markup.bcf"), QStringLiteral("C:/win/markup.bcf"),
                              QStringLiteral("a/../../b/markup.bcf"), QStringLiteral("..\\back\\markup.bcf")};
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile());
    for (int i = 0; i < outside.size(); ++i)
        archive.add(outside.at(i), markup(QStringLiteral("e%1").arg(i), QStringLiteral("evil")));
    archive.add(QStringLiteral("outside.txt"), "secret at the root")
        // A sound topic whose references try to leave the archive or its own tree.
        .add(sTopic + QStringLiteral("/markup.bcf"),
             markup(sTopic, QStringLiteral("good"))
                 .replace("</Topic>", "<BimSnippet SnippetType=\"x\"><Reference>../../../outside.txt</Reference>"
                                      "<ReferenceSchema>s</ReferenceSchema></BimSnippet>"
                                      "<DocumentReference><ReferencedDocument>/etc/passwd</ReferencedDocument></DocumentReference>"
                                      "<DocumentReference><ReferencedDocument>../outside.txt</ReferencedDocument></DocumentReference>"
                                      "</Topic>"));

    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QVERIFY(model->loadError().isEmpty());
    QCOMPARE(model->topics().size(), 1);
    Topic* topic = model->topic(sTopic);
    QVERIFY(topic);
    QVERIFY(topic->bimSnippet()->snippetData().isEmpty());            // leaves the archive
    QVERIFY(topic->documentReferences().at(0)->documentData().isEmpty()); // absolute
    QCOMPARE(topic->documentReferences().at(1)->documentData(), QByteArray("secret at the root")); // inside: fine
    expectReported(model, outside.mid(0, 4));
}

void TestHostile::unsafeGuids()
{
    // Topic guids that would leave or break the topic's folder name, each in a folder t1..t6.
    const QStringList unsafe{QStringLiteral("../../etc"), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                             QStringLiteral("tab&#9;here"), QString(300, QLatin1Char('a'))};
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile());
    for (int i = 0; i < unsafe.size(); ++i)
        archive.add(QStringLiteral("t%1/markup.bcf").arg(i + 1), markup(unsafe.at(i), QStringLiteral("unsafe")));
    archive
        .add(QStringLiteral(".../markup.bcf"), "<Markup><Topic><Title>no guid, unsafe folder</Title></Topic></Markup>")
        .add(sTopic + QStringLiteral("/markup.bcf"),
             markup(sTopic, QStringLiteral("good"),
                    QStringLiteral("<Comment Guid=\"../c\"><Comment>bad</Comment></Comment>"
                                   "<Comment Guid=\"ok-comment\"><Comment>fine</Comment></Comment>"
                                   "<Comment Guid=\"OK-COMMENT\"><Comment>repeated</Comment></Comment>"
                                   "<Viewpoints Guid=\"../../v\"><Viewpoint>../../v.bcfv</Viewpoint></Viewpoints>"
                                   "<Viewpoints Guid=\"good-view\"/>")));

    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QCOMPARE(model->topics().size(), 1);
    Topic* topic = model->topic(sTopic);
    QVERIFY(topic);
    QCOMPARE(topic->comments().size(), 1);
    QCOMPARE(topic->comments().first()->text(), QStringLiteral("fine"));
    QCOMPARE(topic->viewpoints().size(), 1);
    QCOMPARE(topic->viewpoints().first()->guid(), QStringLiteral("good-view"));

    QStringList parts{"not a plain identifier", "repeated guid"};
    for (const char* folder : {"t1", "t2", "t3", "t4", "t5", "t6", "..."})
        parts << QStringLiteral("Topic folder %1 was skipped").arg(QLatin1String(folder));
    expectReported(model, parts);
}

void TestHostile::entityBombsAndDtds()
{
    const QString viewpoint = QStringLiteral("aaaaaaaa-1111-2222-3333-444444444444");
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), "<!DOCTYPE Version [<!ENTITY v \"9.9\">]><Version VersionId=\"&v;\"/>")
        .add(QStringLiteral("laughs/markup.bcf"), sBillionLaughs)
        .add(QStringLiteral("external/markup.bcf"), sExternalEntity)
        .add(sTopic + QStringLiteral("/markup.bcf"),
             markup(sTopic, QStringLiteral("good"), QStringLiteral("<Viewpoints Guid=\"%1\"><Viewpoint>v.bcfv</Viewpoint></Viewpoints>").arg(viewpoint)))
        .add(sTopic + QStringLiteral("/v.bcfv"),
             QByteArray("<!DOCTYPE VisualizationInfo SYSTEM \"http://example.invalid/x.dtd\"><VisualizationInfo>"
                        "<OrthogonalCamera/></VisualizationInfo>"));

    const QSharedPointer<BCFModel> model = BCFLibTest::load(archive.bytes());
    QVERIFY(model->loadError().isEmpty());
    QCOMPARE(model->version().versionId(), QStringLiteral("2.1")); // the DTD'd version file is not used
    QCOMPARE(model->topics().size(), 1);
    Topic* topic = model->topic(sTopic);
    QVERIFY(topic);
    QVERIFY(!topic->viewpoint(viewpoint)->orthogonalCamera()); // its visualization was refused
    expectReported(model, {"Topic folder laughs was skipped", "Topic folder external was skipped",
                           "document type declarations are not allowed", "bcf.version"});
}

void TestHostile::notAnArchive_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("<Markup><Topic Guid=\"x\"/></Markup>");
    QTest::newRow("random") << QByteArray(4096, '\xa7');
    QTest::newRow("local header only") << QByteArray("PK\x03\x04\x14\0\0\0\x08\0", 10);
    QTest::newRow("end record only") << QByteArray("PK\x05\x06\0\0\0\0\x05\0\x05\0\xff\xff\0\0\xff\xff\xff\x7f\0\0", 22);
    QTest::newRow("empty zip") << ArchiveBuilder().bytes();
    QTest::newRow("zip without BCF") << ArchiveBuilder().add(QStringLiteral("readme.txt"), "hello").bytes();
}

void TestHostile::notAnArchive()
{
    QFETCH(QByteArray, bytes);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(bytes);
    QString message, title;
    QVERIFY(!model->isValid(QStringLiteral("bad.bcfzip"), message, title));
    QVERIFY(message.contains(QStringLiteral("bad.bcfzip")));
    QVERIFY(!title.isEmpty());
    QVERIFY(model->topics().isEmpty());

    // The same through a file name, and a file that does not exist.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.bcfzip"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QVERIFY(!BCFLibTest::loadFile(path)->loadError().isEmpty());
    QVERIFY(BCFLibTest::loadFile(dir.filePath(QStringLiteral("missing.bcfzip")))->loadError().contains(QStringLiteral("does not exist")));
}

void TestHostile::truncatedArchives()
{
    ArchiveBuilder archive;
    archive.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile());
    for (int i = 0; i < 5; ++i) {
        const QString guid = QStringLiteral("00000000-0000-0000-0000-00000000000%1").arg(i);
        archive.add(guid + QStringLiteral("/markup.bcf"), markup(guid, QStringLiteral("t%1").arg(i)));
        archive.add(guid + QStringLiteral("/snapshot.png"), QByteArray(5000, char('a' + i)), i % 2);
    }
    const QByteArray whole = archive.bytes();
    QCOMPARE(BCFLibTest::load(whole)->topics().size(), 5);
    // Cut anywhere: never a crash, and either a clear error or a partial read.
    for (int cut = 1; cut < whole.size(); cut += 97) {
        const QSharedPointer<BCFModel> model = BCFLibTest::load(whole.left(cut));
        QVERIFY(!model->loadError().isEmpty() || model->topics().size() <= 5);
    }
    // Damage the middle while keeping the directory: entries whose data is garbled are reported.
    QByteArray damaged = whole;
    for (int i = damaged.size() / 4; i < damaged.size() / 2; ++i)
        damaged[i] = char(damaged[i] ^ 0x55);
    const QSharedPointer<BCFModel> model = BCFLibTest::load(damaged);
    QVERIFY(!model->loadError().isEmpty() || !model->loadWarnings().isEmpty());
}

void TestHostile::damagedEntriesAndLimits()
{
    // A markup whose checksum is wrong is reported, not trusted.
    ArchiveBuilder crc;
    crc.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile())
        .addWithWrongChecksum(sTopic + QStringLiteral("/markup.bcf"), markup(sTopic, QStringLiteral("t")));
    QSharedPointer<BCFModel> model = BCFLibTest::load(crc.bytes());
    QVERIFY(model->topics().isEmpty());
    expectReported(model, {"checksum"});

    // Too many entries: refused as a whole.
    ArchiveBuilder many;
    for (int i = 0; i < 20; ++i)
        many.add(QStringLiteral("f%1.txt").arg(i), "x");
    ReadLimits few;
    few.maxEntries = 10;
    model = BCFLibTest::load(many.bytes(), few);
    QVERIFY(model->loadError().contains(QStringLiteral("too many entries")));

    // The total limit: the first snapshots fit, the later ones are left out and reported.
    ArchiveBuilder total;
    total.add(QStringLiteral("bcf.version"), BCFLibTest::versionFile());
    for (int i = 0; i < 6; ++i) {
        const QString guid = QStringLiteral("00000000-0000-0000-0000-00000000000%1").arg(i);
        total.add(guid + QStringLiteral("/markup.bcf"),
                  markup(guid, QStringLiteral("t%1").arg(i), QStringLiteral("<Viewpoints Guid=\"v%1\"/>").arg(i)))
            .add(guid + QStringLiteral("/snapshot.png"), QByteArray(300 * 1024, 'p'), false);
    }
    ReadLimits small;
    small.maxTotalBytes = 1024 * 1024;
    model = BCFLibTest::load(total.bytes(), small);
    QCOMPARE(model->topics().size(), 6); // markups are small and still fit
    int withSnapshot = 0;
    for (Topic* topic : model->topics())
        withSnapshot += topic->viewpoints().isEmpty() ? 0 : (topic->snapshot(topic->viewpoints().first()->guid()) ? 1 : 0);
    QVERIFY(withSnapshot >= 1 && withSnapshot < 6);
    expectReported(model, {"larger than allowed"});

    // Deeply nested unknown elements are skipped without recursion trouble.
    QByteArray deep = "<Markup><Topic Guid=\"" + sTopic.toUtf8() + "\"><Title>deep</Title>";
    for (int i = 0; i < 100000; ++i)
        deep += "<x>";
    for (int i = 0; i < 100000; ++i)
        deep += "</x>";
    deep += "</Topic></Markup>";
    ArchiveBuilder nested;
    nested.add(sTopic + QStringLiteral("/markup.bcf"), deep);
    model = BCFLibTest::load(nested.bytes());
    QVERIFY(model->topic(sTopic));
    QCOMPARE(model->topic(sTopic)->title(), QStringLiteral("deep"));
}

BCF_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
