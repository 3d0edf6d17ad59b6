#include "BCFTestSupport/FileDialogAnswers.h"
#include "BCFTestSupport/TestMain.h"

#include "QtTools/FileDialogs.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

using Vexamo::QtTools::FileDialogRequest;

namespace {

QString rememberedFolder(const QString& key)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("FileDialogs"));
    return settings.value(key).toString();
}

} // namespace

class TestFileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }

    void openRemembersFolderPerKey()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString chosen = tmp.filePath(QStringLiteral("first.bcfzip"));

        BCFTest::FileDialogAnswers dialogs;
        dialogs.answer(chosen);
        const QString result = Vexamo::QtTools::getOpenFileName(QStringLiteral("BCFapi/Annotations"), nullptr,
                                                                QStringLiteral("Open BCF File"),
                                                                QStringLiteral("BCF (*.bcfzip)"));
        QCOMPARE(result, chosen);
        QCOMPARE(dialogs.requests().size(), 1);
        const FileDialogRequest first = dialogs.requests().first();
        QCOMPARE(first.kind, FileDialogRequest::Open);
        QCOMPARE(first.key, QStringLiteral("BCFapi/Annotations"));
        QCOMPARE(first.caption, QStringLiteral("Open BCF File"));
        QCOMPARE(first.filter, QStringLiteral("BCF (*.bcfzip)"));
        QCOMPARE(first.dir, QString());
        QCOMPARE(rememberedFolder(QStringLiteral("BCFapi/Annotations")), QDir(tmp.path()).absolutePath());

        // The next dialog of the same key starts there; another key remembers nothing yet.
        dialogs.cancelNext();
        QCOMPARE(Vexamo::QtTools::getOpenFileName(QStringLiteral("BCFapi/Annotations"), nullptr, QString(),
                                                  QString()),
                 QString());
        QCOMPARE(dialogs.requests().at(1).dir, QDir(tmp.path()).absolutePath());
        QCOMPARE(Vexamo::QtTools::getOpenFileName(QStringLiteral("BCFapi/Export"), nullptr, QString(), QString()),
                 QString());
        QCOMPARE(dialogs.requests().at(2).dir, QString());

        // A canceled dialog keeps the remembered folder.
        QCOMPARE(rememberedFolder(QStringLiteral("BCFapi/Annotations")), QDir(tmp.path()).absolutePath());
        QVERIFY(rememberedFolder(QStringLiteral("BCFapi/Export")).isEmpty());
    }

    void saveStartsFromProposedOrRemembered()
    {
        QTemporaryDir tmp;
        QTemporaryDir other;
        QVERIFY(tmp.isValid() && other.isValid());
        BCFTest::FileDialogAnswers dialogs;
        const QString key = QStringLiteral("BCFapi/Export");

        const QString proposed = other.filePath(QStringLiteral("proposed.bcfzip"));
        dialogs.answer(tmp.filePath(QStringLiteral("saved.bcfzip")));
        QCOMPARE(Vexamo::QtTools::getSaveFileName(key, nullptr, QStringLiteral("Export"), proposed,
                                                  QStringLiteral("BCF 1.0 (*.bcfzip)")),
                 tmp.filePath(QStringLiteral("saved.bcfzip")));
        QCOMPARE(dialogs.requests().at(0).kind, FileDialogRequest::Save);
        QCOMPARE(dialogs.requests().at(0).dir, proposed);
        QCOMPARE(rememberedFolder(key), QDir(tmp.path()).absolutePath());

        // A bare file name is proposed inside the remembered folder; a path is proposed as given.
        dialogs.cancelNext();
        Vexamo::QtTools::getSaveFileName(key, nullptr, QString(), QStringLiteral("name.bcfzip"), QString());
        QCOMPARE(dialogs.requests().at(1).dir, QDir(tmp.path()).filePath(QStringLiteral("name.bcfzip")));
        Vexamo::QtTools::getSaveFileName(key, nullptr, QString(), proposed, QString());
        QCOMPARE(dialogs.requests().at(2).dir, proposed);
        Vexamo::QtTools::getSaveFileName(key, nullptr, QString(), QString(), QString());
        QCOMPARE(dialogs.requests().at(3).dir, QDir(tmp.path()).absolutePath());
        QCOMPARE(dialogs.pendingAnswers(), 0);
    }

    void vanishedFolderIsForgotten()
    {
        QString folder;
        {
            QTemporaryDir tmp;
            folder = tmp.path();
            BCFTest::FileDialogAnswers dialogs;
            dialogs.answer(tmp.filePath(QStringLiteral("x.bcfzip")));
            Vexamo::QtTools::getOpenFileName(QStringLiteral("k"), nullptr, QString(), QString());
        }
        QVERIFY(!QFileInfo::exists(folder));
        BCFTest::FileDialogAnswers dialogs;
        Vexamo::QtTools::getOpenFileName(QStringLiteral("k"), nullptr, QString(), QString());
        QCOMPARE(dialogs.requests().first().dir, QString());
    }
};

BCF_TEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
