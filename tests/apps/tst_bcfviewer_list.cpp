// The viewer's topic list without a window: natural text order, priority ranks, the filters and
// the text search of the list, the choices offered for each field, and the window title's name.

#include "DocumentTitle.h"
#include "LibraryShortcuts.h"
#include "NaturalSort.h"
#include "PriorityRank.h"
#include "TopicChoices.h"
#include "TopicFilterProxy.h"
#include "TopicListModel.h"

#include "BCFTestSupport/TestMain.h"

#include "BCFapi/BCFKeys.h"

#include <QAction>
#include <QMenu>

using namespace Vexamo;

namespace {

QVariantMap topic(const QString& id, const QString& title, const QString& status, const QString& priority,
                  const QStringList& labels = {}, const QString& comment = QString())
{
    QVariantMap record{{BCFKeys::Guid, id},       {BCFKeys::Title, title},   {BCFKeys::TopicStatus, status},
                       {BCFKeys::Priority, priority}, {BCFKeys::Labels, labels}, {BCFKeys::TopicType, QStringLiteral("Issue")}};
    if (!comment.isEmpty())
        record.insert(BCFKeys::Comments, QVariantList{QVariantMap{{BCFKeys::Comment, comment}}});
    return record;
}

QStringList shownIds(const QAbstractItemModel& model)
{
    QStringList ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.index(row, 0).data(TopicListModel::TopicIdRole).toString();
    return ids;
}

} // namespace

class TestBcfViewerList : public QObject
{
    Q_OBJECT

private slots:
    void naturalOrder_data();
    void naturalOrder();
    void priorityRanks();
    void filtersSearchAndSorting();
    void choicesComeFromExtensionThenTopics();
    void titleShowsPathWhenNamesClash();
    void shortcutsGoOnTheLibraryActions();
};

void TestBcfViewerList::naturalOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("shorter number first") << "#116" << "#1157";
    QTest::newRow("by value") << "Topic 2" << "Topic 10";
    QTest::newRow("case-insensitive") << "apple" << "Banana";
    QTest::newRow("leading zeros") << "v007" << "v8";
    QTest::newRow("prefix first") << "RFI" << "RFI 1";
    QTest::newRow("longer than 64 bits") << "n99999999999999999999" << "n100000000000000000000";
}

void TestBcfViewerList::naturalOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(NaturalSort::compare(first, second) < 0);
    QVERIFY(NaturalSort::compare(second, first) > 0);
    QCOMPARE(NaturalSort::compare(first, first), 0);
}

void TestBcfViewerList::priorityRanks()
{
    PriorityRank rank;
    const QStringList usual = {"Critical", "High", "Normal", "Low"};
    for (int i = 1; i < usual.size(); ++i)
        QVERIFY2(rank.rank(usual.at(i - 1)) < rank.rank(usual.at(i)), qPrintable(usual.at(i)));
    QVERIFY(rank.rank("Low") < rank.rank("Whenever"));
    QVERIFY(rank.rank("Whenever") < rank.rank(QString()));
    // An extension's list decides, whatever the words mean.
    rank.setOrder({"P3", "Low", "P1"});
    QVERIFY(rank.rank("P3") < rank.rank("low"));
    QVERIFY(rank.rank("Low") < rank.rank("P1"));
    QCOMPARE(rank.rank("Critical"), int(PriorityRank::Unknown));
}

