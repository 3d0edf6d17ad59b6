// BCFCacheJsonReader against the QJsonDocument reader it replaces: the same verdict and exactly the
// same record (types, bits of every double, snapshot bytes) for varied topic files, a reason for
// every refusal, and the size guard.
#include "BCFCacheJsonReader.h"
#include "BCFCacheRecordCodec.h"

#include <QTemporaryFile>
#include <QtTest>

#include <cstring>

using Vexamo::BCFCacheJsonReader;

namespace {

// QVariant's own == takes 1.0 and qlonglong 1 as equal; records must match type for type.
bool sameVariant(const QVariant& a, const QVariant& b)
{
    if (a.userType() != b.userType())
        return false;
    switch (a.userType()) {
    case QMetaType::QVariantMap: {
        const QVariantMap x = a.toMap(), y = b.toMap();
        if (x.keys() != y.keys())
            return false;
        for (auto it = x.cbegin(); it != x.cend(); ++it) {
            if (!sameVariant(it.value(), y.value(it.key())))
                return false;
        }
        return true;
    }
    case QMetaType::QVariantList: {
        const QVariantList x = a.toList(), y = b.toList();
        if (x.size() != y.size())
            return false;
        for (int i = 0; i < x.size(); ++i) {
            if (!sameVariant(x.at(i), y.at(i)))
                return false;
        }
        return true;
    }
    case QMetaType::Double: {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    default:
        return a == b;
    }
}

QByteArray nested(int depth)
{
    return "{\"a\":" + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
}

} // namespace

class TestCacheJsonReader : public QObject
{
    Q_OBJECT

private slots:
    void sameRecordAsQJsonDocument_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        const QByteArray binary("\x00\x01\xff\xfe snapshot \x89PNG", 17);
        QVariantMap record{{"guid", "7f3c"}, {"title", QString::fromUtf8("Wand — Ünïcödé 漢字 😀")},
                           {"index", 3.0}, {"ratio", -0.125}, {"labels", QVariantList{"a", QString()}},
                           {"viewpoints", QVariantList{QVariantMap{
                               {"guid", "v1"}, {"snapshot", QVariantMap{{"snapshot_data", binary}}}}}}};
        const QByteArray written = Vexamo::BCFCacheRecordCodec::toJson(record);

