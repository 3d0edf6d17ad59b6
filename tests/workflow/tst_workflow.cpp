// The document workflow of BCFCacheApi, end to end: actions, recent files, open through the dialog
// and through entries, save, new, export, the save question and the change watch, on the official
// BCF 2.1 cases and on files that the tests write.

#include "BCFArchiveGenerator.h"
#include "WorkflowTestHelpers.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFFileApi.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Project.h"
#include "BCFapi/BCFKeys.h"

#include "BCFTestSupport/FileDialogAnswers.h"
#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <quazip/quazip.h>

#include <memory>

using namespace WorkflowTest;
using BCFTest::fileBytes;
using BCFTest::writeFileBytes;
using Vexamo::BCFCacheApi;
using Request = Vexamo::QtTools::FileDialogRequest;

namespace {

const QString OpenFilter = QStringLiteral("BCF files (*.bcf *.bcfzip);;All files (*.*)");
const QString SaveQuestion = QStringLiteral("Current BCF file has been modified, do you want to save your changes ?");
const QString CantSave = QStringLiteral("Can't save annotations.");
const QString Minimum = QStringLiteral("Markup/MinimumInformation.bcf");
const QString Maximum = QStringLiteral("Markup/MaximumInformation.bcf");
const QString Perspective = QStringLiteral("Visualization/PerspectiveCamera.bcf");

QStringList storedHistory()
{
    return QSettings().value(QStringLiteral("BCFFiles/entries")).toStringList();
}

void storeHistory(const QStringList& paths)
{
    QSettings().setValue(QStringLiteral("BCFFiles/entries"), paths);
}

QString reloadQuestion(const QString& path)
{
    return QStringLiteral("The file %1 changed on disk, do you want to reload it ?").arg(path);
}

QString missingFileMessage(const QString& path)
{
    return QStringLiteral("The BCFZIP file (%1) doesn't exist anymore.").arg(path);
}

QStringList archiveEntries(const QString& path)
{
    QuaZip zip(path);
    return zip.open(QuaZip::mdUnzip) ? zip.getFileNameList() : QStringList();
}

// A stand-in for an official case, made by the benchmarks' generator: an archive with as many
// topics as the case's name asks for (Minimum 1, Maximum 2, Perspective 3, others 1).
QString standIn(const QString& relativePath)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QString(relativePath).replace(QLatin1Char('/'), QLatin1Char('_')));
    if (QFileInfo::exists(path))
        return path;
    BCFArchiveGenerator archive;
    archive.topics = relativePath == Maximum ? 2 : relativePath == Perspective ? 3 : 1;
    archive.commentsPerTopic = 2;
    // Incompressible snapshots larger than the file-size limit of the failed-save test.
    archive.snapshotBytes = 8 * 1024;
    archive.writeArchive(path);
    return path;
}

// An official case; on a clone without the shared data, its stand-in (under CI the shared data is
// required, and the tests that need it fail).
QString officialCase(const QString& relativePath)
{
    const QString official = BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1/") + relativePath);
    if (QFileInfo::exists(official) || BCFTest::sharedDataRequired())
        return official;
    return standIn(relativePath);
}

QVariantMap topicsByGuid(const Vexamo::BCFapi& api)
{
    QVariantMap topics;
    for (const QVariant& topic : api.getTopic(QString()))
        topics.insert(topic.toMap().value("guid").toString(), topic);
    return topics;
}

void checkRequest(const Request& request, Request::Kind kind, const QString& key, const QString& caption)
{
    QCOMPARE(request.kind, kind);
    QCOMPARE(request.key, key);
    QCOMPARE(request.caption, caption);
}

} // namespace

class TestWorkflow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_dir.reset(); }

    void actionsAndHistory();
    void historyCapAndStore();
    void newDocumentAndSave();
    void saveBeforeAnyDocument();
    void openThroughDialog();
    void openThroughEntry();
    void invalidArchives();
    void editSaveReopen_data();
    void editSaveReopen();
    void projectKeptOnSave();
    void documentCopyMatchesInterfaceCopy();
    void saveQuestion();
    void saveQuestionAnswers();
    void versionListsAndDocumentsKept();
    void exportToBCF1();
    void failedSaveKeepsFile();
    void changeWatch();
    void destroyedWhileLoading();

