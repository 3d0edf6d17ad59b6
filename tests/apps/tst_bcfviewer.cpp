// The viewer as a user drives it: an official case shown in the list and the details, the File menu
// following the library's signals, progress and failed opens in the status bar, and an edit cycle
// (filter, select, edit the fields, add, edit and delete a comment, create and delete a topic, save)
// whose saved file is read back with the model library. Screenshots go into the build tree.

#include "CommentEditor.h"
#include "CommentList.h"
#include "LabelPicker.h"
#include "MainWindow.h"
#include "SnapshotDialog.h"
#include "SnapshotStrip.h"
#include "TopicDetailView.h"
#include "TopicEditDialog.h"
#include "TopicFilterBar.h"
#include "TopicListModel.h"
#include "TopicListView.h"

#include "BCFArchiveGenerator.h"
#include "BCFTestSupport/FileDialogAnswers.h"
#include "BCFTestSupport/InMemoryBCFapi.h"
#include "BCFTestSupport/MessageBoxAnswerer.h"
#include "BCFTestSupport/ModelRecords.h"
#include "BCFTestSupport/TestFiles.h"
#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapiRegistry.h"

#include <ctime>
#include "QtTools/OperationStatus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

using namespace Vexamo;
namespace Keys = BCFKeys;

namespace {


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
    if (!window.openFile(path) || !opened.wait(30000))
        return nullptr;
    return opened.last().at(0).value<QAction*>();
}

// Writes what widget shows into the build tree and checks that it can be read back.
bool saveShot(QWidget* widget, const QString& name)
{
    QCoreApplication::processEvents();
    const QString path = QStringLiteral(BCFVIEWER_SCREENSHOT_DIR "/") + name;
    if (!widget->grab().toImage().save(path, "PNG") || QImage(path).isNull())
        return false;
    qInfo("screenshot: %s", qPrintable(path));
    return true;
}

void clickRow(QTableView* view, int row)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(row, TopicListModel::TitleColumn)).center());
}

void typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, lines.at(i));
    }
}

// Dialogs take the activation with them; shortcuts only reach the active window.
bool activate(QWidget& window)
{
    QCoreApplication::processEvents();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window) && QApplication::activeWindow() == &window;
}

void selectComment(CommentList* list, const QString& commentId)
{
    const int row = list->commentIds().indexOf(commentId);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The topics of a file as the model library reads them, by guid.
QVariantMap topicsById(const QString& path, BCFTest::RecordForm form)
{
    QVariantMap byId;
    const auto model = BCFTest::loadAsViewer(path);
    if (!model)
        return byId;
    for (const QVariant& topic : BCFTest::modelRecord(*model, form).value(QStringLiteral("topics")).toList())
        byId.insert(topic.toMap().value(Keys::Guid).toString(), topic);
    return byId;
}

} // namespace

class TestBcfViewer : public QObject
{
    Q_OBJECT

private slots:
    void showsOfficialCaseAndWritesScreenshot();
    void menusFollowTheDocumentSignals();
    void statusBarShowsProgressAndFailedOpens();
    void editCycleIsSavedAndNothingElseChanges();
    void layoutIsRemembered();
    void closeAsksOnceAndExportSaysWhatItWrote();
    void listingKeepsTheEventLoopTurning();
    void dueDateIsTheChosenDayInEveryZone();
    void unsentCommentStaysWithItsTopic();
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
    window.topicView()->sortByColumn(TopicListModel::TitleColumn, Qt::DescendingOrder);
    QCOMPARE(columnTexts(list, TopicListModel::TitleColumn),
             QStringList({QStringLiteral("Referenced topic"), QStringLiteral("Maximum Content")}));
    // "Maximum Content" was created in 2015, "Referenced topic" in 2017.
    window.topicView()->sortByColumn(TopicListModel::DateColumn, Qt::AscendingOrder);
    QCOMPARE(list->index(0, TopicListModel::TitleColumn).data().toString(), QStringLiteral("Maximum Content"));
    QCOMPARE(list->index(0, TopicListModel::PriorityColumn).data().toString(), QStringLiteral("High"));
    QCOMPARE(list->index(0, TopicListModel::AssignedToColumn).data().toString(), QStringLiteral("linhard@iabi.eu"));

