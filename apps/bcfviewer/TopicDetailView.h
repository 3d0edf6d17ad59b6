#pragma once

#include <QHash>
#include <QMap>
#include <QWidget>

class CommentEditor;
class CommentList;
class QPushButton;
class QSplitter;
class QTextBrowser;
class QUrl;
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
    QTextBrowser* topicText() const { return m_text; }
    QSplitter* splitter() const { return m_splitter; }

signals:
    // commentId is empty for a new comment.
    void commentSubmitted(const QString& topicId, const QString& commentId, const QString& text);
    void commentRemovalRequested(const QString& topicId, const QString& commentId);
    void relatedTopicActivated(const QString& topicId);
    void snapshotActivated(const QString& topicId, const QString& viewpointId);

private:
    void openLink(const QUrl& link);
    void updateEnabled();
    // A comment typed but not sent stays with its topic while others are shown.
    void keepDraft();
    void restoreDraft(const QString& topicId);

    QString m_topicId;
    struct Draft
    {
        QString commentId; // empty for a new comment
        QString text;
    };
    QHash<QString, Draft> m_drafts; // by topic id
    QSplitter* m_splitter = nullptr;
    // Title, fields, links, related topics and description, built as escaped rich text.
    QTextBrowser* m_text = nullptr;
    QMap<QString, QString> m_fieldTexts;
    SnapshotStrip* m_snapshots = nullptr;
    CommentList* m_comments = nullptr;
    QPushButton* m_editComment = nullptr;
    QPushButton* m_deleteComment = nullptr;
    CommentEditor* m_editor = nullptr;
};