private:
    // A writable copy of an official case in the test's folder, under name.
    QString copyCase(const QString& testCase, const QString& name);
    // Opens path with the public openBCFFile and waits for the entry's opened.
    QAction* openAndWait(BCFCacheApi& api, const QString& path);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWorkflow::init()
{
    QSettings().remove(QStringLiteral("BCFFiles"));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestWorkflow::copyCase(const QString& testCase, const QString& name)
{
    const QString target = m_dir->filePath(name);
    QFile::remove(target);
    if (!QFile::copy(officialCase(testCase), target))
        return QString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QAction* TestWorkflow::openAndWait(BCFCacheApi& api, const QString& path)
{
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    if (!api.openBCFFile(path) || !waitForCount(opened, 1))
        return nullptr;
    return actionAt(opened, 0);
}

void TestWorkflow::actionsAndHistory()
{
    BCFTest::MessageBoxAnswerer boxes;
    {
        // No history: the open and new actions only, the same objects on every call.
        BCFCacheApi api;
        const QList<QAction*> actions = api.getActions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Open BCF File..."));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("New BCF File..."));
        QCOMPARE(api.getActions(), actions);
        QVERIFY(!actionsOf(api).save->property("filename").isValid());
        QVERIFY(!actionsOf(api).save->property("action").isValid());
    }
    QVERIFY(storedHistory().isEmpty());

    // Duplicates and empty paths leave the stored list as soon as the actions are built.
    const QString a = m_dir->filePath(QStringLiteral("a.bcf"));
    const QString b = m_dir->filePath(QStringLiteral("sub/b.bcfzip"));
    const QString c = m_dir->filePath(QStringLiteral("c.bcf"));
    storeHistory({a, b, a, QString(), c});
    {
        BCFCacheApi api;
        QCOMPARE(entryTexts(api), QStringList({a, b, c}));
        QCOMPARE(storedHistory(), QStringList({a, b, c}));
        QAction* entryB = entriesOf(api).at(1);
        QCOMPARE(entryB->toolTip(), b);
        QCOMPARE(entryB->objectName(), QStringLiteral("b.bcfzip"));
        api.actionUnselected(entryB);
        QCOMPARE(entryTexts(api), QStringList({a, b, c}));
    }
    QCOMPARE(storedHistory(), QStringList({a, b, c}));

    // An object that never built its action list leaves the stored history alone.
    storeHistory({c, b});
    { BCFCacheApi api; }
    QCOMPARE(storedHistory(), QStringList({c, b}));
    QCOMPARE(boxes.count(), 0);
}

void TestWorkflow::historyCapAndStore()
{
    BCFTest::MessageBoxAnswerer boxes;

    // From an empty history, eleven opened files: ten are kept, newest first; the oldest entry
    // leaves with discarded.
    QStringList paths;
    for (int i = 1; i <= 11; ++i)
        paths.append(copyCase(Minimum, QStringLiteral("file%1.bcf").arg(i)));
    {
        BCFCacheApi api;
        QSignalSpy discarded(&api, &BCFCacheApi::discarded);
        QAction* first = nullptr;
        for (const QString& path : qAsConst(paths)) {
            QAction* entry = openAndWait(api, path);
            QVERIFY(entry);
            first = first ? first : entry;
        }
        QCOMPARE(api.getActions().size(), 12);
        QCOMPARE(discarded.count(), 1);
        QCOMPARE(actionAt(discarded, 0), first);
        QVERIFY(!api.getActions().contains(first));

        // Opening a file that has an entry reuses it where it stands.
        QAction* fifth = entriesOf(api).at(4);
        QCOMPARE(openAndWait(api, fifth->text()), fifth);
        QCOMPARE(entriesOf(api).at(4), fifth);
        QCOMPARE(api.getActions().size(), 12);
    }
    QStringList expected;
    for (int i = 11; i >= 2; --i)
        expected.append(paths.at(i - 1));
    QCOMPARE(storedHistory(), expected);

    // A file opened before the actions were asked for finds its entry in the stored history.
    {
        BCFCacheApi api;
        QAction* entry = openAndWait(api, paths.at(5));
        QVERIFY(entry);
        QCOMPARE(entryTexts(api), expected);
        QCOMPARE(entriesOf(api).at(5), entry);
    }
    QCOMPARE(storedHistory(), expected);

    // A longer stored list is not cut when read; an insertion removes one entry from its end, and
    // a never-saved new document leaves no trace.
    QStringList fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen.append(m_dir->filePath(QStringLiteral("old%1.bcf").arg(i)));
    storeHistory(fifteen);
    {
        BCFCacheApi api;
        QCOMPARE(api.getActions().size(), 17);
        QSignalSpy discarded(&api, &BCFCacheApi::discarded);
        actionsOf(api).newDocument->trigger();
        QCOMPARE(api.getActions().size(), 17);
        QCOMPARE(discarded.count(), 1);
        QCOMPARE(actionAt(discarded, 0)->text(), fifteen.last());
    }
    QCOMPARE(storedHistory(), fifteen.mid(0, 14));
    QCOMPARE(boxes.count(), 0);
}

void TestWorkflow::newDocumentAndSave()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    BCFCacheApi api;
    const Actions actions = actionsOf(api);
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    QSignalSpy discarded(&api, &BCFCacheApi::discarded);

    // A new document: empty cache, an unnamed entry at index 2, announced with opened.
    api.createTopic({{"title", "left over"}}, QString());
    boxes.answer(QMessageBox::No);
    actions.newDocument->trigger();
    QCOMPARE(boxes.count(), 1); // the cache held a change
    QVERIFY(api.getTopic(QString()).isEmpty());
    QCOMPARE(opened.count(), 1);
    QAction* unnamed = actionAt(opened, 0);
    QCOMPARE(api.getActions().value(2), unnamed);
    QVERIFY(unnamed->text().isEmpty());
    QCOMPARE(unnamed->objectName(), QStringLiteral("New BCF created"));
    QCOMPARE(currentFileName(api), QString());
    QCOMPARE(currentEntry(api), unnamed);

    // Leaving it without a change still asks; No drops its entry with discarded.
    boxes.clear();
    boxes.answer(QMessageBox::No);
    actions.newDocument->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Save BCF"));
    QCOMPARE(boxes.last().text, SaveQuestion);
    QCOMPARE(boxes.last().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(discarded.count(), 1);
    QCOMPARE(actionAt(discarded, 0), unnamed);
    QVERIFY(!api.getActions().contains(unnamed));
    QCOMPARE(opened.count(), 2);
    unnamed = actionAt(opened, 1);

    // Save: the dialog asks for a path (canceled: nothing saved); the entry becomes the file's entry.
    const QString topicId = api.createTopic({{"title", "First"}}, QString());
    dialogs.cancelNext();
    actions.save->trigger();
    QCOMPARE(dialogs.requests().size(), 1);
    QCOMPARE(saved.count(), 0);
    checkRequest(dialogs.requests().at(0), Request::Save, QStringLiteral("BCFapi/Annotations"),
                 QStringLiteral("Save annotations..."));
    QCOMPARE(dialogs.requests().at(0).filter, OpenFilter);

    const QString path = m_dir->filePath(QStringLiteral("new document.bcf"));
    dialogs.answer(path);
    actions.save->trigger();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(actionAt(saved, 0), unnamed);
    QCOMPARE(unnamed->text(), path);
    QCOMPARE(unnamed->toolTip(), path);
    QCOMPARE(unnamed->objectName(), QStringLiteral("new document.bcf"));
    QCOMPARE(currentFileName(api), path);
    QCOMPARE(currentEntry(api), unnamed);

    // Saved: no question. Saving again writes without a dialog.
    boxes.clear();
    api.checkToSaveCurrentBCF();
    QCOMPARE(boxes.count(), 0);
    api.editSingleTopic(topicId, {{"guid", topicId}, {"title", "Second"}}, QString());
    actions.save->trigger();
    QCOMPARE(dialogs.requests().size(), 2);
    QCOMPARE(saved.count(), 2);
    QCOMPARE(api.getActions().count(unnamed), 1);

    // The entry holds exactly one connection, to opening its file: with the file gone, one trigger
    // gives one message and one discarded.
    QVERIFY(QFile::remove(path));
    QTRY_COMPARE(discarded.count(), 2); // the watch drops the entry of the deleted file
    QCOMPARE(actionAt(discarded, 1), unnamed);
    boxes.clear();
    unnamed->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, missingFileMessage(QFileInfo(path).absoluteFilePath()));
    QCOMPARE(discarded.count(), 3);

    // Saving the current document again brings its file and its entry back.
    actions.save->trigger();
    QCOMPARE(saved.count(), 3);
    QCOMPARE(api.getActions().value(2), unnamed);

    // Reopened: the document holds exactly the saved topic.
    api.clearTopics();
    QCOMPARE(openAndWait(api, path), unnamed);
    const QVariantList topics = api.getTopic(QString());
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).toMap().value("title").toString(), QStringLiteral("Second"));
    QCOMPARE(topics.at(0).toMap().value("guid").toString(), topicId);

    // saveBCFEntry writes to the current path without a dialog.
    api.createTopic({{"title", "Third"}}, QString());
    QVERIFY(QMetaObject::invokeMethod(&api, "saveBCFEntry", Q_ARG(bool, false)));
    QCOMPARE(saved.count(), 4);
    QCOMPARE(actionAt(saved, 3), unnamed);
    QCOMPARE(dialogs.requests().size(), 2);
    QCOMPARE(loadModel(path)->topicCount(), 2);
}

