#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QXmlStreamReader;

namespace BCFLib {

class Topic;

// Reads a markup.bcf (BCF 2.1 or 2.0) into a new topic, leniently: elements in any order, missing
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

private:
    void readComment(QXmlStreamReader& xml, Topic* topic);
    void readViewpoint(QXmlStreamReader& xml, Topic* topic);

    QString m_error;
    QStringList m_warnings;
};

} // namespace BCFLib