        QTest::newRow("record as the store writes it") << written << true;
        QVariantMap large = record;
        large.insert("viewpoints", QVariantList{QVariantMap{
                                       {"snapshot", QVariantMap{{"snapshot_data", binary.repeated(300 * 1024)}}}}});
        QTest::newRow("record of several megabytes") << Vexamo::BCFCacheRecordCodec::toJson(large) << true;
        QTest::newRow("unicode and escapes")
            << QByteArray("{\"k\\u00e9y\":\"\\u00fcber\",\"e\":\"\\n\\t\\\"\\\\\\/\\u0000\\ud83d\\ude00\",\"u\":\"日本語 \\u2028\"}") << true;
        QTest::newRow("numbers")
            << QByteArray("{\"n\":[0,-0,1,-1,1.5,1e300,-2.5e-3,1E5,9007199254740993,9223372036854775807,"
                          "9223372036854775808,18446744073709551615,4.9e-324,2.5e+2]}")
            << true;
        QTest::newRow("numbers beyond 64 bits") << QByteArray("{\"n\":[18446744073709551616,1e30]}") << true;
        QTest::newRow("zero written as a fraction") << QByteArray("{\"n\":[0.0,-0.0,0e5]}") << true;
        QTest::newRow("nested lists") << QByteArray("{\"a\":[[],[[1,[2,[]]]],{\"b\":[{\"c\":{}}]}]}") << true;
        QTest::newRow("empty values") << QByteArray("{\"s\":\"\",\"l\":[],\"m\":{},\"n\":null,\"t\":true,\"f\":false}") << true;
        QTest::newRow("empty object") << QByteArray(" {} \r\n") << true;
        QTest::newRow("equal keys")
            << QByteArray("{\"b\":1,\"\":0,\"b\":\"two\",\"\":[],\"viewpoints\":[],\"viewpoints\":[{\"snapshot\":{\"snapshot_data\":\"AAE=\"}}]}")
            << true;
        QTest::newRow("snapshot data of every kind")
            << QByteArray("{\"viewpoints\":[{\"snapshot\":{\"snapshot_data\":\"AAECAw==\"}},"
                          "{\"snapshot\":{\"snapshot_data\":\"not base64 \\u00e9\"}},{\"snapshot\":{\"snapshot_data\":12}},"
                          "{\"snapshot\":{\"snapshot_data\":null}},{\"snapshot\":{\"snapshot_data\":\"true\"}},"
                          "{\"snapshot\":{\"snapshot_data\":[\"AAAA\"]}},{\"snapshot\":\"AAAA\"},5,[]],"
                          "\"snapshot\":{\"snapshot_data\":\"AAAA\"},\"x\":{\"viewpoints\":[{\"snapshot\":{\"snapshot_data\":\"AAAA\"}}]}}")
            << true;
        QTest::newRow("byte-order marks") << QByteArray("\xEF\xBB\xBF{\"a\":\"\xEF\xBB\xBF\xEF\xBB\xBFx\"}") << true;
        QTest::newRow("lone surrogate") << QByteArray("{\"a\":\"\\ud800\",\"b\":\"\\udc00x\"}") << true;
        QTest::newRow("what only QJsonDocument accepts")
            << QByteArray("{\"a\":1.,\"b\":.5,\"c\":\"\\x\\'\",\"d\":\"x\x01y\"}") << true;
        QTest::newRow("nested deeper than the fast parser goes") << nested(1010) << true;

        QTest::newRow("invalid UTF-8") << QByteArray("{\"a\":\"\xC3\x28\"}") << false;
        QTest::newRow("UTF-8 surrogate") << QByteArray("{\"a\":\"\xED\xA0\x80\"}") << false;
        QTest::newRow("truncated file") << written.left(written.size() / 2) << false;
        QTest::newRow("truncated inside a string") << QByteArray("{\"a\":\"abc") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("top level is a list") << QByteArray("[1,2]") << false;
        QTest::newRow("top level is a number") << QByteArray("1") << false;
        QTest::newRow("number out of range") << QByteArray("{\"a\":1e400}") << false;
        QTest::newRow("number that underflows") << QByteArray("{\"a\":1e-400}") << false;
        QTest::newRow("garbage after the object") << QByteArray("{\"a\":1} x") << false;
        QTest::newRow("zero byte after the object") << QByteArray("{\"a\":1}\0", 8) << false;
        QTest::newRow("nested too deep") << nested(1100) << false;
    }