void TestWorkflow::saveBeforeAnyDocument()
{
    // Topics written before any document was opened or created: the save makes the file a normal
    // document, announced with opened and saved on the same entry.
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    BCFCacheApi api;
    api.clearTopics();
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy saved(&api, &BCFCacheApi::saved);

    const QString topicId = api.createTopic({{"title", "Before any document"}}, QString());
    const QString path = m_dir->filePath(QStringLiteral("first.bcf"));
    dialogs.answer(path);
    actionsOf(api).save->trigger();
    QCOMPARE(dialogs.requests().size(), 1);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(opened.count(), 1);
    QAction* entry = actionAt(saved, 0);
    QCOMPARE(actionAt(opened, 0), entry);
    QCOMPARE(entry->text(), path);
    QCOMPARE(api.getActions().value(2), entry);
    QCOMPARE(currentFileName(api), path);
    QCOMPARE(currentEntry(api), entry);
    const QSharedPointer<BCFLib::BCFModel> model = loadModel(path);
    QVERIFY(model && model->topicCount() == 1 && model->topic(topicId));

    // The document is saved: leaving it asks nothing.
    api.checkToSaveCurrentBCF();
    QCOMPARE(boxes.count(), 0);
}

void TestWorkflow::openThroughDialog()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    BCFCacheApi api;
    const Actions actions = actionsOf(api);
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy canceled(&api, &BCFCacheApi::canceled);

    // Cancelled dialog: canceled with the open action, no message.
    dialogs.cancelNext();
    actions.open->trigger();
    QCOMPARE(canceled.count(), 1);
    QCOMPARE(actionAt(canceled, 0), actions.open);
    QCOMPARE(boxes.count(), 0);
    checkRequest(dialogs.requests().at(0), Request::Open, QStringLiteral("BCFapi/Annotations"),
                 QStringLiteral("Open annotations..."));
    QCOMPARE(dialogs.requests().at(0).filter, OpenFilter);

    // Refused suffix: the warning, then canceled.
    dialogs.answer(copyCase(Minimum, QStringLiteral("x.zip")));
    actions.open->trigger();
    QCOMPARE(canceled.count(), 2);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Error"));
    QCOMPARE(boxes.last().text, QStringLiteral("This file is not a *.bcfzip file : x.zip."));
    QCOMPARE(boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boxes.last().icon, QMessageBox::Warning);
    QVERIFY(!api.openBCFFile(m_dir->filePath(QStringLiteral("a.bcf.bak"))));
    QVERIFY(!api.openBCFFile(m_dir->filePath(QStringLiteral("noSuffix"))));
    QCOMPARE(boxes.count(), 3);
    QCOMPARE(opened.count(), 0);

    // Accepted, in any case of ".bcf" and ".bcfzip": opened with the open action when the load
    // starts, then with the document's entry when it has been copied into the cache.
    int count = 0;
    for (const QString& name : {QStringLiteral("Upper.BcfZip"), QStringLiteral("lower.bcf"), QStringLiteral("Caps.BCF")}) {
        const QString path = copyCase(Maximum, name);
        dialogs.answer(path);
        actions.open->trigger();
        QCOMPARE(opened.count(), count + 1);
        QCOMPARE(actionAt(opened, count), actions.open);
        QVERIFY(waitForCount(opened, count + 2));
        QAction* entry = actionAt(opened, count + 1);
        count += 2;
        QCOMPARE(entry->text(), path);
        QCOMPARE(entry->objectName(), name);
        QCOMPARE(api.getActions().value(2), entry);
        QCOMPARE(currentFileName(api), path);
        QCOMPARE(currentEntry(api), entry);
        QCOMPARE(api.getTopic(QString()).size(), 2);
    }
    QCOMPARE(canceled.count(), 2);
    QCOMPARE(boxes.count(), 3);

    // The loaded topics are whole topic files, with nothing left beside them.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation)
        + QStringLiteral("/Annotations/");
    for (const QVariant& topic : api.getTopic(QString())) {
        const QDir topicDir(cache + topic.toMap().value(QStringLiteral("guid")).toString());
        QCOMPARE(topicDir.entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("annotation.json")}));
    }

    // One reader thread, named, reused by every load.
    const QList<QThread*> threads = api.findChildren<QThread*>();
    QCOMPARE(threads.size(), 1);
    QCOMPARE(threads.at(0)->objectName(), QStringLiteral("BCF_2_1ReaderThread"));
}

