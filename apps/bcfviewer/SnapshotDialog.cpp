#include "SnapshotDialog.h"


#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>

using namespace Vexamo;

namespace {

QString pointText(const QVariant& value)
{
    const QVariantMap point = value.toMap();
    return QStringLiteral("(%1, %2, %3)")
        .arg(point.value(BCFKeys::X).toDouble(), 0, 'g', 6)
        .arg(point.value(BCFKeys::Y).toDouble(), 0, 'g', 6)
        .arg(point.value(BCFKeys::Z).toDouble(), 0, 'g', 6);
}

} // namespace

SnapshotDialog::SnapshotDialog(const BCFapi& api, const QString& topicId, const QString& viewpointId, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Snapshot"));
    const std::unique_ptr<QByteArray> content(api.getSnapshotContent(topicId, viewpointId, QString()));
    if (content)
        m_image = QImage::fromData(*content);

    m_imageLabel = new QLabel(this);
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageLabel->setMinimumSize(200, 150);
    m_imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    if (m_image.isNull())
        m_imageLabel->setText(tr("The snapshot cannot be shown."));

    m_viewpoint = new QLabel(this);
    m_viewpoint->setTextFormat(Qt::PlainText);
    m_viewpoint->setWordWrap(true);
    m_viewpoint->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_viewpoint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_viewpoint->setFixedWidth(240);
    m_viewpoint->setText(describeViewpoint(api.getSingleViewpoint(topicId, viewpointId, QString()),
                                           api.getComponent(topicId, viewpointId, QString())));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_imageLabel, 1);
    row->addWidget(m_viewpoint);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(buttons);

    // Large, but within the screen.
    QSize size = m_image.isNull() ? QSize(640, 480) : m_image.size() + QSize(280, 60);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.85);
    resize(size.expandedTo(QSize(560, 400)));
}

QString SnapshotDialog::describeViewpoint(const QVariantMap& viewpoint, const QVariantMap& components)
{
    QStringList lines;
    const QVariantMap perspective = viewpoint.value(BCFKeys::PerspectiveCamera).toMap();
    const QVariantMap orthogonal = viewpoint.value(BCFKeys::OrthogonalCamera).toMap();
    const QVariantMap camera = perspective.isEmpty() ? orthogonal : perspective;
    if (camera.isEmpty()) {
        lines << tr("No camera");
    } else {
        lines << (perspective.isEmpty() ? tr("Orthogonal camera") : tr("Perspective camera"));
        lines << tr("Position: %1").arg(pointText(camera.value(BCFKeys::CameraViewPoint)));
        lines << tr("Direction: %1").arg(pointText(camera.value(BCFKeys::CameraDirection)));
        lines << tr("Up: %1").arg(pointText(camera.value(BCFKeys::CameraUpVector)));
        if (perspective.isEmpty())
            lines << tr("View to world scale: %1").arg(camera.value(BCFKeys::ViewToWorldScale).toDouble());
        else
            lines << tr("Field of view: %1\u00b0").arg(camera.value(BCFKeys::FieldOfView).toDouble());
    }
    lines << QString();
    const int selected = components.value(BCFKeys::Selection).toList().size();
    const int exceptions =
        components.value(BCFKeys::Visibility).toMap().value(BCFKeys::Exceptions).toList().size();
    lines << tr("Selected components: %1").arg(selected);
    lines << tr("Visibility exceptions: %1").arg(exceptions);
    const int lineCount = viewpoint.value(BCFKeys::Lines).toList().size();
    const int planes = viewpoint.value(BCFKeys::ClippingPlanes).toList().size();
    if (lineCount > 0)
        lines << tr("Markup lines: %1").arg(lineCount);
    if (planes > 0)
        lines << tr("Clipping planes: %1").arg(planes);
    return lines.join(QLatin1Char('\n'));
}

void SnapshotDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    scaleImage();
}

void SnapshotDialog::scaleImage()
{
    if (m_image.isNull())
        return;
    const QSize area = m_imageLabel->size();
    const QImage shown = m_image.size().width() <= area.width() && m_image.size().height() <= area.height()
                             ? m_image
                             : m_image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_imageLabel->setPixmap(QPixmap::fromImage(shown));
}