    // The selected topic: every field, links, related topics, comments in date order, snapshots.
    window.topicView()->selectRow(0);
    TopicDetailView* detail = window.detailView();
    QCOMPARE(detail->topicId(), QStringLiteral("63E78882-7C6A-4BF7-8982-FC478AFB9C97"));
    QCOMPARE(detail->snapshots()->count(), 3);
    QCOMPARE(detail->fieldText(QStringLiteral("Labels")), QStringLiteral("Structural, IT Development"));
    QCOMPARE(detail->fieldText(QStringLiteral("Links")), QStringLiteral("https://bim--it.net"));
    QVERIFY(detail->fieldText(QStringLiteral("Modified")).contains(QStringLiteral("@")));
    QCOMPARE(detail->fieldText(QStringLiteral("Related")), QStringLiteral("Referenced topic"));
    QList<QDateTime> dates;
    for (const QString& id : detail->commentList()->commentIds())
        dates << QDateTime::fromString(window.api()->getSingleComment(detail->topicId(), id, QString())
                                           .value(Keys::Date).toString(), Qt::ISODateWithMs);
    QVERIFY(dates.size() >= 2);
    QVERIFY(std::is_sorted(dates.cbegin(), dates.cend()));

    // A related topic is a link that goes there.
    const QStringList related = window.api()->getRelatedTopics(detail->topicId(), QString());
    QCOMPARE(related.size(), 1);
    emit detail->topicText()->anchorClicked(QUrl(QStringLiteral("topic:") + related.first()));
    QCOMPARE(detail->topicId(), related.first());
    QVERIFY(saveShot(&window, QStringLiteral("bcfviewer-screenshot.png")));

