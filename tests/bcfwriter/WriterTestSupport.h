#pragma once

#include "BCFLib/BCFModel.h"

#include <QByteArray>
#include <QMap>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtTest>

namespace WriterTest {

// Offscreen platform and QStandardPaths test mode, before the application object exists.
void prepareTestProcess();

// The shared BCF data folder: BCF_SHARED_DIR from the environment, else the build's default.
QString sharedDir();
// The official BCF 2.1 test cases (*.bcf under testcases/2.1), sorted.
QStringList officialCases();

// Loads a file the way the application does (BCFLoadingWorker::doLoad, then model()).
QSharedPointer<BCFLib::BCFModel> load(const QString& fileName);

struct EntryInfo
{
    QByteArray data;
    int method = -1; // 0 stored, 8 deflated
};
// Every entry of a zip archive by name, in archive order (names() keeps the order).
struct ArchiveContent
{
    QStringList names;
    QMap<QString, EntryInfo> entries;
    bool ok = false;
};
ArchiveContent readArchive(const QString& fileName);

// Validates every XML file of the archive with xmllint against the BCF 2.1 schemas (markup.bcf,
// *.bcfv, bcf.version, project.bcfp). Returns an empty string when all validate, else xmllint's
// report (also when xmllint is missing or an XML file has no schema).
QString validateArchive(const QString& fileName);

// The records of a model: "project", "version", "topics" (Topic::toQVariant of each, in order),
// "snapshots" (viewpoint guid -> bytes) per topic.
QVariantMap modelRecord(const BCFLib::BCFModel& model);

// Compares two records recursively, date keys (ending in "date") as instants. Returns an empty
// string when equal, else the path and values of the first difference.
QString compareRecords(const QVariant& expected, const QVariant& actual, const QString& path = QString());

// Every entry name is a plain relative path: no "..", ".", empty parts, backslashes, drive letters.
bool isSafeEntryName(const QString& name);

} // namespace WriterTest

#define WRITER_SKIP_WITHOUT_SHARED_DIR()                                                               \
    do {                                                                                               \
        if (!QFileInfo(WriterTest::sharedDir()).isDir())                                               \
            QSKIP(qPrintable(QStringLiteral("shared BCF data not found at %1 (set BCF_SHARED_DIR)")    \
                                 .arg(WriterTest::sharedDir())));                                      \
    } while (false)

#define WRITER_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char** argv)                                                                    \
    {                                                                                                  \
        WriterTest::prepareTestProcess();                                                              \
        QCoreApplication app(argc, argv);                                                              \
        TestClass test;                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                     \
        return QTest::qExec(&test, argc, argv);                                                        \
    }
