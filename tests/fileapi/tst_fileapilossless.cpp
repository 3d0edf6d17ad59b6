// The save path of the viewer, end to end over every official BCF 2.1 test case: load the file,
// copy its BCFFileApi into a BCFFileApi over a fresh model with copyFromInterface, serialise that
// model, load the result again, and find every topic record (comments, viewpoints with their
// components, lines, clipping planes and bitmaps, snippet, files, document references, related
// topics, embedded file contents) and every snapshot as it was. Dates are compared as instants.
//
// The project record is the one known exception: the interface copy moves topics only, so the
// project's name and extension schema are not compared.
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <memory>

using Vexamo::BCFFileApi;

namespace {

QSharedPointer<BCFLib::BCFModel> load(const QString& fileName, QString* problem)
{
    BCFLib::BCFLoadingWorker worker(fileName);
    worker.doLoad();
    const QSharedPointer<BCFLib::BCFModel> model = worker.model();
    QString message;
    QString title;
    if (!model)
        *problem = QStringLiteral("no model");
    else if (!model->isValid(fileName, message, title))
        *problem = title + QStringLiteral(": ") + message;
    return model;
}

bool isDateKey(const QString& key)
{
    return key == QLatin1String("date") || key.endsWith(QLatin1String("_date"));
}

// The first difference between two record values, as "path: expected vs actual", or an empty
// string when they are the same. Values under date keys are compared as instants.
QString difference(const QVariant& expected, const QVariant& actual, const QString& path, bool dates = false)
{
    if (dates) {
        const QDateTime a = QDateTime::fromString(expected.toString(), Qt::ISODateWithMs);
        const QDateTime b = QDateTime::fromString(actual.toString(), Qt::ISODateWithMs);
        if (a.isValid() != b.isValid() || (a.isValid() && a.toMSecsSinceEpoch() != b.toMSecsSinceEpoch()))
            return QStringLiteral("%1: date %2 vs %3").arg(path, expected.toString(), actual.toString());
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantMap || actual.userType() == QMetaType::QVariantMap) {
        const QVariantMap a = expected.toMap();
        const QVariantMap b = actual.toMap();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        for (const QString& key : keys) {
            if (a.contains(key) != b.contains(key))
                return QStringLiteral("%1/%2: %3").arg(path, key, a.contains(key) ? "lost" : "appeared");
            const QString found = difference(a.value(key), b.value(key), path + '/' + key, isDateKey(key));
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantList || actual.userType() == QMetaType::QVariantList) {
        const QVariantList a = expected.toList();
        const QVariantList b = actual.toList();
        if (a.size() != b.size())
            return QStringLiteral("%1: %2 entries vs %3").arg(path).arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString found = difference(a.at(i), b.at(i), QStringLiteral("%1[%2]").arg(path).arg(i));
            if (!found.isEmpty())
                return found;
        }
        return QString();
    }
    if (expected != actual)
        return QStringLiteral("%1: %2 vs %3").arg(path, expected.toString(), actual.toString());
    return QString();
}

QMap<QString, QVariantMap> topicsByGuid(const BCFFileApi& api)
{
    QMap<QString, QVariantMap> topics;
    for (const QVariant& topic : api.getTopic(QString()))
        topics.insert(topic.toMap().value("guid").toString(), topic.toMap());
    return topics;
}

} // namespace

class TestFileApiLossless : public QObject
{
    Q_OBJECT

private slots:
    void loadCopySaveLoad_data();
    void loadCopySaveLoad();
};

void TestFileApiLossless::loadCopySaveLoad_data()
{
    QTest::addColumn<QString>("fileName");
    BCF_SKIP_WITHOUT_SHARED_DIR();
    const QString root = BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1"));
    QStringList cases;
    QDirIterator it(root, {QStringLiteral("*.bcf"), QStringLiteral("*.bcfzip")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        cases.append(it.next());
    cases.sort();
    if (cases.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no BCF 2.1 test cases under %1").arg(root)));
    for (const QString& fileName : cases)
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(fileName))) << fileName;
}

void TestFileApiLossless::loadCopySaveLoad()
{
    QFETCH(QString, fileName);

    QString problem;
    const QSharedPointer<BCFLib::BCFModel> original = load(fileName, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY2(original->topicCount() > 0, "every official case holds at least one topic");
    const BCFFileApi source(original, nullptr);

    BCFFileApi copy(BCFLib::BCFModel::Create(), nullptr);
    copy.copyFromInterface(source);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("saved.bcfzip"));
    QVERIFY2(copy.saveTopics(saved), "serialising the copied model failed");

    const QSharedPointer<BCFLib::BCFModel> reloaded = load(saved, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const BCFFileApi result(reloaded, nullptr);
    QCOMPARE(result.version(), source.version());

    const QMap<QString, QVariantMap> before = topicsByGuid(source);
    const QMap<QString, QVariantMap> after = topicsByGuid(result);
    QCOMPARE(after.keys(), before.keys());
    for (auto topic = before.cbegin(); topic != before.cend(); ++topic) {
        const QString found = difference(topic.value(), after.value(topic.key()), topic.key());
        QVERIFY2(found.isEmpty(), qPrintable(found));

        // Snapshots live beside the records; each viewpoint's image must come back byte for byte.
        for (const QVariant& viewpoint : topic.value().value("viewpoints").toList()) {
            const QString viewpointId = viewpoint.toMap().value("guid").toString();
            const std::unique_ptr<QByteArray> expected(source.getSnapshotContent(topic.key(), viewpointId, QString()));
            const std::unique_ptr<QByteArray> actual(result.getSnapshotContent(topic.key(), viewpointId, QString()));
            QVERIFY2(bool(expected) == bool(actual),
                     qPrintable(QStringLiteral("snapshot of %1/%2 %3").arg(topic.key(), viewpointId,
                                                                           expected ? "lost" : "appeared")));
            if (expected)
                QVERIFY2(*expected == *actual,
                         qPrintable(QStringLiteral("snapshot of %1/%2 changed").arg(topic.key(), viewpointId)));
        }
    }
}

BCF_TEST_MAIN(TestFileApiLossless)
#include "tst_fileapilossless.moc"