void TestBcfViewerList::filtersSearchAndSorting()
{
    TopicListModel model;
    model.setTopics({topic("a", "#1157 Door", "Open", "Low", {"Arch"}),
                     topic("b", "#116 Beam", "Closed", "Critical", {"Struct", "Arch"}),
                     topic("c", "#12 Duct", "Open", "Normal", {}, "Clash with the BEAM"),
                     topic("d", "#2 Wall", "Open", QString())});
    TopicFilterProxy proxy;
    proxy.setTopicModel(&model);

    proxy.sort(TopicListModel::TitleColumn);
    QCOMPARE(shownIds(proxy), QStringList({"d", "c", "b", "a"}));
    proxy.sort(TopicListModel::PriorityColumn);
    QCOMPARE(shownIds(proxy), QStringList({"b", "c", "a", "d"}));

    // Every filter narrows, the search reads titles and comments, case-insensitively.
    proxy.setFieldFilter(TopicChoices::Status, "Open");
    QCOMPARE(shownIds(proxy), QStringList({"c", "a", "d"}));
    proxy.setFieldFilter(TopicChoices::Label, "Arch");
    QCOMPARE(shownIds(proxy), QStringList({"a"}));
    proxy.setFieldFilter(TopicChoices::Status, QString());
    proxy.setFieldFilter(TopicChoices::Label, QString());
    proxy.setSearchText("beam");
    QCOMPARE(shownIds(proxy), QStringList({"b", "c"}));
    proxy.setSearchText("beam clash");
    QCOMPARE(shownIds(proxy), QStringList({"c"}));

    // An edited row is sorted and filtered again in place.
    proxy.setSearchText(QString());
    model.updateTopic(topic("d", "#2 Wall", "Open", "Critical"));
    QCOMPARE(shownIds(proxy), QStringList({"d", "b", "c", "a"})); // equal ranks by title
    model.removeTopic("b");
    QCOMPARE(shownIds(proxy), QStringList({"d", "c", "a"}));
    QCOMPARE(model.rowOfTopic("a"), 0);
    QCOMPARE(model.rowOfTopic("b"), -1);
}

void TestBcfViewerList::choicesComeFromExtensionThenTopics()
{
    TopicListModel model;
    model.setTopics({topic("a", "A", "Open", "Urgent", {"Z2", "Z10"}), topic("b", "B", "Review", "High")});
    const TopicChoices choices({{"priority", QStringList{"High", "Medium"}}}, model.rows());
    QCOMPARE(choices.values(TopicChoices::Priority), QStringList({"High", "Medium", "Urgent"}));
    QVERIFY(!choices.allowsFreeText(TopicChoices::Priority));
    QCOMPARE(choices.values(TopicChoices::Status), QStringList({"Open", "Review"}));
    QVERIFY(choices.allowsFreeText(TopicChoices::Status));
    QCOMPARE(choices.values(TopicChoices::Label), QStringList({"Z2", "Z10"}));
}

void TestBcfViewerList::titleShowsPathWhenNamesClash()
{
    QCOMPARE(DocumentTitle::displayName("/a/site.bcf", {"/b/other.bcf"}), QString("site.bcf"));
    QCOMPARE(DocumentTitle::displayName("/a/site.bcf", {"/a/site.bcf"}), QString("site.bcf"));
    QCOMPARE(DocumentTitle::displayName("/a/site.bcf", {"/b/Site.bcf"}), QDir::toNativeSeparators("/a/site.bcf"));
    QCOMPARE(DocumentTitle::displayName(QString(), {"/b/site.bcf"}), QString("Untitled"));
}

void TestBcfViewerList::shortcutsGoOnTheLibraryActions()
{
    QAction open("Open BCF File..."), save("Save to BCF 2.1..."), saveAs("Save as..."), exportAction("Export...");
    QMenu menu;
    menu.addActions({&save, &exportAction, &saveAs});
    menu.setDefaultAction(&save);
    QAction extra("Save");
    extra.setMenu(&menu);
    LibraryShortcuts::apply({&open}, &extra);
    QCOMPARE(open.shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(extra.shortcut(), QKeySequence(QKeySequence::Save));
    QVERIFY(save.shortcut().isEmpty());
    QCOMPARE(saveAs.shortcut(), QKeySequence(QKeySequence::SaveAs));
    QVERIFY(exportAction.shortcut().isEmpty());
}

BCF_TEST_MAIN(TestBcfViewerList)
#include "tst_bcfviewer_list.moc"