    // Closing with unsaved changes asks to save; here nothing changed.
    window.close();
    QCOMPARE(boxes.count(), 0);
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
    QVERIFY(window.fileMenu()->actions().contains(openAction));
    QCOMPARE(openAction->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(api->getExtraAction()->shortcut(), QKeySequence(QKeySequence::Save));

    // Canceled open dialog: nothing changes but the status bar.
    dialogs.cancelNext();
    openAction->trigger();
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Nothing opened"));

    // A new document, then saved: its entry appears in the menu under the file's path.
    api->getActions().at(1)->trigger();
    QVERIFY(window.windowTitle().contains(QStringLiteral("Untitled")));
    const QString path = dir.filePath(QStringLiteral("saved.bcf"));
    dialogs.answer(path);
    QSignalSpy saved(api, &BCFapi::saved);
    api->getExtraAction()->trigger();
    QCOMPARE(saved.count(), 1);
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.windowTitle(), QStringLiteral("saved.bcf[*] - BCF Viewer"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Saved 0 topics to %1").arg(path));
    QAction* entry = saved.first().at(0).value<QAction*>();
    QVERIFY(window.fileMenu()->actions().contains(entry));

    // Another file of the same name: the title shows the path.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("other")));
    const QString samePath = dir.filePath(QStringLiteral("other/saved.bcf"));
    api->getActions().at(1)->trigger();
    dialogs.answer(samePath);
    api->getExtraAction()->trigger();
    QVERIFY2(window.windowTitle().startsWith(QDir::toNativeSeparators(samePath)), qPrintable(window.windowTitle()));

    // A file that vanished: the library reports it and discards the entry, which leaves the menu.
    QVERIFY(QFile::remove(path));
    entry->trigger();
    QVERIFY(boxes.count() >= 1);
    QVERIFY(!window.fileMenu()->actions().contains(entry));
    QVERIFY(window.fileMenu()->actions().contains(openAction));
}

void TestBcfViewer::statusBarShowsProgressAndFailedOpens()
{
    BCFTest::MessageBoxAnswerer boxes;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* bar = window.statusBar()->findChild<QProgressBar*>();
    QVERIFY(bar);
    QVERIFY(!bar->isVisible());
    {
        OperationStatus status(QStringLiteral("Counting topics"), 10, true);
        QTRY_VERIFY(bar->isVisible());
        // Progress is throttled; the last state arrives at the latest with the end of the operation.
        status.addStep(5);
    }
    QTRY_VERIFY(!bar->isVisible());
    QCOMPARE(bar->value(), bar->maximum() / 2);

    // A file that is no BCF archive: "Loading..." while it loads, then the status says nothing opened.
    QTemporaryDir dir;
    const QString broken = dir.filePath(QStringLiteral("broken.bcf"));
    QVERIFY(BCFTest::writeFileBytes(broken, "not a zip archive"));
    QVERIFY(window.openFile(broken));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Loading..."));
    QTRY_COMPARE(window.statusBar()->currentMessage(), QStringLiteral("Nothing opened"));
    QVERIFY(boxes.count() >= 1);

    // The same file chosen in the open dialog: the failed load clears "Loading..." too.
    BCFTest::FileDialogAnswers dialogs;
    dialogs.answer(broken);
    window.api()->clearTopics(); // nothing to save: no question
    QSignalSpy failed(window.api(), &BCFCacheApi::loadFailed);
    window.api()->getActions().first()->trigger();
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Loading..."));
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Nothing opened"));
}

void TestBcfViewer::editCycleIsSavedAndNothingElseChanges()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    BCFArchiveGenerator archive;
    archive.topics = 5;
    archive.commentsPerTopic = 2;
    archive.snapshotBytes = 256;
    const QString path = dir.filePath(QStringLiteral("cycle.bcf"));
    QVERIFY(archive.writeArchive(path));
    const QVariantMap before = topicsById(path, BCFTest::RecordForm::AsWritten21);
    QCOMPARE(before.size(), 5);

    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    MainWindow window;
    window.resize(1000, 660);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(openAndWait(window, path));
    QTableView* view = window.topicView();
    QCOMPARE(view->model()->rowCount(), 5);

    // Filter: Ctrl+F goes to the search; typing narrows the list and the count follows.
    TopicFilterBar* filters = window.filterBar();
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(filters->searchField()->hasFocus());
    QTest::keyClicks(filters->searchField(), QStringLiteral("topic 3"));
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(filters->countLabel()->text(), QStringLiteral("1 of 5 topics"));
    QVERIFY(saveShot(&window, QStringLiteral("bcfviewer-filtered-list.png")));

    // Select, then edit every field in the form (F2 on the list).
    const QString topicId = BCFArchiveGenerator::topicGuid(3);
    clickRow(view, 0);
    TopicDetailView* detail = window.detailView();
    QCOMPARE(detail->topicId(), topicId);
    QTest::keyClick(view, Qt::Key_F2);
    auto* form = window.findChild<TopicEditDialog*>();
    QVERIFY(form && form->isVisible());
    typeInto(form->titleEdit(), QStringLiteral("Generated topic 3: beam clash"));
    typeInto(form->fieldBox(TopicChoices::Status)->lineEdit(), QStringLiteral("Closed"));
    typeInto(form->fieldBox(TopicChoices::Priority)->lineEdit(), QStringLiteral("Critical"));
    typeInto(form->fieldBox(TopicChoices::AssignedTo)->lineEdit(), QStringLiteral("reviewer@example.com"));
    typeInto(form->fieldBox(TopicChoices::Stage)->lineEdit(), QStringLiteral("Design"));
    QListWidget* labels = form->labelPicker()->list();
    QCOMPARE(labels->count(), 2);
    labels->findItems(QStringLiteral("Clash"), Qt::MatchExactly).first()->setCheckState(Qt::Unchecked);
    QTest::keyClicks(form->labelPicker()->newLabels(), QStringLiteral("Urgent, Level 3"));
    QTest::mouseClick(form->dueCheck(), Qt::LeftButton);
    form->dueEdit()->setDate(QDate(2027, 1, 15));
    typeInto(form->descriptionEdit(), QStringLiteral("Beam and duct meet\nat grid C4."));
    QVERIFY(saveShot(form, QStringLiteral("bcfviewer-edit-form.png")));
    QTest::mouseClick(form->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!window.findChild<TopicEditDialog*>());
    QCOMPARE(view->currentIndex().data(TopicListModel::TopicIdRole).toString(), topicId);
    QCOMPARE(view->model()->index(0, TopicListModel::PriorityColumn).data().toString(), QStringLiteral("Critical"));
    QCOMPARE(detail->fieldText(QStringLiteral("Stage")), QStringLiteral("Design"));
    QVERIFY(window.isWindowModified());

    // Comments: a two-line comment added with Ctrl+Enter, then edited; a comment of the file deleted.
    CommentEditor* editor = detail->commentEditor();
    QTest::keyClicks(editor->textEdit(), QStringLiteral("First line"));
    QTest::keyClick(editor->textEdit(), Qt::Key_Return);
    QTest::keyClicks(editor->textEdit(), QStringLiteral("second line"));
    QTest::keyClick(editor->textEdit(), Qt::Key_Return, Qt::ControlModifier);
    CommentList* comments = detail->commentList();
    QCOMPARE(comments->commentIds().size(), 3);
    const QString added = comments->commentIds().last();
    QCOMPARE(comments->commentText(added), QStringLiteral("First line\nsecond line"));
    QVERIFY(editor->textEdit()->toPlainText().isEmpty());
    selectComment(comments, added);
    QTest::mouseClick(detail->editCommentButton(), Qt::LeftButton);
    QCOMPARE(editor->textEdit()->toPlainText(), QStringLiteral("First line\nsecond line"));
    typeInto(editor->textEdit(), QStringLiteral("Checked on site"));
    QTest::mouseClick(editor->submitButton(), Qt::LeftButton);
    QCOMPARE(comments->commentText(added), QStringLiteral("Checked on site"));
    selectComment(comments, BCFArchiveGenerator::commentGuid(3, 0));
    boxes.answer(QMessageBox::Yes);
    QTest::mouseClick(detail->deleteCommentButton(), Qt::LeftButton);
    QCOMPARE(comments->commentIds(), QStringList({BCFArchiveGenerator::commentGuid(3, 1), added}));

    // A new topic with a snapshot from an image file, selected once created; its snapshot enlarged.
    filters->searchField()->clear();
    QCOMPARE(view->model()->rowCount(), 5);
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter(&image).fillRect(40, 40, 120, 80, Qt::yellow);
    const QString imagePath = dir.filePath(QStringLiteral("site.png"));
    QVERIFY(image.save(imagePath));
    QVERIFY(activate(window));
    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    auto* create = window.findChild<TopicEditDialog*>();
    QVERIFY(create && create->isVisible());
    QTest::keyClicks(create->titleEdit(), QStringLiteral("Generated topic 10: missing door"));
    dialogs.answer(imagePath);
    QTest::mouseClick(create->snapshotButton(), Qt::LeftButton);
    QTest::mouseClick(create->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(view->model()->rowCount(), 6);
    const QString newId = detail->topicId();
    QVERIFY(!before.contains(newId));
    QCOMPARE(detail->snapshots()->count(), 1);
    // Natural order: "topic 10" after "topic 4".
    view->sortByColumn(TopicListModel::TitleColumn, Qt::AscendingOrder);
    QCOMPARE(view->model()->index(5, TopicListModel::TitleColumn).data().toString(),
             QStringLiteral("Generated topic 10: missing door"));
    QVERIFY(saveShot(&window, QStringLiteral("bcfviewer-1000x660.png")));
    QVERIFY(view->columnWidth(TopicListModel::TitleColumn) >= 180);
    QVERIFY(editor->textEdit()->height() >= 3 * editor->textEdit()->fontMetrics().lineSpacing());

    QTest::mouseClick(detail->snapshots()->thumbnail(0), Qt::LeftButton);
    auto* enlarged = window.findChild<SnapshotDialog*>();
    QVERIFY(enlarged && enlarged->isVisible());
    QCOMPARE(enlarged->image().size(), image.size());
    QVERIFY(enlarged->viewpointLabel()->text().contains(QStringLiteral("Selected components: 0")));
    QVERIFY(saveShot(enlarged, QStringLiteral("bcfviewer-snapshot.png")));
    enlarged->close();

    // Arrow keys move through the topics; Delete removes the selected one after asking.
    QVERIFY(activate(window));
    view->setFocus();
    clickRow(view, 0);
    QTest::keyClick(view, Qt::Key_Down);
    const QString removed = view->currentIndex().data(TopicListModel::TopicIdRole).toString();
    QCOMPARE(removed, BCFArchiveGenerator::topicGuid(1));
    boxes.answer(QMessageBox::Yes);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(boxes.last().title, QStringLiteral("Delete Topic"));
    QCOMPARE(view->model()->rowCount(), 5);
    QCOMPARE(view->currentIndex().row(), 1);

    // Ctrl+S runs the library's save command and says what it wrote.
    QSignalSpy saved(window.api(), &BCFapi::saved);
    QVERIFY(activate(window));
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Saved 5 topics to %1").arg(path));
    QVERIFY(!window.isWindowModified());

    // Read back: the edits are there and nothing else changed.
    const QVariantMap after = topicsById(path, BCFTest::RecordForm::WithoutFileNames);
    QCOMPARE(QSet<QString>(after.keyBegin(), after.keyEnd()),
             QSet<QString>({BCFArchiveGenerator::topicGuid(0), BCFArchiveGenerator::topicGuid(2), topicId,
                            BCFArchiveGenerator::topicGuid(4), newId}));
    for (int t : {0, 2, 4}) {
        const QString id = BCFArchiveGenerator::topicGuid(t);
        QCOMPARE(BCFTest::compareRecords(before.value(id), after.value(id), id), QString());
    }
    const QVariantMap edited = after.value(topicId).toMap();
    QVariantMap expected = before.value(topicId).toMap();
    expected.insert(Keys::Title, QStringLiteral("Generated topic 3: beam clash"));
    expected.insert(Keys::TopicStatus, QStringLiteral("Closed"));
    expected.insert(Keys::Priority, QStringLiteral("Critical"));
    expected.insert(Keys::AssignedTo, QStringLiteral("reviewer@example.com"));
    expected.insert(QStringLiteral("stage"), QStringLiteral("Design"));
    expected.insert(Keys::Labels, QStringList({QStringLiteral("Structural"), QStringLiteral("Urgent"),
                                               QStringLiteral("Level 3")}));
    expected.insert(QStringLiteral("due_date"), QStringLiteral("2027-01-15T00:00:00Z"));
    expected.insert(Keys::Description, QStringLiteral("Beam and duct meet\nat grid C4."));
    expected.insert(Keys::ModifiedAuthor, MainWindow::currentUserName());
    QVERIFY(QDateTime::fromString(edited.value(Keys::ModifiedDate).toString(), Qt::ISODate).isValid());
    expected.insert(Keys::ModifiedDate, edited.value(Keys::ModifiedDate));
    QVariantList expectedComments = {expected.value(Keys::Comments).toList().at(1)};
    const QVariantMap addedComment = edited.value(Keys::Comments).toList().value(1).toMap();
    QCOMPARE(addedComment.value(Keys::Comment).toString(), QStringLiteral("Checked on site"));
    QCOMPARE(addedComment.value(Keys::Author).toString(), MainWindow::currentUserName());
    expectedComments << addedComment;
    expected.insert(Keys::Comments, expectedComments);
    QCOMPARE(BCFTest::compareRecords(expected, edited, topicId), QString());

    const QVariantMap created = after.value(newId).toMap();
    QCOMPARE(created.value(Keys::Title).toString(), QStringLiteral("Generated topic 10: missing door"));
    QCOMPARE(created.value(Keys::CreationAuthor).toString(), MainWindow::currentUserName());
    const QVariantMap snapshots = created.value(QStringLiteral("snapshots")).toMap();
    QCOMPARE(snapshots.size(), 1);
    QCOMPARE(QImage::fromData(snapshots.first().toByteArray()).size(), image.size());
}

void TestBcfViewer::layoutIsRemembered()
{
    QList<int> sizes;
    QByteArray columns;
    {
        MainWindow window;
        window.resize(1000, 660);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* splitter = window.findChild<QSplitter*>(QStringLiteral("mainSplitter"));
        QVERIFY(splitter);
        splitter->setSizes({700, 300});
        window.topicView()->horizontalHeader()->resizeSection(TopicListModel::StatusColumn, 123);
        window.topicView()->horizontalHeader()->showSection(TopicListModel::TypeColumn);
        sizes = splitter->sizes();
        columns = window.topicView()->horizontalHeader()->saveState();
        window.close();
    }
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1000, 660));
    QCOMPARE(window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->sizes(), sizes);
    QCOMPARE(window.topicView()->horizontalHeader()->sectionSize(TopicListModel::StatusColumn), 123);
    QVERIFY(!window.topicView()->horizontalHeader()->isSectionHidden(TopicListModel::TypeColumn));
}

