#include "SnapshotStrip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <QToolButton>

namespace {
const int ImageHeight = 96;
}

SnapshotStrip::SnapshotStrip(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
    , m_layout(new QHBoxLayout(m_content))
{
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(6);
    m_layout->addStretch();
    setWidget(m_content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSnapshots({});
}

void SnapshotStrip::clearImages()
{
    while (m_layout->count() > 1) {
        QLayoutItem* item = m_layout->takeAt(0);
        delete item->widget();
        delete item;
    }
    m_count = 0;
}

QToolButton* SnapshotStrip::thumbnail(int index) const
{
    QLayoutItem* item = index >= 0 && index < m_count ? m_layout->itemAt(index) : nullptr;
    return item ? qobject_cast<QToolButton*>(item->widget()) : nullptr;
}

void SnapshotStrip::setSnapshots(const QList<Snapshot>& snapshots)
{
    clearImages();
    for (const Snapshot& snapshot : snapshots) {
        if (snapshot.image.isNull())
            continue;
        const QPixmap pixmap = QPixmap::fromImage(snapshot.image.scaledToHeight(
            qMin(ImageHeight, snapshot.image.height()), Qt::SmoothTransformation));
        auto* button = new QToolButton(m_content);
        button->setIcon(pixmap);
        button->setIconSize(pixmap.size());
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setToolTip(tr("%1 x %2 pixels - click to enlarge").arg(snapshot.image.width()).arg(snapshot.image.height()));
        const QString viewpointId = snapshot.viewpointId;
        connect(button, &QToolButton::clicked, this, [this, viewpointId] { emit snapshotActivated(viewpointId); });
        m_layout->insertWidget(m_count, button);
        ++m_count;
    }
    if (m_count == 0) {
        auto* note = new QLabel(tr("No snapshot"), m_content);
        note->setEnabled(false);
        m_layout->insertWidget(0, note);
    }
    // Thumbnails get their height; without any, the note takes one line.
    setFixedHeight(m_count > 0 ? ImageHeight + 2 * 2 + 8 + horizontalScrollBar()->sizeHint().height()
                               : fontMetrics().height() + 8);
}
