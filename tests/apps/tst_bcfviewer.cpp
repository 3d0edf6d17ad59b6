// The viewer on an official BCF case: the topic list, sorting, the selected topic's details and
// snapshots, adding a comment as the current user, the File menu and tool bar following the
// library's signals, progress in the status bar, and a screenshot of the main window written into the build tree.

#include "MainWindow.h"
#include "SnapshotStrip.h"
#include "TopicDetailView.h"
#include "TopicListModel.h"

#include "BCFTestSupport/FileDialogAnswers.h"
#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapiRegistry.h"
#include "QtTools/OperationStatus.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>

using namespace Vexamo;

namespace {

QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

QStringList columnTexts(const QAbstractItemModel* model, int column)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}

// Opens path in window and waits for the library to report the loaded document.
QAction* openAndWait(MainWindow& window, const QString& path)
{
    QSignalSpy opened(window.api(), &BCFapi::opened);
    if (!window.openFile(path))
        return nullptr;
    if (!opened.wait(30000))
        return nullptr;
    return opened.last().at(0).value<QAction*>();
}

} // namespace

class TestBcfViewer : public QObject
{
    Q_OBJECT

private slots:
    void showsOfficialCaseAndWritesScreenshot();
    void menusFollowTheDocumentSignals();
    void statusBarShowsProgress();
};

void TestBcfViewer::showsOfficialCaseAndWritesScreenshot()
{
    BCF_SKIP_WITHOUT_SHARED_DIR();
    const QString file = BCFTest::bcfSharedFile(QStringLiteral("testcases/2.1/Markup/MaximumInformation.bcf"));
    BCFTest::MessageBoxAnswerer boxes;

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(BCFapiRegistry::Get()->all().contains(window.api()));

    QAction* entry = openAndWait(window, file);
    QVERIFY(entry);
    QCOMPARE(entry->text(), QFileInfo(file).absoluteFilePath());
    QCOMPARE(boxes.count(), 0);
    QVERIFY(window.windowTitle().contains(QStringLiteral("MaximumInformation.bcf")));

    // The list, sortable by title both ways and by date.
    QAbstractItemModel* list = window.topicView()->model();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->columnCount(), int(TopicListModel::ColumnCount));
    window.topicView()->sortByColumn(TopicListModel::TitleColumn, Qt::AscendingOrder);
    QCOMPARE(columnTexts(list, TopicListModel::TitleColumn),
             QStringList({QStringLiteral("Maximum Content"), QStringLiteral("Referenced topic")}));
    window.topicView()->sortByColumn(TopicListModel::TitleColumn, Qt::DescendingOrder);
    QCOMPARE(columnTexts(list, TopicListModel::TitleColumn),
             QStringList({QStringLiteral("Referenced topic"), QStringLiteral("Maximum Content")}));
    // "Maximum Content" was created in 2015, "Referenced topic" in 2017.
    window.topicView()->sortByColumn(TopicListModel::DateColumn, Qt::AscendingOrder);
    QCOMPARE(list->index(0, TopicListModel::TitleColumn).data().toString(), QStringLiteral("Maximum Content"));
    QCOMPARE(list->index(0, TopicListModel::StatusColumn).data().toString(), QStringLiteral("Open"));
    QCOMPARE(list->index(0, TopicListModel::PriorityColumn).data().toString(), QStringLiteral("High"));
    QCOMPARE(list->index(0, TopicListModel::AssignedToColumn).data().toString(), QStringLiteral("linhard@iabi.eu"));
    QVERIFY(!list->index(0, TopicListModel::DateColumn).data().toString().isEmpty());

    // The selected topic: description, comments and its three snapshots.
    window.topicView()->selectRow(0);
    TopicDetailView* detail = window.detailView();
    const QString topicId = detail->topicId();
    QCOMPARE(topicId, QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97"));
    QCOMPARE(detail->snapshots()->count(), 3);
    QVERIFY(detail->commentView()->toPlainText().contains(QStringLiteral("unmodified topic")));

    // A comment added in the window is stored as the current user's, and shown.
    const int commentsBefore = window.api()->getComment(topicId, QString()).size();
    QVERIFY(!detail->addCommentButton()->isEnabled());
    QTest::keyClicks(detail->commentEditor(), QStringLiteral("Looks <b>good</b> from here"));
    QVERIFY(detail->addCommentButton()->isEnabled());
    QTest::mouseClick(detail->addCommentButton(), Qt::LeftButton);
    const QVariantList comments = window.api()->getComment(topicId, QString());
    QCOMPARE(comments.size(), commentsBefore + 1);
    const QVariantMap added = comments.last().toMap();
    QCOMPARE(added.value(BCFKeys::Comment).toString(), QStringLiteral("Looks <b>good</b> from here"));
    QCOMPARE(added.value(BCFKeys::Author).toString(), MainWindow::currentUserName());
    QCOMPARE(detail->topicId(), topicId);
    // Shown as typed: the markup of a comment is text, not formatting.
    QVERIFY(detail->commentView()->toPlainText().contains(QStringLiteral("Looks <b>good</b> from here")));
    QVERIFY(detail->commentEditor()->text().isEmpty());
    QVERIFY(window.isWindowModified());

    // The File menu holds the library's actions and the document entry; the tool bar the save drop-down.
    const QStringList menu = actionTexts(window.fileMenu()->actions());
    for (const QString& text : {QStringLiteral("Open BCF File..."), QStringLiteral("New BCF File..."),
                                QFileInfo(file).absoluteFilePath(), QStringLiteral("Save to BCF 2.1..."),
                                QStringLiteral("Export to BCF 1.0...")})
        QVERIFY2(menu.contains(text), qPrintable(text));
    QVERIFY(window.documentToolBar()->actions().contains(window.api()->getExtraAction()));

    // Back to the description view of the first topic for the picture.
    window.topicView()->sortByColumn(TopicListModel::TitleColumn, Qt::AscendingOrder);
    window.topicView()->selectRow(0);
    QCoreApplication::processEvents();
    const QImage shot = window.grab().toImage();
    QVERIFY(!shot.isNull());
    const QString shotPath = QStringLiteral(BCFVIEWER_SCREENSHOT);
    QVERIFY2(shot.save(shotPath, "PNG"), qPrintable(shotPath));
    const QImage reread(shotPath);
    QCOMPARE(reread.size(), window.size() * window.devicePixelRatioF());
    qInfo("screenshot: %s", qPrintable(shotPath));

    // Closing with unsaved changes asks to save; the answer No keeps the file as it was.
    boxes.answer(QMessageBox::No);
    window.close();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().title, QStringLiteral("Save BCF"));
}