void TestWorkflow::openThroughEntry()
{
    BCFTest::MessageBoxAnswerer boxes;
    const QString good = copyCase(Maximum, QStringLiteral("good.bcf"));
    const QString missing = m_dir->filePath(QStringLiteral("missing.bcfzip"));
    const QString text = m_dir->filePath(QStringLiteral("notes.txt"));
    QVERIFY(writeFileBytes(text, "not a BCF file"));
    storeHistory({good, missing, text});

    BCFCacheApi api;
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy discarded(&api, &BCFCacheApi::discarded);
    const QList<QAction*> entries = entriesOf(api);
    QCOMPARE(entries.size(), 3);

    // A file that no longer exists, then a file of another kind: a warning each, discarded with
    // the entry, which stays listed.
    entries.at(1)->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Error"));
    QCOMPARE(boxes.last().text, missingFileMessage(missing));
    entries.at(2)->trigger();
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.last().text, QStringLiteral("This file is not a *.bcfzip file : notes.txt."));
    QCOMPARE(discarded.count(), 2);
    QCOMPARE(actionAt(discarded, 0), entries.at(1));
    QCOMPARE(actionAt(discarded, 1), entries.at(2));
    QCOMPARE(entriesOf(api), entries);

    // A good file: one opened, with the entry itself, which keeps its place.
    entries.at(0)->trigger();
    QVERIFY(waitForCount(opened, 1));
    QCOMPARE(actionAt(opened, 0), entries.at(0));
    QCOMPARE(entriesOf(api), entries);
    QCOMPARE(currentFileName(api), good);
    QCOMPARE(api.getTopic(QString()).size(), 2);
    QCOMPARE(boxes.count(), 2);
}

void TestWorkflow::invalidArchives()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    const QString good = copyCase(Maximum, QStringLiteral("good.bcf"));
    const QString broken = m_dir->filePath(QStringLiteral("broken.bcf"));
    QVERIFY(writeFileBytes(broken, "PK\x03\x04 this is no zip archive"));
    storeHistory({broken});

    BCFCacheApi api;
    QAction* brokenEntry = entriesOf(api).at(0);
    QVERIFY(openAndWait(api, good));
    const QVariantMap before = cacheState(api);
    QCOMPARE(before.size(), 2);
    QAction* goodEntry = currentEntry(api);
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy discarded(&api, &BCFCacheApi::discarded);

    // Through the dialog: the model's message, no signal when loading ends, the cache as it was.
    dialogs.answer(broken);
    actionsOf(api).open->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 30000);
    QVERIFY(!boxes.last().text.isEmpty());
    QCOMPARE(boxes.last().icon, QMessageBox::Warning);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(discarded.count(), 0);
    QCOMPARE(cacheState(api), before);
    QCOMPARE(currentFileName(api), good);
    QCOMPARE(currentEntry(api), goodEntry);

    // Through its entry: the same message, then discarded with the entry.
    brokenEntry->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 2, 30000);
    QCOMPARE(boxes.last().text, boxes.records().at(0).text);
    QCOMPARE(discarded.count(), 1);
    QCOMPARE(actionAt(discarded, 0), brokenEntry);
    QCOMPARE(cacheState(api), before);
    QCOMPARE(currentEntry(api), goodEntry);
    QCOMPARE(opened.count(), 1);

    // Nothing changed: leaving the document asks nothing.
    api.checkToSaveCurrentBCF();
    QCOMPARE(boxes.count(), 2);
}

