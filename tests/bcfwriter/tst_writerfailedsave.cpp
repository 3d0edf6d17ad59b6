// Saves that fail must leave an existing file exactly as it was and no temporary file behind:
// an unwritable folder, a write error in the middle of the archive (file size limit), a folder
// in place of the target, a missing folder. A save that succeeds replaces the file whole.

#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFLib/BCFArchiveWriter.h"
#include "BCFLib/Topic.h"
#include "BCFLib/Viewpoint.h"

#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace BCFLib;

namespace {

QSharedPointer<BCFModel> modelWithLargeSnapshot(const QString& title)
{
    QSharedPointer<BCFModel> model = BCFModel::Create();
    Topic* topic = model->addTopic(title, QStringLiteral("a"), QDateTime::currentDateTimeUtc());
    Viewpoint* viewpoint = topic->addViewpoint();
    QByteArray snapshot("\x89PNG\r\n\x1a\n", 8);
    snapshot.append(QByteArray(2 * 1024 * 1024, 'x'));
    topic->addSnapshot(viewpoint->guid(), &snapshot);
    return model;
}

QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

enum class ChildSetup { FileSizeLimit, UnprivilegedUser };

// Runs serialize in a child process, so that the limits set for it stay there. Returns the
// child's exit code: 0 when serialize reported success, 1 when it reported failure, other
// values when the setup failed or the child died.
int serializeInChild(BCFModel& model, const QString& fileName, ChildSetup setup)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (setup == ChildSetup::FileSizeLimit) {
            // Writing beyond the limit fails with EFBIG instead of killing the process.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{256 * 1024, 256 * 1024};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
        } else if (geteuid() == 0) {
            // Root may write anywhere: drop to an ordinary user so that permissions count.
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        }
        _exit(model.serialize(fileName) ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

class TestWriterFailedSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void successfulSaveReplacesTheFile();
    void failedSavesLeaveTheFileAsItWas();

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_target;
    QByteArray m_old;
};

void TestWriterFailedSave::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                     | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup
                                                     | QFile::ExeGroup));
    m_target = m_dir->filePath(QStringLiteral("document.bcfzip"));
    QVERIFY(modelWithLargeSnapshot(QStringLiteral("old content"))->serialize(m_target));
    m_old = BCFTest::fileBytes(m_target);
    QVERIFY(m_old.size() > 2 * 1024 * 1024);
}

void TestWriterFailedSave::successfulSaveReplacesTheFile()
{
    QVERIFY(modelWithLargeSnapshot(QStringLiteral("new content"))->serialize(m_target));
    QCOMPARE(listing(m_dir->path()), QStringList{QStringLiteral("document.bcfzip")});
    const QSharedPointer<BCFModel> reloaded = BCFTest::loadAsViewer(m_target);
    QCOMPARE(reloaded->topicCount(), 1);
    QCOMPARE(reloaded->topics().at(0)->title(), QStringLiteral("new content"));
}

void TestWriterFailedSave::failedSavesLeaveTheFileAsItWas()
{
    const QSharedPointer<BCFModel> model = modelWithLargeSnapshot(QStringLiteral("new content"));
    const QStringList before = listing(m_dir->path());

    // A write error half-way: the temporary file may not grow beyond 256 KiB.
    QCOMPARE(serializeInChild(*model, m_target, ChildSetup::FileSizeLimit), 1);
    QCOMPARE(BCFTest::fileBytes(m_target), m_old);
    QCOMPARE(listing(m_dir->path()), before);

    // An unwritable folder (read and search only).
    const QString readOnly = m_dir->filePath(QStringLiteral("read-only"));
    QVERIFY(QDir().mkdir(readOnly));
    const QString protectedTarget = readOnly + QStringLiteral("/document.bcfzip");
    QVERIFY(QFile::copy(m_target, protectedTarget));
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                                | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(protectedTarget, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(serializeInChild(*model, protectedTarget, ChildSetup::UnprivilegedUser), 1);
    QCOMPARE(BCFTest::fileBytes(protectedTarget), m_old);
    QCOMPARE(listing(readOnly), QStringList{QStringLiteral("document.bcfzip")});
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A folder where the file should go, and a folder that does not exist.
    const QString folderTarget = m_dir->filePath(QStringLiteral("folder.bcfzip"));
    QVERIFY(QDir().mkdir(folderTarget));
    const QStringList withFolder = listing(m_dir->path());
    BCFArchiveWriter writer(*model);
    QVERIFY(!writer.write(folderTarget));
    QVERIFY(!writer.errorString().isEmpty());
    QVERIFY(QFileInfo(folderTarget).isDir());
    QCOMPARE(listing(folderTarget), QStringList());
    QCOMPARE(listing(m_dir->path()), withFolder);

    QVERIFY(!writer.write(m_dir->filePath(QStringLiteral("missing/document.bcfzip"))));
    QVERIFY(!writer.errorString().isEmpty());
    QCOMPARE(listing(m_dir->path()), withFolder);
    QCOMPARE(BCFTest::fileBytes(m_target), m_old);
}

BCF_TEST_MAIN(TestWriterFailedSave)
#include "tst_writerfailedsave.moc"
