#pragma once

#include <QImage>
#include <QList>
#include <QScrollArea>

class QHBoxLayout;
class QToolButton;

// A horizontal row of snapshot thumbnails, each scaled to the strip's height, with a note when the
// topic has none. Clicking a thumbnail (or pressing Space on it) asks to show it enlarged.
class SnapshotStrip : public QScrollArea
{
    Q_OBJECT

public:
    struct Snapshot {
        QString viewpointId;
        QImage image;
    };

    explicit SnapshotStrip(QWidget* parent = nullptr);

    void setSnapshots(const QList<Snapshot>& snapshots);
    int count() const { return m_count; }
    QToolButton* thumbnail(int index) const;

signals:
    void snapshotActivated(const QString& viewpointId);

private:
    void clearImages();

    QWidget* m_content = nullptr;
    QHBoxLayout* m_layout = nullptr;
    int m_count = 0;
};