void TestWorkflow::editSaveReopen_data()
{
    QTest::addColumn<QString>("testCase");
    const QString root = BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1"));
    QDirIterator it(root, {QStringLiteral("*.bcf")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList cases;
    while (it.hasNext())
        cases.append(QDir(root).relativeFilePath(it.next()));
    cases.sort();
    for (const QString& testCase : qAsConst(cases))
        QTest::newRow(qPrintable(testCase)) << testCase;
    if (cases.isEmpty() && BCFTest::sharedDataRequired())
        QTest::newRow("no shared data") << QString();
    else if (cases.isEmpty()) {
        for (const QString& testCase : {Minimum, Maximum, Perspective})
            QTest::newRow(qPrintable(testCase + QStringLiteral(" (stand-in)"))) << testCase;
    }
}

void TestWorkflow::editSaveReopen()
{
    QFETCH(QString, testCase);
    if (testCase.isEmpty()) {
        BCF_SKIP_WITHOUT_SHARED_DIR();
        QSKIP("no official BCF 2.1 test cases found");
    }
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;

    BCFCacheApi api;
    QAction* entry = openAndWait(api, copyCase(testCase, QFileInfo(testCase).fileName()));
    QVERIFY(entry);
    const QVariantMap original = cacheState(api);
    QVERIFY(!original.isEmpty());
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    QSignalSpy opened(&api, &BCFCacheApi::opened);

    // A first save writes the official file in the writer's own form (file names, letter case of
    // colours, elements that BCF 2.1 no longer has); what that changes is the model library's
    // business and is only reported here.
    actionsOf(api).save->trigger();
    QCOMPARE(saved.count(), 1);
    entry->trigger();
    QVERIFY(waitForCount(opened, 1));
    const QString normalised = firstDifference(original, cacheState(api));
    if (!normalised.isEmpty())
        qInfo("written in the writer's form: %s", qPrintable(normalised));
    QCOMPARE(cacheState(api).keys(), original.keys());

    // Edit through the record operations: a new title on the first topic and one more comment.
    const QString topicId = original.firstKey();
    QVariantMap topic = api.getSingleTopic(topicId, QString());
    topic.insert("title", QStringLiteral("Edited by the workflow test"));
    api.editSingleTopic(topicId, topic, QString());
    const QString commentId = api.createComment(topicId,
                                                {{"comment", "A comment added before saving"},
                                                 {"author", "workflow@test"},
                                                 {"date", "2026-12-06T12:00:00Z"}},
                                                QString());
    QVERIFY(!commentId.isEmpty());
    const QVariantMap expected = cacheState(api);

    // Save to its own path: no dialog, saved with its entry.
    actionsOf(api).save->trigger();
    QCOMPARE(saved.count(), 2);
    QCOMPARE(actionAt(saved, 1), entry);
    QCOMPARE(dialogs.requests().size(), 0);

    // Reopen through the entry: the cache holds exactly what was saved, and no question was asked
    // (the loader's own warnings about the official file may be shown).
    entry->trigger();
    QVERIFY(waitForCount(opened, 2));
    QCOMPARE(actionAt(opened, 1), entry);
    const QString difference = firstDifference(expected, cacheState(api));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(api.getSingleTopic(topicId, QString()).value("title").toString(),
             QStringLiteral("Edited by the workflow test"));
    QCOMPARE(api.getSingleComment(topicId, commentId, QString()).value("comment").toString(),
             QStringLiteral("A comment added before saving"));
    for (const BCFTest::MessageBoxAnswerer::Record& box : boxes.records())
        QVERIFY2(box.text != SaveQuestion, qPrintable(box.text));
}

void TestWorkflow::projectKeptOnSave()
{
    // Needs a case with a project extension schema, which the generator does not make.
    BCF_SKIP_WITHOUT_SHARED_DIR();
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;

    for (const QString& testCase : {Maximum, QStringLiteral("Project/ExtensionSchema.bcf")}) {
        const QString source = officialCase(testCase);
        const QString path = copyCase(testCase, QFileInfo(testCase).fileName());
        const QSharedPointer<BCFLib::BCFModel> original = loadModel(source);
        QVERIFY(original);

        BCFCacheApi api;
        QVERIFY(openAndWait(api, path));
        // The project never shows up as a topic.
        QCOMPARE(api.getTopic(QString()).size(), original->topicCount());
        api.createTopic({{"title", "Added"}}, QString());
        actionsOf(api).save->trigger();

        const QSharedPointer<BCFLib::BCFModel> written = loadModel(path);
        QVERIFY(written);
        QCOMPARE(written->topicCount(), original->topicCount() + 1);
        QCOMPARE(bool(written->project()), bool(original->project()));
        if (original->project()) {
            QCOMPARE(written->project()->guid(), original->project()->guid());
            QCOMPARE(written->project()->name(), original->project()->name());
        }
        QVERIFY(!written->extensionSchema().isEmpty());
        QCOMPARE(written->extensionSchema(), original->extensionSchema());
        QCOMPARE(written->extensionSchemaData(), original->extensionSchemaData());
        // Files of the archive besides viewpoints and snapshots (whose names the writer chooses)
        // survive: the schema, internal documents, snippet files.
        const QStringList savedEntries = archiveEntries(path);
        QVERIFY(savedEntries.contains(original->extensionSchema()));
        for (const QString& entry : archiveEntries(source)) {
            if (!entry.endsWith(QLatin1String(".png")) && !entry.endsWith(QLatin1String(".bcfv")))
                QVERIFY2(savedEntries.contains(entry), qPrintable(entry));
        }

        // A new document starts without the project of the previous one.
        actionsOf(api).newDocument->trigger();
        const QString fresh = m_dir->filePath(QStringLiteral("fresh.bcf"));
        dialogs.answer(fresh);
        api.createTopic({{"title", "Fresh"}}, QString());
        actionsOf(api).save->trigger();
        const QSharedPointer<BCFLib::BCFModel> freshModel = loadModel(fresh);
        QVERIFY(freshModel);
        QVERIFY(!freshModel->project());
        QVERIFY(freshModel->extensionSchema().isEmpty());
        QCOMPARE(freshModel->topicCount(), 1);
    }
}

void TestWorkflow::documentCopyMatchesInterfaceCopy()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;

    for (const QString& testCase : {Maximum, QStringLiteral("Visualization/ComponentSelection.bcf")}) {
        const QString path = copyCase(testCase, QFileInfo(testCase).fileName());
        BCFCacheApi api;

        // Opening fills the cache as copyFromInterface from the loaded model does.
        QVERIFY(openAndWait(api, path));
        const QVariantMap opened = cacheState(api);
        api.clearTopics();
        {
            Vexamo::BCFFileApi loaded(loadModel(path), nullptr);
            api.copyFromInterface(loaded);
        }
        const QVariantMap copied = cacheState(api);
        QVERIFY(!copied.isEmpty());
        QString difference = firstDifference(copied, opened);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));

        // Saving writes what copyFromInterface from the cache into a model would write.
        QVERIFY(QMetaObject::invokeMethod(&api, "saveBCFEntry", Q_ARG(bool, false)));
        QCOMPARE(dialogs.requests().size(), 0);
        const QSharedPointer<BCFLib::BCFModel> reference = BCFLib::BCFModel::Create(nullptr);
        {
            Vexamo::BCFFileApi document(reference, nullptr);
            document.copyFromInterface(api);
        }
        const QString referencePath = m_dir->filePath(QStringLiteral("reference.bcf"));
        QVERIFY(reference->serialize(referencePath));
        Vexamo::BCFFileApi written(loadModel(path), nullptr);
        Vexamo::BCFFileApi expected(loadModel(referencePath), nullptr);
        const QVariantMap expectedTopics = topicsByGuid(expected);
        difference = firstDifference(expectedTopics, topicsByGuid(written));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        for (const QString& topicId : expectedTopics.keys()) {
            for (const QVariant& viewpoint : expectedTopics.value(topicId).toMap().value("viewpoints").toList()) {
                const QString viewpointId = viewpoint.toMap().value("guid").toString();
                QScopedPointer<QByteArray> a(expected.getSnapshotContent(topicId, viewpointId, QString()));
                QScopedPointer<QByteArray> b(written.getSnapshotContent(topicId, viewpointId, QString()));
                QCOMPARE(bool(a), bool(b));
                QVERIFY(!a || *a == *b);
            }
        }
    }
}

