#pragma once

#include <QApplication>
#include <QString>
#include <QtTest>

namespace BCFTest {

// Prepares the process before QApplication exists: QT_QPA_PLATFORM=offscreen unless set, and
// QStandardPaths test mode, so that cache, data and settings live under ~/.qttest.
void prepareTestProcess();

// Gives the application its identity: organization "BCFapiTests", application "<testName>-<pid>", so
// that every test run has its own settings file and cache folder. They are removed again by
// cleanupTestApplication() unless the environment variable BCF_TEST_KEEP_DATA is set.
void configureTestApplication(const QString& testName);
void cleanupTestApplication();

// The folder with the shared BCF data (schemas/, testcases/): the environment variable
// BCF_SHARED_DIR, else the folder configured at build time (CMake cache variable BCF_SHARED_DIR).
// It may not exist; see BCF_SKIP_WITHOUT_SHARED_DIR.
QString bcfSharedDir();
// A path inside bcfSharedDir(), e.g. bcfSharedFile("testcases/2.1/Visualization/Lines.bcf").
QString bcfSharedFile(const QString& relativePath);
// Whether the shared data must be there: under CI (environment variable CI set to "true").
bool sharedDataRequired();

} // namespace BCFTest

// Skips the current test function, with a visible message, when the shared BCF data is missing.
// Under CI (the environment variable CI is "true") the missing data fails the test instead.
#define BCF_SKIP_WITHOUT_SHARED_DIR()                                                                  \
    do {                                                                                               \
        if (!QFileInfo(BCFTest::bcfSharedDir()).isDir()) {                                             \
            const QString reason = QStringLiteral("shared BCF data not found at %1 (set BCF_SHARED_DIR)") \
                                       .arg(BCFTest::bcfSharedDir());                                  \
            if (BCFTest::sharedDataRequired())                                                         \
                QFAIL(qPrintable(reason));                                                             \
            QSKIP(qPrintable(reason));                                                                 \
        }                                                                                              \
    } while (false)

// The main() of a Qt Test program of this project: a QApplication on the offscreen platform,
// QStandardPaths test mode and per-run settings (see configureTestApplication).
//   class TestRegistry : public QObject { Q_OBJECT ... };
//   BCF_TEST_MAIN(TestRegistry)
//   #include "tst_registry.moc"
#define BCF_TEST_MAIN(TestClass)                                                                       \
    int main(int argc, char** argv)                                                                    \
    {                                                                                                  \
        BCFTest::prepareTestProcess();                                                                 \
        QApplication app(argc, argv);                                                                  \
        BCFTest::configureTestApplication(QStringLiteral(#TestClass));                                 \
        int result = 0;                                                                                \
        {                                                                                              \
            TestClass test;                                                                            \
            QTEST_SET_MAIN_SOURCE_PATH                                                                 \
            result = QTest::qExec(&test, argc, argv);                                                  \
        }                                                                                              \
        BCFTest::cleanupTestApplication();                                                             \
        return result;                                                                                 \
    }
