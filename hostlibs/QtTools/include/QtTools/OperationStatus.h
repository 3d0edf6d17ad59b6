#pragma once

#include "QtTools/QtToolsGlobal.h"

#include <QObject>
#include <QString>

namespace Vexamo {

class OperationStatusSink;

// Progress of one long operation, reported while the object lives. It may be created and updated
// on a worker thread: it never touches widgets, it only forwards its state to the installed
// OperationStatusSink (see OperationStatusSink::install), if any. Without a sink it costs nothing.
class QTTOOLS_EXPORT OperationStatus : public QObject
{
    Q_OBJECT

public:
    // maximum: the number of steps, 0 when it is announced later with addMax.
    // The flag is kept for callers that pass it; progress is always reported.
    OperationStatus(QString title, qint64 maximum, bool showProgress, QObject* parent = nullptr);
    ~OperationStatus() override;

    void addStep(int steps);
    QString title() const;
    qint64 maximum() const;
    qint64 value() const;

public slots:
    void addMax(qlonglong maximum);
    void addStep(qlonglong steps);

private:
    class Private;
    Private* d;
};

} // namespace Vexamo
