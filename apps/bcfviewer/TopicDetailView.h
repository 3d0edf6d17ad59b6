#pragma once

#include <QWidget>

class CommentEditor;
class CommentList;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QSplitter;
class SnapshotStrip;

namespace Vexamo {
class BCFapi;
}

// The selected topic: title, every field (type, status, priority, assigned to, labels, stage, due
// date, index, created and modified with their authors), reference links, related topics (links
// that go to them), description and snapshots above; its comments in date order, with buttons to
// edit or delete the selected one and the comment box, below. Everything read from the document
// is shown as plain text (titles and comments are untrusted and never interpreted as markup).
class TopicDetailView : public QWidget
{
    Q_OBJECT

public:
    explicit TopicDetailView(QWidget* parent = nullptr);

    // Shows topicId as read from api; an unknown id shows nothing.
    void showTopic(const Vexamo::BCFapi& api, const QString& topicId);
    void clear();

    QString topicId() const { return m_topicId; }
    // The text shown for a field caption ("Status", "Labels", ...), for checks and tests.
    QString fieldText(const QString& caption) const;
    SnapshotStrip* snapshots() const { return m_snapshots; }
    CommentList* commentList() const { return m_comments; }
    CommentEditor* commentEditor() const { return m_editor; }
    QPushButton* editCommentButton() const { return m_editComment; }
    QPushButton* deleteCommentButton() const { return m_deleteComment; }
    QLabel* relatedTopicsLabel() const { return m_related; }
    QSplitter* splitter() const { return m_splitter; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // commentId is empty for a new comment.
    void commentSubmitted(const QString& topicId, const QString& commentId, const QString& text);
    void commentRemovalRequested(const QString& topicId, const QString& commentId);
    void relatedTopicActivated(const QString& topicId);
    void snapshotActivated(const QString& topicId, const QString& viewpointId);

private:
    QLabel* addField(const QString& caption, bool wide);
    void updateEnabled();

    QString m_topicId;
    QSplitter* m_splitter = nullptr;
    QScrollArea* m_headerScroll = nullptr;
    QWidget* m_header = nullptr;
    QLabel* m_title = nullptr;
    QGridLayout* m_fieldGrid = nullptr;
    int m_gridRow = -1;
    int m_gridColumn = 2;
    QList<QPair<QString, QLabel*>> m_fields;
    QLabel* m_links = nullptr;
    QLabel* m_related = nullptr;
    QLabel* m_description = nullptr;
    SnapshotStrip* m_snapshots = nullptr;
    CommentList* m_comments = nullptr;
    QPushButton* m_editComment = nullptr;
    QPushButton* m_deleteComment = nullptr;
    CommentEditor* m_editor = nullptr;
};
