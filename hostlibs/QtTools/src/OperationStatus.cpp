#include "QtTools/OperationStatus.h"

#include "OperationStatusSinkRegistry.h"

#include <QElapsedTimer>

#include <atomic>

namespace Vexamo {

namespace {

// Progress reaches the sink at most this often; the last state always arrives before finished.
constexpr qint64 sProgressIntervalMs = 50;

std::atomic<quint64> sNextId{1};

} // namespace

class OperationStatus::Private
{
public:
    quint64 id = sNextId.fetch_add(1);
    QString title;
    std::atomic<qint64> maximum{0};
    std::atomic<qint64> value{0};

    // Touched only on the thread that updates the status.
    QElapsedTimer sinceReport;
    bool announced = false;
    qint64 reportedValue = -1;
    qint64 reportedMaximum = -1;

    // Checks for a sink at most once per interval, so that an operation without one costs a clock
    // read per step; the first report to a sink announces the operation.
    void report(bool force)
    {
        if (!force && sinceReport.isValid() && sinceReport.elapsed() < sProgressIntervalMs)
            return;
        sinceReport.start();
        if (!announced)
            announced = OperationStatusSinkRegistry::postStarted(id, title, maximum) != nullptr;
        if (!announced)
            return;
        reportedValue = value;
        reportedMaximum = maximum;
        OperationStatusSinkRegistry::postProgressed(id, title, reportedValue, reportedMaximum);
    }
};

OperationStatus::OperationStatus(QString title, qint64 maximum, bool showProgress, QObject* parent)
    : QObject(parent)
    , d(new Private)
{
    Q_UNUSED(showProgress)
    d->title = std::move(title);
    d->maximum = qMax<qint64>(0, maximum);
    d->announced = OperationStatusSinkRegistry::postStarted(d->id, d->title, d->maximum) != nullptr;
    if (d->announced) {
        d->reportedValue = 0;
        d->reportedMaximum = d->maximum;
    }
    d->sinceReport.start();
}

OperationStatus::~OperationStatus()
{
    // The last state always reaches the sink, also when the throttle held it back.
    if (d->value != d->reportedValue || d->maximum != d->reportedMaximum)
        d->report(true);
    if (d->announced)
        OperationStatusSinkRegistry::postFinished(d->id, d->title);
    delete d;
}

void OperationStatus::addStep(int steps)
{
    addStep(static_cast<qlonglong>(steps));
}

void OperationStatus::addStep(qlonglong steps)
{
    d->value += steps;
    d->report(false);
}

void OperationStatus::addMax(qlonglong maximum)
{
    d->maximum += maximum;
    d->report(false);
}

QString OperationStatus::title() const
{
    return d->title;
}

qint64 OperationStatus::maximum() const
{
    return d->maximum;
}

qint64 OperationStatus::value() const
{
    return d->value;
}

} // namespace Vexamo