void TestWorkflow::saveQuestion()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    const QString first = copyCase(Maximum, QStringLiteral("first.bcf"));
    const QString second = copyCase(Perspective, QStringLiteral("second.bcf"));

    BCFCacheApi api;
    const Actions actions = actionsOf(api);
    QVERIFY(openAndWait(api, first));
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    QSignalSpy opened(&api, &BCFCacheApi::opened);

    // Unchanged: opening another document asks nothing.
    dialogs.answer(second);
    actions.open->trigger();
    QVERIFY(waitForCount(opened, 2));
    QCOMPARE(boxes.count(), 0);

    // Changed, and Yes: the document is written before the next one opens.
    const QString topicId = api.getTopic(QString()).value(0).toMap().value("guid").toString();
    api.removeSingleTopic(topicId, QString());
    boxes.answer(QMessageBox::Yes);
    dialogs.answer(first);
    actions.open->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Save BCF"));
    QCOMPARE(boxes.last().text, SaveQuestion);
    QCOMPARE(boxes.last().icon, QMessageBox::Question);
    QCOMPARE(saved.count(), 1);
    QVERIFY(waitForCount(opened, 4));
    QVERIFY(!loadModel(second)->topic(topicId));

    // Changed, and No: nothing is written and the next document opens all the same.
    const QByteArray firstBytes = fileBytes(first);
    api.removeSingleTopic(api.getTopic(QString()).value(0).toMap().value("guid").toString(), QString());
    boxes.answer(QMessageBox::No);
    dialogs.answer(second);
    actions.open->trigger();
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(saved.count(), 1);
    QVERIFY(waitForCount(opened, 6));
    QCOMPARE(fileBytes(first), firstBytes);
    QCOMPARE(currentFileName(api), second);
}

void TestWorkflow::saveQuestionAnswers()
{
    // Open, new and the host's close handler, each with every answer to the question asked about
    // a modified new document: whether the command goes on, and whether the document was saved.
    enum Command { Open, New, Close };
    struct Row {
        const char* name;
        Command command;
        QMessageBox::StandardButton answer; // NoButton: Escape or the box's close button
        bool pathChosen;                     // Yes: the save dialog gets a path, else it is cancelled
        bool goesOn;
    };
    const QList<Row> rows{
        {"open-yes", Open, QMessageBox::Yes, true, true},
        {"open-yes-dialog-cancelled", Open, QMessageBox::Yes, false, false},
        {"open-no", Open, QMessageBox::No, false, true},
        {"open-escape", Open, QMessageBox::NoButton, false, false},
        {"new-yes", New, QMessageBox::Yes, true, true},
        {"new-yes-dialog-cancelled", New, QMessageBox::Yes, false, false},
        {"new-no", New, QMessageBox::No, false, true},
        {"new-cancel", New, QMessageBox::Cancel, false, false},
        {"close-yes", Close, QMessageBox::Yes, true, true},
        {"close-yes-dialog-cancelled", Close, QMessageBox::Yes, false, false},
        {"close-no", Close, QMessageBox::No, false, true},
        {"close-escape", Close, QMessageBox::NoButton, false, false},
    };
    for (const Row& row : rows) {
        BCFTest::MessageBoxAnswerer boxes;
        BCFTest::FileDialogAnswers dialogs;
        BCFCacheApi api;
        const Actions actions = actionsOf(api);
        boxes.answer(QMessageBox::No); // the change an earlier row left in the shared cache
        actions.newDocument->trigger();
        boxes.clear();
        QAction* unnamed = currentEntry(api);
        api.createTopic({{"title", "Kept"}}, QString());

        const QString path = m_dir->filePath(QString::fromLatin1(row.name) + QStringLiteral(".bcf"));
        if (row.answer != QMessageBox::NoButton)
            boxes.answer(row.answer);
        if (row.answer == QMessageBox::Yes)
            dialogs.answer(row.pathChosen ? path : QString());
        dialogs.cancelNext(); // the open command's own file dialog

        bool wentOn = false;
        if (row.command == Open) {
            actions.open->trigger();
            for (const Request& request : dialogs.requests())
                wentOn = wentOn || request.kind == Request::Open;
        } else if (row.command == New) {
            actions.newDocument->trigger();
            wentOn = currentEntry(api) != unnamed;
        } else {
            wentOn = api.confirmDiscardOrSave();
        }

        QVERIFY2(boxes.count() == 1 && boxes.last().text == SaveQuestion, row.name);
        QCOMPARE(boxes.last().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY2(wentOn == row.goesOn, row.name);
        QVERIFY2(QFileInfo::exists(path) == row.pathChosen, row.name);
        if (row.pathChosen)
            QCOMPARE(loadModel(path)->topicCount(), 1);
        if (!row.goesOn) {
            // The document stays as it was: its topic, its entry, still unsaved.
            QCOMPARE(api.getTopic(QString()).size(), 1);
            QCOMPARE(currentEntry(api), unnamed);
            QVERIFY(api.getActions().contains(unnamed));
        }
    }
}

void TestWorkflow::versionListsAndDocumentsKept()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    BCFLib::ProjectExtensions lists;
    lists.topicTypes = QStringList{"Clash", "Request"};
    lists.priorities = QStringList{"High", "Low"};
    lists.stages = QStringList{"Design"};
    const BCFLib::Document document{QStringLiteral("0b1c2d3e-4f50-4a6b-8c7d-9e0f1a2b3c4d"),
                                     QStringLiteral("spec.pdf"), QStringLiteral("Specification"), "%PDF-1.4"};
    const QString path = m_dir->filePath(QStringLiteral("three.bcf"));
    {
        const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create(nullptr);
        model->setVersion(BCFLib::Version(QStringLiteral("3.0")));
        model->setExtensions(lists);
        model->setDocuments({document});
        model->addTopic(QStringLiteral("First"), QStringLiteral("a@example.com"), QDateTime::currentDateTimeUtc());
        QVERIFY(model->serialize(path));
    }
    const auto checkWritten = [&](const QString& file, const QString& version, int topics) {
        const QSharedPointer<BCFLib::BCFModel> written = loadModel(file);
        QVERIFY(written);
        QCOMPARE(written->version().versionId(), version);
        QCOMPARE(written->topicCount(), topics);
        if (version == QLatin1String("3.0")) {
            QCOMPARE(written->extensions().priorities, lists.priorities);
            QCOMPARE(written->extensions().stages, lists.stages);
            QCOMPARE(written->documents().size(), 1);
            QCOMPARE(written->documents().first().description, document.description);
            QCOMPARE(written->documents().first().data, document.data);
        }
    };

    BCFCacheApi api;
    QVERIFY(openAndWait(api, path));
    QCOMPARE(api.documentVersion(), QStringLiteral("3.0"));
    QCOMPARE(api.getProjectExtension(QString()).value(Vexamo::BCFKeys::ExtensionPriorities).toStringList(),
             lists.priorities);
    api.createTopic({{"title", "Added"}}, QString());

    // The save command and "Save as..." write 3.0 with the lists and the documents.
    actionsOf(api).saveCommand->trigger();
    checkWritten(path, QStringLiteral("3.0"), 2);
    const QString copy = m_dir->filePath(QStringLiteral("copy.bcf"));
    dialogs.answer(copy);
    actionsOf(api).saveAs->trigger();
    QCOMPARE(dialogs.requests().size(), 1);
    QCOMPARE(dialogs.requests().first().dir, path);
    checkWritten(copy, QStringLiteral("3.0"), 2);
    QCOMPARE(currentFileName(api), copy);
    QVERIFY(entryTexts(api).contains(path));
    QCOMPARE(boxes.count(), 0);

    // "Save to BCF 2.1..." converts: what 2.1 cannot hold is shown, and the document is 2.1 from then on.
    actionsOf(api).save->trigger();
    checkWritten(copy, QStringLiteral("2.1"), 2);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().icon, QMessageBox::Information);
    QVERIFY2(boxes.last().text.contains(QStringLiteral("saved as BCF 2.1")), qPrintable(boxes.last().text));
    QCOMPARE(api.documentVersion(), QStringLiteral("2.1"));
    // "Save to BCF 3.0..." brings it back to 3.0, with the lists and documents that were kept.
    actionsOf(api).save30->trigger();
    checkWritten(copy, QStringLiteral("3.0"), 2);
}

