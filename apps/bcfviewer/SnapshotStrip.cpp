#include "SnapshotStrip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>

namespace {
const int ImageHeight = 170;
}

SnapshotStrip::SnapshotStrip(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
    , m_layout(new QHBoxLayout(m_content))
{
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->setSpacing(8);
    m_layout->addStretch();
    setWidget(m_content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedHeight(ImageHeight + 2 * 4 + horizontalScrollBar()->sizeHint().height());
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

void SnapshotStrip::setSnapshots(const QList<QImage>& images)
{
    clearImages();
    for (const QImage& image : images) {
        if (image.isNull())
            continue;
        auto* label = new QLabel(m_content);
        label->setPixmap(QPixmap::fromImage(
            image.scaledToHeight(qMin(ImageHeight, image.height()), Qt::SmoothTransformation)));
        label->setFrameShape(QFrame::StyledPanel);
        label->setToolTip(tr("%1 x %2 pixels").arg(image.width()).arg(image.height()));
        m_layout->insertWidget(m_layout->count() - 1, label);
        ++m_count;
    }
    if (m_count == 0) {
        auto* note = new QLabel(tr("No snapshot"), m_content);
        note->setEnabled(false);
        m_layout->insertWidget(0, note);
    }
}
