#include "WorkflowTestHelpers.h"

#include "BCFapi/BCFCacheApi.h"
#include "BCFapi/BCFKeys.h"

#include "BCFLib/BCFLoadingWorker.h"
#include "BCFLib/BCFModel.h"

#include <QDeadlineTimer>
#include <QMenu>
#include <QTest>

namespace WorkflowTest {

Actions actionsOf(Vexamo::BCFCacheApi& api)
{
    Actions actions;
    const QList<QAction*> list = api.getActions();
    actions.open = list.value(0);
    actions.newDocument = list.value(1);
    if (QAction* extra = api.getExtraAction(); extra && extra->menu()) {
        const QList<QAction*> menu = extra->menu()->actions();
        actions.save = menu.value(0);
        actions.save30 = menu.value(1);
        actions.saveAs = menu.value(2);
        actions.exportBCF1 = menu.value(3);
        actions.saveCommand = extra;
    }
    return actions;
}

QList<QAction*> entriesOf(Vexamo::BCFCacheApi& api)
{
    return api.getActions().mid(2);
}

QStringList entryTexts(Vexamo::BCFCacheApi& api)
{
    QStringList texts;
    for (QAction* entry : entriesOf(api))
        texts.append(entry->text());
    return texts;
}

QString currentFileName(Vexamo::BCFCacheApi& api)
{
    return actionsOf(api).save->property("filename").toString();
}

QAction* currentEntry(Vexamo::BCFCacheApi& api)
{
    const QVariant value = actionsOf(api).save->property("action");
    if (value.userType() != QMetaType::VoidStar)
        return nullptr;
    return static_cast<QAction*>(value.value<void*>());
}

QVariantMap cacheState(Vexamo::BCFCacheApi& api)
{
    QVariantMap state;
    const QVariantList topics = api.getTopic(QString());
    for (const QVariant& topicValue : topics) {
        QVariantMap topic = topicValue.toMap();
        const QString topicId = topic.value(Vexamo::BCFKeys::Guid).toString();
        QVariantMap snapshots;
        const QVariantList viewpoints = topic.value(Vexamo::BCFKeys::Viewpoints).toList();
        for (const QVariant& viewpointValue : viewpoints) {
            const QString viewpointId = viewpointValue.toMap().value(Vexamo::BCFKeys::Guid).toString();
            QScopedPointer<QByteArray> bytes(api.getSnapshotContent(topicId, viewpointId, QString()));
            if (bytes)
                snapshots.insert(viewpointId, QString::fromLatin1(bytes->toBase64()));
        }
        topic.insert(QStringLiteral("__snapshots"), snapshots);
        state.insert(topicId, topic);
    }
    return state;
}

QString firstDifference(const QVariant& expected, const QVariant& actual, const QString& where)
{
    if (expected.userType() == QMetaType::QVariantMap && actual.userType() == QMetaType::QVariantMap) {
        const QVariantMap a = expected.toMap();
        const QVariantMap b = actual.toMap();
        QStringList keys = a.keys() + b.keys();
        keys.removeDuplicates();
        for (const QString& key : qAsConst(keys)) {
            if (!a.contains(key) || !b.contains(key))
                return QStringLiteral("%1/%2: %3").arg(where, key, a.contains(key) ? "missing" : "unexpected");
            const QString inner = firstDifference(a.value(key), b.value(key), where + QLatin1Char('/') + key);
            if (!inner.isEmpty())
                return inner;
        }
        return QString();
    }
    if (expected.userType() == QMetaType::QVariantList && actual.userType() == QMetaType::QVariantList) {
        const QVariantList a = expected.toList();
        const QVariantList b = actual.toList();
        if (a.size() != b.size())
            return QStringLiteral("%1: %2 items != %3 items").arg(where).arg(a.size()).arg(b.size());
        for (int i = 0; i < a.size(); ++i) {
            const QString inner = firstDifference(a.at(i), b.at(i), where + QLatin1Char('/') + QString::number(i));
            if (!inner.isEmpty())
                return inner;
        }
        return QString();
    }
    if (expected == actual)
        return QString();
    return QStringLiteral("%1: %2 != %3")
        .arg(where, expected.toString().left(80), actual.toString().left(80));
}

QSharedPointer<BCFLib::BCFModel> loadModel(const QString& path)
{
    BCFLib::BCFLoadingWorker worker(path);
    worker.doLoad();
    return worker.model();
}

bool waitForCount(QSignalSpy& spy, int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (spy.count() < count && !deadline.hasExpired())
        QTest::qWait(10);
    return spy.count() >= count;
}

QAction* actionAt(const QSignalSpy& spy, int index)
{
    return spy.at(index).value(0).value<QAction*>();
}

} // namespace WorkflowTest