void TestWorkflow::exportToBCF1()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    const QString source = copyCase(Maximum, QStringLiteral("max.bcf"));

    BCFCacheApi api;
    const Actions actions = actionsOf(api);
    QVERIFY(openAndWait(api, source));
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    QSignalSpy discarded(&api, &BCFCacheApi::discarded);
    QSignalSpy canceled(&api, &BCFCacheApi::canceled);

    dialogs.cancelNext();
    actions.exportBCF1->trigger();
    QCOMPARE(dialogs.requests().size(), 1);
    checkRequest(dialogs.requests().at(0), Request::Save, QStringLiteral("BCFapi/Export"),
                 QStringLiteral("Export annotations in BCF 1.0..."));
    QVERIFY(dialogs.requests().at(0).dir.isEmpty());

    const QString target = m_dir->filePath(QStringLiteral("exported.bcfzip"));
    dialogs.answer(target);
    actions.exportBCF1->trigger();
    const QStringList entries = archiveEntries(target);
    for (const QString& guid : topicsByGuid(api).keys())
        QVERIFY2(entries.contains(guid + QStringLiteral("/markup.bcf")), qPrintable(entries.join(' ')));
    // Export signals nothing and does not count as a save, nor as a change.
    QCOMPARE(opened.count() + saved.count() + discarded.count() + canceled.count(), 0);
    QCOMPARE(currentFileName(api), source);
    api.checkToSaveCurrentBCF();
    QCOMPARE(boxes.count(), 0);

    // A target that cannot be written: the error message.
    dialogs.answer(m_dir->filePath(QStringLiteral("no/such/folder/x.bcfzip")));
    actions.exportBCF1->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Error"));
    QCOMPARE(boxes.last().text, CantSave);
}

void TestWorkflow::failedSaveKeepsFile()
{
    BCFTest::MessageBoxAnswerer boxes;
    const QString path = copyCase(Maximum, QStringLiteral("keep.bcf"));
    const QByteArray original = fileBytes(path);

    BCFCacheApi api;
    QAction* entry = openAndWait(api, path);
    QVERIFY(entry);
    api.createTopic({{"title", "Unsaved"}}, QString());
    QSignalSpy saved(&api, &BCFCacheApi::saved);

    // Every file write beyond 4 KiB fails while the limit holds: the archive cannot be written.
    {
        BCFTest::FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        actionsOf(api).save->trigger();
    }
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Error"));
    QCOMPARE(boxes.last().text, CantSave);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(fileBytes(path), original);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({QStringLiteral("keep.bcf")}));

    // Leaving it for a new document or another entry while the write fails again: the other
    // document does not open and the unsaved topic stays in the cache.
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy canceled(&api, &BCFCacheApi::canceled);
    for (int attempt = 0; attempt < 2; ++attempt) {
        boxes.answer(QMessageBox::Yes);
        boxes.answer(QMessageBox::Ok);
    }
    {
        BCFTest::FileSizeLimit limit(4096);
        actionsOf(api).newDocument->trigger();
        entry->trigger();
    }
    QCOMPARE(opened.count(), 0);
    QCOMPARE(canceled.count(), 0);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(currentFileName(api), path);
    QCOMPARE(api.getTopic(QString()).size(), 3);
    QCOMPARE(fileBytes(path), original);
    QCOMPARE(boxes.count(), 5);
    QCOMPARE(boxes.records().at(2).text, CantSave);

    // Still modified: leaving asks, and Yes writes it now.
    boxes.answer(QMessageBox::Yes);
    api.checkToSaveCurrentBCF();
    QCOMPARE(boxes.count(), 6);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(loadModel(path)->topicCount(), 3);
}

