#pragma once

#include <QListWidget>
#include <QVariantList>

// A topic's comments in date order (comments without a readable date keep their place in the file
// after the dated ones), each with its author and date above the text, shown as plain text.
class CommentList : public QListWidget
{
    Q_OBJECT

public:
    explicit CommentList(QWidget* parent = nullptr);

    void setComments(const QVariantList& comments);
    // The ids of the listed comments, in the order shown.
    QStringList commentIds() const;
    QString selectedCommentId() const;
    QString commentText(const QString& commentId) const;
    void selectComment(const QString& commentId);

    static constexpr int CommentIdRole = Qt::UserRole + 1;
    static constexpr int CommentTextRole = Qt::UserRole + 2;
};