void TestBcfViewer::closeAsksOnceAndExportSaysWhatItWrote()
{
    BCFTest::MessageBoxAnswerer boxes;
    BCFTest::FileDialogAnswers dialogs;
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    BCFCacheApi* api = window.api();
    api->clearTopics();
    api->getActions().at(1)->trigger(); // a new document, which counts as modified
    api->createTopic({{"title", "Kept"}}, QString());
    QCOMPARE(boxes.count(), 0);

    // Export names the file it wrote.
    const QString exported = dir.filePath(QStringLiteral("old.bcf"));
    dialogs.answer(exported);
    for (QAction* action : api->getExtraAction()->menu()->actions()) {
        if (action->text() == QLatin1String("Export to BCF 1.0..."))
            action->trigger();
    }
    QVERIFY(QFileInfo::exists(exported));
    QVERIFY2(window.statusBar()->currentMessage().endsWith(QDir::toNativeSeparators(exported) + " (BCF 1.0)"),
             qPrintable(window.statusBar()->currentMessage()));

    // Closing asks the library's question once: Cancel keeps the window and the document, No closes.
    boxes.answer(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(api->getTopic(QString()).size(), 1);
    boxes.answer(QMessageBox::No);
    QVERIFY(window.close());
    QCOMPARE(boxes.count(), 2);
}

// The window lists the working cache in slices: a timer of this thread ticks while it does.
void TestBcfViewer::listingKeepsTheEventLoopTurning()
{
    const int topicCount = 300;
    {
        BCFCacheApi cache;
        QVERIFY(cache.clearTopics());
        for (int t = 0; t < topicCount; ++t)
            QVERIFY(!cache.createTopic({{BCFKeys::Title, QStringLiteral("Topic %1").arg(t)}}, QString()).isEmpty());
    }
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(0);
    MainWindow window;
    ticker.stop();
    QCOMPARE(window.topicView()->model()->rowCount(), topicCount);
    QVERIFY2(ticks >= 2, qPrintable(QStringLiteral("%1 turns while listing").arg(ticks)));
    QVERIFY(window.api()->clearTopics());
}

// A due date chosen in the form is that day where the user is: in the record, read back as local
// time, and in the form opened again.
void TestBcfViewer::dueDateIsTheChosenDayInEveryZone()
{
    const QByteArray zone = qgetenv("TZ");
    for (const char* tz : {"America/New_York", "Asia/Tokyo", "UTC"}) {
        qputenv("TZ", tz);
        ::tzset();
        TopicEditDialog form(TopicEditDialog::EditTopic, TopicChoices());
        form.setTopic({{"guid", "t"}, {"title", "due"}});
        form.dueCheck()->setChecked(true);
        form.dueEdit()->setDate(QDate(2027, 1, 15));
        const QVariantMap edited = form.editedTopic();
        const QDateTime due = QDateTime::fromString(edited.value("due_date").toString(), Qt::ISODate);
        QVERIFY2(due.isValid(), tz);
        QCOMPARE(due.toLocalTime().date(), QDate(2027, 1, 15));
        TopicEditDialog again(TopicEditDialog::EditTopic, TopicChoices());
        again.setTopic(edited);
        QCOMPARE(again.dueEdit()->date(), QDate(2027, 1, 15));
    }
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    ::tzset();
}

// A comment typed but not sent is still there when its topic is shown again, after another topic
// or an emptied view, and never shows under another topic.
void TestBcfViewer::unsentCommentStaysWithItsTopic()
{
    BCFTest::InMemoryBCFapi api;
    for (const char* id : {"a", "b"})
        QCOMPARE(api.createTopic({{"guid", id}, {"title", id}}, QString()), QString(id));
    TopicDetailView detail;
    QPlainTextEdit* text = detail.commentEditor()->textEdit();
    detail.showTopic(api, "a");
    QTest::keyClicks(text, QStringLiteral("half a thought"));
    detail.showTopic(api, "b");
    QVERIFY(text->toPlainText().isEmpty());
    detail.showTopic(api, "a");
    QCOMPARE(text->toPlainText(), QStringLiteral("half a thought"));
    detail.clear();
    QVERIFY(text->toPlainText().isEmpty());
    detail.showTopic(api, "a");
    QCOMPARE(text->toPlainText(), QStringLiteral("half a thought"));
}

BCF_TEST_MAIN(TestBcfViewer)
#include "tst_bcfviewer.moc"
