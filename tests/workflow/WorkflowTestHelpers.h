#pragma once

#include <QAction>
#include <QSharedPointer>
#include <QSignalSpy>
#include <QString>
#include <QVariantMap>

namespace BCFLib {
class BCFModel;
}
namespace Vexamo {
class BCFCacheApi;
}

namespace WorkflowTest {

// The actions of a BCFCacheApi as the viewer sees them.
struct Actions {
    QAction* open = nullptr;
    QAction* newDocument = nullptr;
    QAction* save = nullptr;        // "Save to BCF 2.1...", carries "filename" and "action"
    QAction* save30 = nullptr;      // "Save to BCF 3.0..."
    QAction* saveAs = nullptr;      // "Save as..."
    QAction* exportBCF1 = nullptr;  // "Export to BCF 1.0..."
    QAction* saveCommand = nullptr; // the drop-down itself: the document in its own version
};
Actions actionsOf(Vexamo::BCFCacheApi& api);

// The document entries of the action list (index 2 on), and their texts.
QList<QAction*> entriesOf(Vexamo::BCFCacheApi& api);
QStringList entryTexts(Vexamo::BCFCacheApi& api);

// The current document recorded on the save action.
QString currentFileName(Vexamo::BCFCacheApi& api);
QAction* currentEntry(Vexamo::BCFCacheApi& api);

// Everything the cache holds, by topic guid: the topic record and, under "__snapshots", the
// snapshot bytes of each viewpoint (base64). Two equal states mean equal documents.
QVariantMap cacheState(Vexamo::BCFCacheApi& api);

// The first place where two records differ ("topic/viewpoints/0/guid: a != b"), or empty.
QString firstDifference(const QVariant& expected, const QVariant& actual, const QString& where = QString());

// Loads a BCF archive on the calling thread with the model library's worker.
QSharedPointer<BCFLib::BCFModel> loadModel(const QString& path);

// Waits until spy has recorded count signals (a load ends on the user-interface thread).
bool waitForCount(QSignalSpy& spy, int count, int timeoutMs = 60000);

// The action argument of the index-th recorded signal.
QAction* actionAt(const QSignalSpy& spy, int index);

} // namespace WorkflowTest