    void sameRecordAsQJsonDocument()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, valid);
        BCFCacheJsonReader fast;
        BCFCacheJsonReader reference(BCFCacheJsonReader::DefaultMaximumSize, BCFCacheJsonReader::Parser::QtDocument);
        QVariantMap fastRecord{{"stale", 1}}, referenceRecord;
        QCOMPARE(fast.read(json, &fastRecord), valid);
        QCOMPARE(reference.read(json, &referenceRecord), valid);
        QVERIFY(sameVariant(fastRecord, referenceRecord));
        QCOMPARE(fast.errorString(), reference.errorString());
        QCOMPARE(fast.errorString().isEmpty(), valid);
    }

    void writtenRecordComesBack()
    {
        // Snapshots of every length modulo 3 (base64 padding), and texts that look like the
        // writer's placeholders for snapshot data.
        QVariantList viewpoints;
        for (int size = 0; size < 6; ++size)
            viewpoints.append(QVariantMap{{"guid", QStringLiteral("\"snapshot-%1").arg(size)},
                                          {"snapshot", QVariantMap{{"snapshot_data", QByteArray("\0\xff\x80\x7f\x01", size)}}}});
        const QVariantMap record{{"guid", "t"}, {"count", 2.0}, {"title", QString::fromUtf8("é\"\\")},
                                 {"viewpoints", viewpoints}};
        const QByteArray json = Vexamo::BCFCacheRecordCodec::toJson(record);
        QVariantMap read;
        QVERIFY(BCFCacheJsonReader().read(json, &read));
        QVERIFY(sameVariant(read, record));
        QVERIFY(json.contains("\"" + QByteArray("\0\xff\x80\x7f\x01", 5).toBase64() + "\""));
    }

    // One snapshot decoded and the others left empty; or every snapshot described by its size and
    // first bytes, except text that is not base64, which reads as usual.
    void snapshotReadings()
    {
        const QByteArray image = QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(100, '\x07');
        QVariantList viewpoints;
        for (const char* id : {"a", "b", "B"})
            viewpoints.append(QVariantMap{{"guid", id}, {"snapshot", QVariantMap{{"snapshot_data", image + id}}}});
        viewpoints.append(QVariantMap{{"guid", "text"}, {"snapshot", QVariantMap{{"snapshot_data", QString(24, 'A') + "not base64!!" + QString(24, 'A')}}}});
        const QByteArray json = Vexamo::BCFCacheRecordCodec::toJson({{"guid", "t"}, {"viewpoints", viewpoints}})
                                    .replace("\"" + (QByteArray(24, 'A') + "not base64!!" + QByteArray(24, 'A')).toBase64() + "\"",
                                             "\"" + QByteArray(24, 'A') + "not base64!!" + QByteArray(24, 'A') + "\"");

        BCFCacheJsonReader one;
        one.setSnapshotReading({"b", 0});
        BCFCacheJsonReader described;
        described.setSnapshotReading({QString(), 16});
        QVariantMap oneRecord, describedRecord;
        QVERIFY(one.read(json, &oneRecord));
        QVERIFY(described.read(json, &describedRecord));
        for (int i = 0; i < 4; ++i) {
            const QByteArray bytes = viewpoints.at(i).toMap().value("snapshot").toMap().value("snapshot_data").toByteArray();
            const QVariant oneData = oneRecord.value("viewpoints").toList().at(i).toMap().value("snapshot").toMap().value("snapshot_data");
            QCOMPARE(oneData.toByteArray(), i == 1 ? bytes : QByteArray());
            const QVariant data = describedRecord.value("viewpoints").toList().at(i).toMap().value("snapshot").toMap().value("snapshot_data");
            if (i == 3) {
                QCOMPARE(data.toByteArray(), bytes);
                continue;
            }
            QCOMPARE(data.toMap().value("size").toDouble(), double(bytes.size()));
            QCOMPARE(data.toMap().value("head").toByteArray(), bytes.left(16));
        }
    }

    void sizeGuard()
    {
        const QByteArray json("{\"title\":\"twenty bytes\"}");
        BCFCacheJsonReader reader(json.size() - 1);
        QVERIFY(reader.acceptsSize(json.size() - 1));
        QVERIFY(!reader.acceptsSize(json.size()));
        QVariantMap record;
        QVERIFY(!reader.read(json, &record));
        QVERIFY(reader.errorString().contains(QLatin1String("more than")));

        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(json);
        file.seek(0);
        QVERIFY(!reader.read(file, &record));
        QVERIFY(reader.errorString().contains(file.fileName()));
        file.seek(0);
        QVERIFY(BCFCacheJsonReader(json.size()).read(file, &record));
        QCOMPARE(record.value("title").toString(), QStringLiteral("twenty bytes"));
    }
};

QTEST_GUILESS_MAIN(TestCacheJsonReader)
#include "tst_cachejsonreader.moc"
