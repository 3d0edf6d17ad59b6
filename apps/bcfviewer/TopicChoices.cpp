#include "TopicChoices.h"

#include "NaturalSort.h"
#include "BCFapi/BCFKeys.h"

#include <QSet>

#include <algorithm>

using namespace Vexamo;

namespace {

QLatin1String extensionKey(TopicChoices::Field field)
{
    switch (field) {
    case TopicChoices::Type:
        return BCFKeys::ExtensionTopicTypes;
    case TopicChoices::Status:
        return BCFKeys::ExtensionTopicStatuses;
    case TopicChoices::Priority:
        return BCFKeys::ExtensionPriorities;
    case TopicChoices::AssignedTo:
        return BCFKeys::ExtensionUsers;
    case TopicChoices::Label:
        return BCFKeys::ExtensionTopicLabels;
    default:
        return BCFKeys::ExtensionStages;
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
