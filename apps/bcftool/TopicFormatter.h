#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Vexamo {
class BCFapi;
}

namespace BCFTool {

// Text views of a topic record read through any BCFapi, for "info", "topics" and "show".
// Every text taken from the record is made printable first (see Console::printable).
class TopicFormatter
{
public:
    // One line: guid, title, type, status, priority, assigned to, numbers of comments and
    // viewpoints, and whether a viewpoint has a snapshot.
    static QString summaryLine(const Vexamo::BCFapi& api, const QVariantMap& topic);
    // The topic's fields, description, comments and viewpoints, several lines.
    static QStringList details(const Vexamo::BCFapi& api, const QVariantMap& topic);

private:
    static int snapshotCount(const Vexamo::BCFapi& api, const QVariantMap& topic);
};

} // namespace BCFTool
