#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The box in which a comment is written: multi-line, Ctrl+Enter (or the button) submits. It
// either adds a new comment or, after startEditing, replaces the text of an existing one; Cancel or
// Escape goes back to adding.
class CommentEditor : public QWidget
{
    Q_OBJECT

public:
    explicit CommentEditor(QWidget* parent = nullptr);

    void startEditing(const QString& commentId, const QString& text);
    // Puts back an unsent text (commentId empty for a new comment) without taking the focus.
    void setDraft(const QString& commentId, const QString& text);
    // Empties the box and goes back to adding a new comment.
    void reset();
    QString editedCommentId() const { return m_commentId; }

    QPlainTextEdit* textEdit() const { return m_text; }
    QPushButton* submitButton() const { return m_submit; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // commentId is empty for a new comment. text is trimmed and never empty.
    void submitted(const QString& commentId, const QString& text);

private:
    void submit();
    void updateState();

    QString m_commentId;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_submit = nullptr;
    QPushButton* m_cancel = nullptr;
};
