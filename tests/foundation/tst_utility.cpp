#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"

#include "Utility/ConsoleLogging.h"
#include "Utility/NewId.h"
#include "Utility/RemoveDir.h"
#include "Utility/Vec3dFromQVariant.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>

#include <log4cplus/initializer.h>
#include <log4cplus/logger.h>
#include <log4cplus/loggingmacros.h>

#include <iostream>
#include <sstream>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

class TestUtility : public QObject
{
    Q_OBJECT

private slots:
    void newIdFormatAndUniqueness()
    {
        const QRegularExpression uuid(
            QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[1-5][0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$"));
        QSet<QString> seen;
        for (int i = 0; i < 10000; ++i) {
            const QString id = Vexamo::NewId();
            QVERIFY2(uuid.match(id).hasMatch(), qPrintable(id));
            seen.insert(id);
        }
        QCOMPARE(seen.size(), 10000);
    }

    void removeDirRefusals()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());

        QVERIFY(!Vexamo::RemoveDir(QString()));
        // Nothing there counts as removed.
        QVERIFY(Vexamo::RemoveDir(tmp.filePath(QStringLiteral("missing"))));

        const QString file = tmp.filePath(QStringLiteral("file.txt"));
        QVERIFY(BCFTest::writeFileBytes(file, "content"));
        QVERIFY(!Vexamo::RemoveDir(file));
        QVERIFY(QFile::exists(file));

        // A link to a directory is refused, and the directory behind it keeps its content.
        const QString target = tmp.filePath(QStringLiteral("target"));
        QVERIFY(QDir().mkpath(target));
        QVERIFY(BCFTest::writeFileBytes(target + QStringLiteral("/keep.txt"), "keep"));
        const QString link = tmp.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(target, link));
        QVERIFY(!Vexamo::RemoveDir(link));
        QVERIFY(QFile::exists(target + QStringLiteral("/keep.txt")));
    }

    void removeDirRefusesHome()
    {
        // The home directory is taken from HOME: point it at a scratch folder so that a fault
        // cannot cost the real one.
        QTemporaryDir fakeHome;
        QVERIFY(fakeHome.isValid());
        QVERIFY(BCFTest::writeFileBytes(fakeHome.filePath(QStringLiteral("precious.txt")), "precious"));
        const QByteArray realHome = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", realHome); });
        qputenv("HOME", QFile::encodeName(fakeHome.path()));
        QCOMPARE(QDir::homePath(), QDir(fakeHome.path()).absolutePath());

        QVERIFY(!Vexamo::RemoveDir(fakeHome.path()));
        QVERIFY(!Vexamo::RemoveDir(fakeHome.path() + QStringLiteral("/")));
        QVERIFY(!Vexamo::RemoveDir(fakeHome.path() + QStringLiteral("/sub/..")));
        QVERIFY(QFile::exists(fakeHome.filePath(QStringLiteral("precious.txt"))));
    }

    void removeDirRefusesRoot()
    {
#ifdef Q_OS_LINUX
        // Ask for "/" inside a child process whose root is a scratch folder (chroot, in a user
        // namespace when not privileged), so that a fault only empties the scratch folder.
        QTemporaryDir jail;
        QVERIFY(jail.isValid());
        QVERIFY(BCFTest::writeFileBytes(jail.filePath(QStringLiteral("precious.txt")), "precious"));
        const QByteArray jailPath = QFile::encodeName(jail.path());

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (geteuid() != 0 && unshare(CLONE_NEWUSER) != 0)
                _exit(77);
            if (chroot(jailPath.constData()) != 0 || chdir("/") != 0)
                _exit(77);
            const bool removed = Vexamo::RemoveDir(QStringLiteral("/"))
                                 || Vexamo::RemoveDir(QStringLiteral("/."))
                                 || Vexamo::RemoveDir(QStringLiteral("//"));
            _exit(removed ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77)
            QSKIP("cannot change the root directory of a child process here");
        QVERIFY(QFile::exists(jail.filePath(QStringLiteral("precious.txt"))));
        QCOMPARE(WEXITSTATUS(status), 0);
#else
        QSKIP("the root refusal is checked on Linux only");
#endif
    }

    void removeDirRemovesTreeButNotLinkTargets()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString outside = tmp.filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        QVERIFY(BCFTest::writeFileBytes(outside + QStringLiteral("/keep.txt"), "keep"));

        const QString tree = tmp.filePath(QStringLiteral("tree"));
        QVERIFY(QDir().mkpath(tree + QStringLiteral("/a/b/c")));
        QVERIFY(BCFTest::writeFileBytes(tree + QStringLiteral("/a/file.txt"), "1"));
        QVERIFY(BCFTest::writeFileBytes(tree + QStringLiteral("/a/b/c/.hidden"), "2"));
        QVERIFY(QFile::link(outside, tree + QStringLiteral("/a/link-to-outside")));

        QVERIFY(Vexamo::RemoveDir(tree));
        QVERIFY(!QFileInfo::exists(tree));
        QVERIFY(QFile::exists(outside + QStringLiteral("/keep.txt")));
    }

    void vec3dFromPointRecord()
    {
        const osg::Vec3d point = Vexamo::Vec3dFromQVariant(
            {{QStringLiteral("x"), 1.0}, {QStringLiteral("y"), -2.5}, {QStringLiteral("z"), QStringLiteral("3.25")}});
        QCOMPARE(point.x(), 1.0);
        QCOMPARE(point.y(), -2.5);
        QCOMPARE(point.z(), 3.25);

        const osg::Vec3d partial = Vexamo::Vec3dFromQVariant({{QStringLiteral("y"), 7}});
        QCOMPARE(partial, osg::Vec3d(0.0, 7.0, 0.0));
        QCOMPARE(Vexamo::Vec3dFromQVariant({{QStringLiteral("X"), 1.0}}), osg::Vec3d(0.0, 0.0, 0.0));
    }

    // The libraries' log lines reach stderr with the program's name, from WARN up, once each
    // even after a second installation; a percent sign in the name stays as it is.
    void consoleLoggingPrintsWarnings()
    {
        log4cplus::Initializer initializer;
        std::ostringstream captured;
        std::streambuf* const previous = std::cerr.rdbuf(captured.rdbuf());
        const auto restore = qScopeGuard([previous] { std::cerr.rdbuf(previous); });
        Vexamo::InstallConsoleLogging(QStringLiteral("tool%d"));
        Vexamo::InstallConsoleLogging(QStringLiteral("tool%d"));
        const log4cplus::Logger logger = log4cplus::Logger::getInstance(LOG4CPLUS_TEXT("Some.Library"));
        LOG4CPLUS_INFO(logger, "not shown");
        LOG4CPLUS_WARN(logger, "shown");
        LOG4CPLUS_ERROR(logger, "also shown");
        QCOMPARE(QString::fromStdString(captured.str()), QStringLiteral("tool%d: WARN: shown\ntool%d: ERROR: also shown\n"));
    }
};

BCF_TEST_MAIN(TestUtility)
#include "tst_utility.moc"
