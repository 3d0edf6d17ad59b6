#pragma once

#include <QImage>
#include <QList>
#include <QScrollArea>

class QHBoxLayout;

// A horizontal row of snapshot images, each scaled to the strip's height, with a note when the
// topic has none.
class SnapshotStrip : public QScrollArea
{
    Q_OBJECT

public:
    explicit SnapshotStrip(QWidget* parent = nullptr);

    void setSnapshots(const QList<QImage>& images);
    int count() const { return m_count; }

private:
    void clearImages();

    QWidget* m_content = nullptr;
    QHBoxLayout* m_layout = nullptr;
    int m_count = 0;
};
