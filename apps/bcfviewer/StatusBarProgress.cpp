#include "StatusBarProgress.h"

#include "QtTools/OperationStatusSink.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

StatusBarProgress::StatusBarProgress(QStatusBar* statusBar, QObject* parent)
    : QObject(parent)
    , m_sink(new Vexamo::OperationStatusSink(this))
    , m_label(new QLabel(statusBar))
    , m_bar(new QProgressBar(statusBar))
{
    m_label->setTextFormat(Qt::PlainText);
    m_bar->setMaximumWidth(200);
    m_bar->setTextVisible(false);
    statusBar->addPermanentWidget(m_label);
    statusBar->addPermanentWidget(m_bar);
    m_label->hide();
    m_bar->hide();

    connect(m_sink, &Vexamo::OperationStatusSink::started, this,
            [this](quint64 id, const QString& title, qint64 maximum) {
                m_running.insert(id);
                show(id, title, 0, maximum);
            });
    connect(m_sink, &Vexamo::OperationStatusSink::progressed, this, &StatusBarProgress::show);
    connect(m_sink, &Vexamo::OperationStatusSink::finished, this, [this](quint64 id, const QString&) {
        finish(id);
        if (m_running.remove(id) && m_running.isEmpty())
            emit idle();
    });
    Vexamo::OperationStatusSink::install(m_sink);
}

StatusBarProgress::~StatusBarProgress()
{
    if (Vexamo::OperationStatusSink::installed() == m_sink)
        Vexamo::OperationStatusSink::install(nullptr);
}

void StatusBarProgress::show(quint64 id, const QString& title, qint64 value, qint64 maximum)
{
    if (!m_label || !m_bar)
        return;
    m_shownId = id;
    m_label->setText(title);
    // An unknown maximum shows a busy bar.
    m_bar->setRange(0, maximum > 0 ? 1000 : 0);
    if (maximum > 0)
        m_bar->setValue(int(qBound<qint64>(0, value * 1000 / maximum, 1000)));
    m_label->show();
    m_bar->show();
}

void StatusBarProgress::finish(quint64 id)
{
    if (id != m_shownId || !m_label || !m_bar)
        return;
    m_label->hide();
    m_bar->hide();
}
