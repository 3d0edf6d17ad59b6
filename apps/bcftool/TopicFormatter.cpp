#include "TopicFormatter.h"

#include "Console.h"

#include "BCFapi/BCFKeys.h"
#include "BCFapi/BCFapi.h"

#include <memory>

namespace BCFTool {

using namespace Vexamo;

namespace {

QString field(const QVariantMap& record, QLatin1String key)
{
    const QString value = Console::printable(record.value(key).toString());
    return value.isEmpty() ? QStringLiteral("-") : value;
}

} // namespace

int TopicFormatter::snapshotCount(const BCFapi& api, const QVariantMap& topic)
{
    const QString topicId = topic.value(BCFKeys::Guid).toString();
    int count = 0;
    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    if (api.getType() == BCFapi::WorkingCache) {
        // A record of the working cache holds its viewpoints' snapshots: asking the cache again
        // would read the topic file once more per viewpoint.
        for (const QVariant& viewpoint : viewpoints) {
            const QVariantMap snapshot = viewpoint.toMap().value(BCFKeys::Snapshot).toMap();
            if (!snapshot.value(BCFKeys::SnapshotData).toByteArray().isEmpty())
                ++count;
        }
        return count;
    }
    for (const QVariant& viewpoint : viewpoints) {
        const std::unique_ptr<QByteArray> snapshot(
            api.getSnapshotContent(topicId, viewpoint.toMap().value(BCFKeys::Guid).toString(), QString()));
        if (snapshot && !snapshot->isEmpty())
            ++count;
    }
    return count;
}

QString TopicFormatter::summaryLine(const BCFapi& api, const QVariantMap& topic)
{
    return QStringLiteral("%1  \"%2\"  type: %3  status: %4  priority: %5  assigned to: %6  "
                          "comments: %7  viewpoints: %8  snapshot: %9")
        .arg(field(topic, BCFKeys::Guid), Console::printable(topic.value(BCFKeys::Title).toString()),
             field(topic, BCFKeys::TopicType), field(topic, BCFKeys::TopicStatus), field(topic, BCFKeys::Priority),
             field(topic, BCFKeys::AssignedTo))
        .arg(topic.value(BCFKeys::Comments).toList().size())
        .arg(topic.value(BCFKeys::Viewpoints).toList().size())
        .arg(snapshotCount(api, topic) > 0 ? QStringLiteral("yes") : QStringLiteral("no"));
}

QStringList TopicFormatter::details(const BCFapi& api, const QVariantMap& topic)
{
    QStringList lines;
    lines << QStringLiteral("Topic:        %1").arg(field(topic, BCFKeys::Guid));
    lines << QStringLiteral("Title:        %1").arg(field(topic, BCFKeys::Title));
    lines << QStringLiteral("Type:         %1").arg(field(topic, BCFKeys::TopicType));
    lines << QStringLiteral("Status:       %1").arg(field(topic, BCFKeys::TopicStatus));
    lines << QStringLiteral("Priority:     %1").arg(field(topic, BCFKeys::Priority));
    lines << QStringLiteral("Assigned to:  %1").arg(field(topic, BCFKeys::AssignedTo));
    lines << QStringLiteral("Labels:       %1")
                 .arg(Console::printable(topic.value(BCFKeys::Labels).toStringList().join(QLatin1String(", "))));
    lines << QStringLiteral("Created:      %1 by %2")
                 .arg(field(topic, BCFKeys::CreationDate), field(topic, BCFKeys::CreationAuthor));
    if (topic.contains(BCFKeys::ModifiedDate) || topic.contains(BCFKeys::ModifiedAuthor)) {
        lines << QStringLiteral("Modified:     %1 by %2")
                     .arg(field(topic, BCFKeys::ModifiedDate), field(topic, BCFKeys::ModifiedAuthor));
    }
    const QString description = Console::printable(topic.value(BCFKeys::Description).toString(), true);
    if (!description.isEmpty()) {
        lines << QString() << QStringLiteral("Description:");
        for (const QString& line : description.split(QLatin1Char('\n')))
            lines << QStringLiteral("  ") + line;
    }

    const QVariantList comments = topic.value(BCFKeys::Comments).toList();
    lines << QString() << QStringLiteral("Comments (%1):").arg(comments.size());
    for (const QVariant& item : comments) {
        const QVariantMap comment = item.toMap();
        lines << QStringLiteral("  [%1] %2, %3")
                     .arg(field(comment, BCFKeys::Guid), field(comment, BCFKeys::Author), field(comment, BCFKeys::Date));
        const QString text = Console::printable(comment.value(BCFKeys::Comment).toString(), true);
        for (const QString& line : text.split(QLatin1Char('\n')))
            lines << QStringLiteral("    ") + line;
    }

    const QString topicId = topic.value(BCFKeys::Guid).toString();
    const QVariantList viewpoints = topic.value(BCFKeys::Viewpoints).toList();
    lines << QString() << QStringLiteral("Viewpoints (%1):").arg(viewpoints.size());
    for (const QVariant& item : viewpoints) {
        const QVariantMap viewpoint = item.toMap();
        const QString viewpointId = viewpoint.value(BCFKeys::Guid).toString();
        QStringList parts;
        if (!viewpoint.value(BCFKeys::PerspectiveCamera).toMap().isEmpty())
            parts << QStringLiteral("perspective camera");
        if (!viewpoint.value(BCFKeys::OrthogonalCamera).toMap().isEmpty())
            parts << QStringLiteral("orthogonal camera");
        const int lineCount = viewpoint.value(BCFKeys::Lines).toList().size();
        if (lineCount > 0)
            parts << QStringLiteral("%1 line(s)").arg(lineCount);
        const int planeCount = viewpoint.value(BCFKeys::ClippingPlanes).toList().size();
        if (planeCount > 0)
            parts << QStringLiteral("%1 clipping plane(s)").arg(planeCount);
        const int selected = api.getComponent(topicId, viewpointId, QString()).value(BCFKeys::Selection).toList().size();
        if (selected > 0)
            parts << QStringLiteral("%1 selected component(s)").arg(selected);
        const std::unique_ptr<QByteArray> snapshot(api.getSnapshotContent(topicId, viewpointId, QString()));
        if (snapshot && !snapshot->isEmpty())
            parts << QStringLiteral("snapshot of %1 bytes").arg(snapshot->size());
        lines << QStringLiteral("  [%1] %2").arg(Console::printable(viewpointId),
                                                 parts.isEmpty() ? QStringLiteral("empty")
                                                                 : parts.join(QLatin1String(", ")));
    }
    return lines;
}

} // namespace BCFTool
