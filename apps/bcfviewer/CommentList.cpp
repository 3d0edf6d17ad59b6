#include "CommentList.h"

#include "BCFapi/BCFKeys.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

using namespace Vexamo;

CommentList::CommentList(QWidget* parent)
    : QListWidget(parent)
{
    setWordWrap(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    setResizeMode(QListView::Adjust);
    // Wrapped items are measured for the full width; a scroll bar that comes and goes would cut them.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CommentList::setComments(const QVariantList& comments)
{
    struct Entry {
        QDateTime date;
        QVariantMap comment;
    };
    QVector<Entry> entries;
    for (const QVariant& value : comments) {
        const QVariantMap comment = value.toMap();
        entries.append({QDateTime::fromString(comment.value(BCFKeys::Date).toString(), Qt::ISODateWithMs), comment});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.date.isValid() != b.date.isValid())
            return a.date.isValid();
        return a.date.isValid() && a.date < b.date;
    });

    clear();
    for (const Entry& entry : qAsConst(entries)) {
        const QString author = entry.comment.value(BCFKeys::Author).toString();
        const QString date = entry.date.isValid()
                                 ? QLocale().toString(entry.date.toLocalTime(), QLocale::ShortFormat)
                                 : entry.comment.value(BCFKeys::Date).toString();
        const QString text = entry.comment.value(BCFKeys::Comment).toString();
        auto* item = new QListWidgetItem(QStringLiteral("%1  \u00b7  %2\n%3").arg(author, date, text), this);
        item->setData(CommentIdRole, entry.comment.value(BCFKeys::Guid).toString());
        item->setData(CommentTextRole, text);
        item->setToolTip(date);
    }
    if (entries.isEmpty()) {
        auto* note = new QListWidgetItem(tr("No comments yet."), this);
        note->setFlags(Qt::NoItemFlags);
    }
}

QStringList CommentList::commentIds() const
{
    QStringList ids;
    for (int i = 0; i < count(); ++i) {
        const QString id = item(i)->data(CommentIdRole).toString();
        if (!id.isEmpty())
            ids << id;
    }
    return ids;
}

QString CommentList::selectedCommentId() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? QString() : items.first()->data(CommentIdRole).toString();
}

QString CommentList::commentText(const QString& commentId) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->data(CommentIdRole).toString() == commentId)
            return item(i)->data(CommentTextRole).toString();
    }
    return QString();
}

void CommentList::selectComment(const QString& commentId)
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->data(CommentIdRole).toString() == commentId) {
            setCurrentRow(i);
            return;
        }
    }
}
