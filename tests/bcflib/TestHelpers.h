#pragma once

#include "BCFLib/BCFModel.h"
#include "BCFLib/ReadLimits.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>
#include <QtTest>

namespace BCFLibTest {

// Offscreen platform and QStandardPaths test mode, before the application object exists.
void prepareTestProcess();

// The shared BCF data folder: BCF_SHARED_DIR from the environment, else the build's default.
QString sharedDir();
QString sharedFile(const QString& relativePath);

// Reads archive bytes as a file on disk would be read.
QSharedPointer<BCFLib::BCFModel> load(const QByteArray& archive, const BCFLib::ReadLimits& limits = BCFLib::ReadLimits());
QSharedPointer<BCFLib::BCFModel> loadFile(const QString& fileName);

// A minimal valid BCF 2.1 markup for a topic.
QByteArray markup(const QString& topicGuid, const QString& title, const QString& extra = QString());
QByteArray versionFile(const QString& versionId = QStringLiteral("2.1"));

} // namespace BCFLibTest

#define BCFLIB_SKIP_WITHOUT_SHARED_DIR()                                                               \
    do {                                                                                               \
        if (!QFileInfo(BCFLibTest::sharedDir()).isDir())                                               \
            QSKIP(qPrintable(QStringLiteral("shared BCF data not found at %1 (set BCF_SHARED_DIR)")    \
                                 .arg(BCFLibTest::sharedDir())));                                      \
    } while (false)

#define BCFLIB_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char** argv)                                                                    \
    {                                                                                                  \
        BCFLibTest::prepareTestProcess();                                                              \
        QCoreApplication app(argc, argv);                                                              \
        TestClass test;                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                     \
        return QTest::qExec(&test, argc, argv);                                                        \
    }
