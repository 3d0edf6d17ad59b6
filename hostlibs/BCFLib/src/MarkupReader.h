#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class QXmlStreamReader;

namespace BCFLib {

class Topic;

// Reads a markup.bcf (BCF 1.0, 2.0, 2.1 or 3.0) into a new topic, leniently: elements in any order, missing
// required elements left missing, BCF 2.0 comment elements (Status, VerbalStatus, ReplyToComment)
// kept. Comments and viewpoints with unsafe or repeated guids are skipped and reported. Files
// referenced by the markup (viewpoints, snapshots, snippet, documents) are not read here.
class MarkupReader
{
public:
    // fallbackGuid names the topic when the markup's Topic has no Guid (the folder's name).
    std::unique_ptr<Topic> read(const QByteArray& bytes, const QString& fallbackGuid);

    QString errorString() const { return m_error; }
    QStringList warnings() const { return m_warnings; }
    // True when the markup listed viewpoints (a BCF 1.0 markup lists none).
    bool hasViewpointEntries() const { return m_hasViewpointEntries; }
    // BCF 3.0 dates without a zone are UTC; 2.x leaves them in local time.
    void setZonelessDatesAsUtc(bool utc) { m_zonelessAsUtc = utc; }

private:
    void readTopic(QXmlStreamReader& xml, Topic* topic);
    QDateTime date(const QString& text) const;
    void readComment(QXmlStreamReader& xml, Topic* topic);
    void readViewpoint(QXmlStreamReader& xml, Topic* topic);

    QString m_error;
    QStringList m_warnings;
    bool m_hasViewpointEntries = false;
    bool m_zonelessAsUtc = false;
};

} // namespace BCFLib
