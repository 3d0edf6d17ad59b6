#include "TopicChoices.h"

#include "NaturalSort.h"
#include "ViewerKeys.h"

#include <QSet>

#include <algorithm>

namespace {

QLatin1String extensionKey(TopicChoices::Field field)
{
    switch (field) {
    case TopicChoices::Type:
        return ViewerKeys::TopicTypes;
    case TopicChoices::Status:
        return ViewerKeys::TopicStatuses;
    case TopicChoices::Priority:
        return ViewerKeys::Priorities;
    case TopicChoices::AssignedTo:
        return ViewerKeys::Users;
    case TopicChoices::Label:
        return ViewerKeys::TopicLabels;
    default:
        return ViewerKeys::Stages;
    }
}

} // namespace

TopicChoices::TopicChoices(const QVariantMap& extension, const QVector<TopicRow>& rows)
{
    for (int f = 0; f < FieldCount; ++f) {
        const auto field = Field(f);
        QStringList listed;
        for (const QString& value : extension.value(extensionKey(field)).toStringList()) {
            if (!value.trimmed().isEmpty() && !listed.contains(value))
                listed << value;
        }
        m_extension[f] = listed;

        QSet<QString> known(listed.cbegin(), listed.cend());
        QStringList used;
        for (const TopicRow& row : rows) {
            for (const QString& value : valuesOf(row, field)) {
                if (!value.trimmed().isEmpty() && !known.contains(value)) {
                    known.insert(value);
                    used << value;
                }
            }
        }
        std::sort(used.begin(), used.end(),
                  [](const QString& a, const QString& b) { return NaturalSort::lessThan(a, b); });
        m_values[f] = listed + used;
    }
}

QStringList TopicChoices::valuesOf(const TopicRow& row, Field field)
{
    switch (field) {
    case Type:
        return {row.type};
    case Status:
        return {row.status};
    case Priority:
        return {row.priority};
    case AssignedTo:
        return {row.assignedTo};
    case Label:
        return row.labels;
    default:
        return {row.stage};
    }
}
