#include "TopicRow.h"


#include "BCFapi/BCFKeys.h"

using namespace Vexamo;

namespace {

QDateTime dateOf(const QVariant& value)
{
    return QDateTime::fromString(value.toString(), Qt::ISODateWithMs).toUTC();
}

} // namespace

TopicRow TopicRow::fromRecord(const QVariantMap& topic)
{
    TopicRow row;
    row.id = topic.value(BCFKeys::Guid).toString();
    row.title = topic.value(BCFKeys::Title).toString();
    row.type = topic.value(BCFKeys::TopicType).toString();
    row.status = topic.value(BCFKeys::TopicStatus).toString();
    row.priority = topic.value(BCFKeys::Priority).toString();
    row.assignedTo = topic.value(BCFKeys::AssignedTo).toString();
    row.stage = topic.value(BCFKeys::Stage).toString();
    row.labels = topic.value(BCFKeys::Labels).toStringList();
    row.created = dateOf(topic.value(BCFKeys::CreationDate));
    row.due = dateOf(topic.value(BCFKeys::DueDate));

    QStringList texts{row.title, topic.value(BCFKeys::Description).toString()};
    const QVariantList comments = topic.value(BCFKeys::Comments).toList();
    for (const QVariant& comment : comments)
        texts << comment.toMap().value(BCFKeys::Comment).toString();
    row.searchText = texts.join(QLatin1Char('\n')).toCaseFolded();
    return row;
}

bool TopicRow::matches(const QStringList& foldedWords) const
{
    for (const QString& word : foldedWords) {
        if (!searchText.contains(word))
            return false;
    }
    return true;
}
