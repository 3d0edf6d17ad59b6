#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the topic list shows, filters and sorts on, taken once from a topic record so that sorting
// and filtering thousands of topics never go back to the records.
struct TopicRow
{
    QString id;
    QString title;
    QString type;
    QString status;
    QString priority;
    QString assignedTo;
    QString stage;
    QStringList labels;
    QDateTime created;
    QDateTime due;
    // Title, description and comment texts, case-folded, for the text search.
    QString searchText;

    static TopicRow fromRecord(const QVariantMap& topic);
    // Whether the case-folded words of query all occur in the searchable text.
    bool matches(const QStringList& foldedWords) const;
};
