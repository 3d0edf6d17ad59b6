#include "BCFTestSupport/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#ifndef BCF_SHARED_DIR_DEFAULT
#define BCF_SHARED_DIR_DEFAULT ""
#endif

namespace BCFTest {

namespace {

// Removes a per-run folder, but only one inside the test-mode tree (~/.qttest) and named for this run.
void removeRunFolder(const QString& path)
{
    const QString run = QCoreApplication::applicationName();
    if (path.contains(QLatin1String("/.qttest/")) && path.contains(run) && QFileInfo(path).isDir())
        QDir(path).removeRecursively();
}

} // namespace

void prepareTestProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
}

void configureTestApplication(const QString& testName)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("BCFapiTests"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("bcfapi.test"));
    QCoreApplication::setApplicationName(
        QStringLiteral("%1-%2").arg(testName).arg(QCoreApplication::applicationPid()));
}

void cleanupTestApplication()
{
    if (!qEnvironmentVariableIsEmpty("BCF_TEST_KEEP_DATA"))
        return;
    const QString settingsFile = QSettings().fileName();
    if (settingsFile.contains(QLatin1String("/.qttest/")))
        QFile::remove(settingsFile);
    removeRunFolder(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    removeRunFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    removeRunFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString bcfSharedDir()
{
    const QString fromEnvironment = qEnvironmentVariable("BCF_SHARED_DIR");
    const QString dir = fromEnvironment.isEmpty() ? QStringLiteral(BCF_SHARED_DIR_DEFAULT) : fromEnvironment;
    return QDir::cleanPath(dir);
}

bool sharedDataRequired()
{
    return qEnvironmentVariable("CI").compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString bcfSharedFile(const QString& relativePath)
{
    return QDir(bcfSharedDir()).filePath(relativePath);
}

} // namespace BCFTest
