#include "CommentEditor.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

CommentEditor::CommentEditor(QWidget* parent)
    : QWidget(parent)
    , m_text(new QPlainTextEdit(this))
    , m_submit(new QPushButton(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
{
    m_text->setPlaceholderText(tr("Write a comment... (Ctrl+Enter adds it)"));
    m_text->setTabChangesFocus(true);
    m_text->setMinimumHeight(m_text->fontMetrics().lineSpacing() * 3 + 12);
    m_text->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_text->setMaximumHeight(m_text->fontMetrics().lineSpacing() * 4 + 12);

    m_text->installEventFilter(this);

    connect(m_text, &QPlainTextEdit::textChanged, this, &CommentEditor::updateState);
    connect(m_submit, &QPushButton::clicked, this, &CommentEditor::submit);
    connect(m_cancel, &QPushButton::clicked, this, &CommentEditor::reset);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_submit);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    reset();
}

bool CommentEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            submit();
            return true;
        }
        if (key->key() == Qt::Key_Escape && !m_commentId.isEmpty()) {
            reset();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CommentEditor::startEditing(const QString& commentId, const QString& text)
{
    setDraft(commentId, text);
    m_text->setFocus();
}

void CommentEditor::setDraft(const QString& commentId, const QString& text)
{
    m_commentId = commentId;
    m_text->setPlainText(text);
    m_text->moveCursor(QTextCursor::End);
    updateState();
}

void CommentEditor::reset()
{
    m_commentId.clear();
    m_text->clear();
    updateState();
}

void CommentEditor::submit()
{
    const QString text = m_text->toPlainText().trimmed();
    if (text.isEmpty() || !isEnabled())
        return;
    const QString commentId = m_commentId;
    reset();
    emit submitted(commentId, text);
}

void CommentEditor::updateState()
{
    m_submit->setText(m_commentId.isEmpty() ? tr("Add comment") : tr("Save comment"));
    m_submit->setEnabled(!m_text->toPlainText().trimmed().isEmpty());
    m_cancel->setVisible(!m_commentId.isEmpty());
}
