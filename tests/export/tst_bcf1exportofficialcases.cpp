// The official BCF 2.1 test cases, read by the model library and exported through BCFFileApi,
// give BCF 1.0 archives that validate against the BCF 2.0 schemas, except for the documented
// departures of the BCF 1.0 layout.

#include "ArchiveEntries.h"
#include "ExportLogRecorder.h"
#include "SchemaValidation.h"

#include "BCFTestSupport/TestMain.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"
#include "BCFapi/BCF1Export.h"
#include "BCFapi/BCFFileApi.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <log4cplus/loglevel.h>

using Vexamo::BCF1Export;

class TestBCF1ExportOfficialCases : public QObject
{
    Q_OBJECT

private slots:
    void officialCaseValidates_data();
    void officialCaseValidates();
};

void TestBCF1ExportOfficialCases::officialCaseValidates_data()
{
    QTest::addColumn<QString>("caseFile");
    const QString root = BCFTest::bcfSharedFile("testcases/2.1");
    QStringList files;
    QDirIterator it(root, {"*.bcf", "*.bcfzip"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    for (const QString& file : files)
        QTest::newRow(qPrintable(QDir(root).relativeFilePath(file))) << file;
    // One row in any case, so that missing data shows up as a skip or a failure.
    if (files.isEmpty())
        QTest::newRow("no cases") << QString();
}

void TestBCF1ExportOfficialCases::officialCaseValidates()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
    QFETCH(QString, caseFile);
    QVERIFY2(!caseFile.isEmpty(), "no official test cases found under testcases/2.1");

    // The loading worker runs on this thread here; the workflow runs it on its reader thread.
    BCFLib::BCFLoadingWorker worker(caseFile);
    worker.doLoad();
    const QSharedPointer<BCFLib::BCFModel> model = worker.model();
    QVERIFY(model);
    QString message;
    QString title;
    QVERIFY2(model->isValid(caseFile, message, title), qPrintable(message));
    Vexamo::BCFFileApi source(model, nullptr);
    const QVariantList topics = source.getTopic(QString());
    QVERIFY(!topics.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath("export.bcfzip");
    ExportLogRecorder log;
    BCF1Export exporter(&source);
    QVERIFY(exporter.serialize(path));
    QVERIFY2(log.events().isEmpty(), qPrintable(log.events().value(0).message));

    bool ok = false;
    const QList<ArchiveEntry> entries = readArchive(path, &ok);
    QVERIFY(ok);
    const QStringList names = entryNames(entries);
    for (const QVariant& topic : topics) {
        const QString guid = topic.toMap().value("guid").toString();
        QVERIFY2(names.contains(guid + "/markup.bcf"), qPrintable(guid));
    }

    int documents = 0;
    for (const ArchiveEntry& entry : entries) {
        QString schema;
        if (entry.name.endsWith("/markup.bcf"))
            schema = BCFTest::bcfSharedFile("schemas/2.0/markup.xsd");
        else if (entry.name.endsWith("/viewpoint.bcfv"))
            schema = BCFTest::bcfSharedFile("schemas/2.0/visinfo.xsd");
        else
            continue;
        ++documents;
        const SchemaReport report = validateWithXmllint(entry.data, schema);
        QVERIFY2(report.ran, "xmllint could not be run (is it installed?)");
        const QStringList errors = withoutLayoutDepartures(report.errors);
        QVERIFY2(errors.isEmpty(), qPrintable(entry.name + ": " + errors.join("; ")));
    }
    QVERIFY(documents >= topics.size());
}

BCF_TEST_MAIN(TestBCF1ExportOfficialCases)
#include "tst_bcf1exportofficialcases.moc"