void TestBcfViewer::menusFollowTheDocumentSignals()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    MainWindow window;
    window.show();
    BCFCacheApi* api = window.api();
    QAction* openAction = api->getActions().first();
    QAction* saveAction = api->getExtraAction()->menu()->defaultAction();
    QVERIFY(window.fileMenu()->actions().contains(openAction));

    // Canceled open dialog: nothing changes but the status bar.
    QSignalSpy canceled(api, &BCFapi::canceled);
    dialogs.cancelNext();
    openAction->trigger();
    QCOMPARE(canceled.count(), 1);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Nothing opened"));

    // A new document, then saved: its entry appears in the menu under the file's path.
    api->getActions().at(1)->trigger();
    QVERIFY(window.windowTitle().contains(QStringLiteral("Untitled")));
    const QString path = dir.filePath(QStringLiteral("saved.bcf"));
    dialogs.answer(path);
    QSignalSpy saved(api, &BCFapi::saved);
    saveAction->trigger();
    QCOMPARE(saved.count(), 1);
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!window.isWindowModified());
    QVERIFY(window.windowTitle().contains(QStringLiteral("saved.bcf")));
    QAction* entry = saved.first().at(0).value<QAction*>();
    QVERIFY(window.fileMenu()->actions().contains(entry));

    // Its file vanishes; triggering the entry reports it and the library discards it: it leaves the menu.
    QVERIFY(QFile::remove(path));
    QSignalSpy discarded(api, &BCFapi::discarded);
    entry->trigger();
    QVERIFY(discarded.count() >= 1);
    QVERIFY(boxes.count() >= 1);
    QVERIFY(!window.fileMenu()->actions().contains(entry));
    QVERIFY(window.fileMenu()->actions().contains(openAction));
}

void TestBcfViewer::statusBarShowsProgress()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* bar = window.statusBar()->findChild<QProgressBar*>();
    QVERIFY(bar);
    QVERIFY(!bar->isVisible());
    {
        OperationStatus status(QStringLiteral("Counting topics"), 10, true);
        QTRY_VERIFY(bar->isVisible());
        bool titleShown = false;
        const QList<QLabel*> labels = window.statusBar()->findChildren<QLabel*>();
        for (const QLabel* label : labels)
            titleShown = titleShown || (label->isVisible() && label->text() == QStringLiteral("Counting topics"));
        QVERIFY(titleShown);
        // Progress is throttled; the last state arrives at the latest with the end of the operation.
        status.addStep(5);
    }
    QTRY_VERIFY(!bar->isVisible());
    QCOMPARE(bar->value(), bar->maximum() / 2);
}

BCF_TEST_MAIN(TestBcfViewer)
#include "tst_bcfviewer.moc"
