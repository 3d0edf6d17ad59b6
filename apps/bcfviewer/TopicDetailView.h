#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class SnapshotStrip;

namespace Vexamo {
class BCFapi;
}

// The selected topic: title, its fields, description, snapshot images and comments, with a line
// to add a comment. Everything read from the document is shown as plain text (titles and
// comments are untrusted and never interpreted as markup).
class TopicDetailView : public QWidget
{
    Q_OBJECT

public:
    explicit TopicDetailView(QWidget* parent = nullptr);

    // Shows topicId as read from api; an unknown id shows nothing.
    void showTopic(const Vexamo::BCFapi& api, const QString& topicId);
    void clear();

    QString topicId() const { return m_topicId; }
    SnapshotStrip* snapshots() const { return m_snapshots; }
    QLineEdit* commentEditor() const { return m_commentEdit; }
    QPushButton* addCommentButton() const { return m_addButton; }
    QTextBrowser* commentView() const { return m_comments; }

signals:
    // The user asked to add text as a comment to the shown topic.
    void commentRequested(const QString& topicId, const QString& text);

private:
    void submitComment();
    void updateEnabled();

    QString m_topicId;
    QLabel* m_title = nullptr;
    QLabel* m_fields = nullptr;
    QLabel* m_description = nullptr;
    SnapshotStrip* m_snapshots = nullptr;
    QTextBrowser* m_comments = nullptr;
    QLineEdit* m_commentEdit = nullptr;
    QPushButton* m_addButton = nullptr;
};
