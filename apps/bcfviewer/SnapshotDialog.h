#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

namespace Vexamo {
class BCFapi;
}

// A viewpoint's snapshot enlarged to the dialog's size, with the viewpoint's camera (kind,
// position, direction, up vector, field of view or scale) and its number of components beside it.
class SnapshotDialog : public QDialog
{
    Q_OBJECT

public:
    SnapshotDialog(const Vexamo::BCFapi& api, const QString& topicId, const QString& viewpointId,
                   QWidget* parent = nullptr);

    QImage image() const { return m_image; }
    QLabel* imageLabel() const { return m_imageLabel; }
    QLabel* viewpointLabel() const { return m_viewpoint; }

    // The camera and component lines for a viewpoint record and its component set.
    static QString describeViewpoint(const QVariantMap& viewpoint, const QVariantMap& components);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void scaleImage();

    QImage m_image;
    QLabel* m_imageLabel = nullptr;
    QLabel* m_viewpoint = nullptr;
};
