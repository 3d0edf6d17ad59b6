#pragma once

#include <QString>
#include <QStringList>

namespace BCFTest {

// A list of calls, shared by several InMemoryBCFapi objects so that a test can check the exact order
// in which an operation called them. One entry per call:
//   "<name>.<operation>(<arg>,<arg>,...)"
// e.g. "source.getSnapshotContent(t1,v1,p1)" or "receiver.editSnapshotContent(t1,v1,<png>,p1)".
// String arguments appear as they are, a record argument as its "guid" (or "project_id"), a byte
// array argument as its bytes in angle brackets or "null". Results are not logged.
class CallLog
{
public:
    void append(const QString& entry) { m_entries.append(entry); }
    QStringList entries() const { return m_entries; }
    // The entries whose operation name is one of operations (e.g. {"createTopic", "editSnapshotContent"}).
    QStringList filtered(const QStringList& operations) const;
    void clear() { m_entries.clear(); }

private:
    QStringList m_entries;
};

} // namespace BCFTest