void TestWorkflow::changeWatch()
{
    BCFTest::MessageBoxAnswerer boxes;
    const QByteArray maximum = fileBytes(officialCase(Maximum));
    const QByteArray perspective = fileBytes(officialCase(Perspective));
    const QString earlier = copyCase(Maximum, QStringLiteral("earlier.bcf"));
    const QString current = copyCase(Maximum, QStringLiteral("current.bcf"));

    BCFCacheApi api;
    QAction* earlierEntry = openAndWait(api, earlier);
    QAction* currentEntryAction = openAndWait(api, current);
    QVERIFY(earlierEntry && currentEntryAction);
    QSignalSpy opened(&api, &BCFCacheApi::opened);
    QSignalSpy saved(&api, &BCFCacheApi::saved);
    QSignalSpy discarded(&api, &BCFCacheApi::discarded);

    // Our own save raises no question. The change of another watched file, made afterwards,
    // is the first and only one reported; No keeps everything and the watch goes on.
    api.createTopic({{"title", "Ours"}}, QString());
    actionsOf(api).save->trigger();
    QCOMPARE(saved.count(), 1);
    boxes.answer(QMessageBox::No);
    QVERIFY(writeFileBytes(earlier, perspective));
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 10000);
    QCOMPARE(boxes.last().title, QStringLiteral("File changed on disk"));
    QCOMPARE(boxes.last().text, reloadQuestion(earlier));
    QCOMPARE(boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(boxes.last().defaultButton, QMessageBox::Yes);
    QCOMPARE(boxes.last().icon, QMessageBox::Information);
    QCOMPARE(cacheState(api).size(), 3);
    QCOMPARE(opened.count(), 0);
    QCOMPARE(currentFileName(api), current);

    // The current document changes on disk while modified: Yes to reload, then No to saving:
    // the changed file is loaded and the changes are dropped.
    api.createTopic({{"title", "Dropped"}}, QString());
    boxes.answer(QMessageBox::Yes);
    boxes.answer(QMessageBox::No);
    QVERIFY(writeFileBytes(current, perspective));
    QVERIFY(waitForCount(opened, 1));
    QCOMPARE(actionAt(opened, 0), currentEntryAction);
    QCOMPARE(boxes.count(), 3);
    QCOMPARE(boxes.records().at(1).text, reloadQuestion(current));
    QCOMPARE(boxes.records().at(2).text, SaveQuestion);
    QCOMPARE(cacheState(api).size(), loadModel(officialCase(Perspective))->topicCount());
    QCOMPARE(saved.count(), 1);

    // The earlier document's file is deleted: its own entry goes, the current one stays.
    QVERIFY(QFile::remove(earlier));
    QTRY_COMPARE_WITH_TIMEOUT(discarded.count(), 1, 10000);
    QCOMPARE(actionAt(discarded, 0), earlierEntry);
    QVERIFY(!api.getActions().contains(earlierEntry));
    QCOMPARE(currentEntry(api), currentEntryAction);

    // The current document's file is deleted: its entry goes; the cache keeps the content.
    const QVariantMap before = cacheState(api);
    QVERIFY(QFile::remove(current));
    QTRY_COMPARE_WITH_TIMEOUT(discarded.count(), 2, 10000);
    QCOMPARE(actionAt(discarded, 1), currentEntryAction);
    QVERIFY(!api.getActions().contains(currentEntryAction));
    QCOMPARE(cacheState(api), before);
    QCOMPARE(currentFileName(api), current);
    QCOMPARE(boxes.count(), 3);

    // Another program saves by writing a new file and renaming it over the document: the question
    // comes, and the watch goes on for the file now at that path.
    const QString replaced = copyCase(Maximum, QStringLiteral("replaced.bcf"));
    QVERIFY(openAndWait(api, replaced));
    boxes.answer(QMessageBox::No);
    {
        QSaveFile file(replaced);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(perspective);
        QVERIFY(file.commit());
    }
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 4, 10000);
    QCOMPARE(boxes.last().text, reloadQuestion(replaced));
    boxes.answer(QMessageBox::No);
    QVERIFY(writeFileBytes(replaced, maximum));
    QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 5, 10000);
    QCOMPARE(boxes.last().text, reloadQuestion(replaced));
}

void TestWorkflow::destroyedWhileLoading()
{
    BCFTest::MessageBoxAnswerer boxes;
    const QString path = copyCase(Maximum, QStringLiteral("busy.bcf"));
    QPointer<QThread> reader;
    {
        BCFCacheApi api;
        api.getActions();
        // Two loads queued on the reader thread; the object goes before either has finished. The
        // destructor waits for the running one; nothing reaches the destroyed object.
        QVERIFY(api.openBCFFile(path));
        QVERIFY(api.openBCFFile(path));
        reader = api.findChild<QThread*>(QStringLiteral("BCF_2_1ReaderThread"));
        QVERIFY(reader);
    }
    QVERIFY(reader.isNull());
    QCoreApplication::processEvents();
    QCOMPARE(storedHistory(), QStringList());
    QCOMPARE(boxes.count(), 0);
}

BCF_TEST_MAIN(TestWorkflow)
#include "tst_workflow.moc"
