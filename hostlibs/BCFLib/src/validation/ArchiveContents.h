#pragma once

#include "BCFLib/ReadLimits.h"
#include "SchemaSet.h"
#include "XmlDocument.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <vector>

namespace BCFLib {

class ArchiveEntries;
class ProblemList;

// The XML parts of a BCF archive, parsed from its raw entries, and where they stand in the layout of
// the archive's version: bcf.version and project.bcfp at the root, one folder per topic with its
// markup.bcf and visualization files (.bcfv), and in 3.0 extensions.xml and documents.xml with the
// documents in a "Documents" folder. In 2.x comments and viewpoints are children of the markup's
// root, in 3.0 they are nested in the topic. A file without bcf.version whose markups refer to no
// viewpoint files is BCF 1.0, checked against the 2.0 schemas, the closest there are.
class ArchiveContents
{
public:
    struct XmlPart
    {
        QString entry;
        SchemaSet::Kind kind;
        XmlDocument document;
        bool schemaChecked = false;
    };

    // One topic folder's markup, with the elements the checks look at.
    struct TopicMarkup
    {
        const XmlPart* markup = nullptr;
        QString folder;
        xmlNodePtr topic = nullptr; // null when the markup has no Topic
        QVector<xmlNodePtr> comments;
        QVector<xmlNodePtr> viewpoints; // 2.x "Viewpoints", 3.0 "ViewPoint"
        QVector<xmlNodePtr> documentReferences;
        QVector<xmlNodePtr> relatedTopics;
        QVector<xmlNodePtr> headerFiles;
    };

    ArchiveContents(ArchiveEntries& entries, ProblemList& problems);

    // Reads and parses the XML parts. False with errorString() when the archive holds no BCF at all.
    bool load(const ReadLimits& limits);
    QString errorString() const { return m_error; }

    // "1.0", "2.0", "2.1" or "3.0"; empty when bcf.version names a version this validator does not know.
    QString version() const { return m_version; }
    // The version whose schemas apply: 2.0 for 1.0.
    QString schemaVersion() const { return m_version == QLatin1String("1.0") ? QStringLiteral("2.0") : m_version; }
    bool isVersion3() const { return m_layout3; }

    std::vector<XmlPart>& parts() { return m_parts; }
    const std::vector<XmlPart>& parts() const { return m_parts; }
    const QVector<TopicMarkup>& topics() const { return m_topics; }
    // The parsed part of an entry (case-insensitive); null when it is absent or not well-formed.
    const XmlPart* part(const QString& entry) const;
    ArchiveEntries& entries() const { return m_entries; }

private:
    void addPart(const QString& entry, SchemaSet::Kind kind, const ReadLimits& limits);
    void detectVersion();
    void collectTopics();

    ArchiveEntries& m_entries;
    ProblemList& m_problems;
    std::vector<XmlPart> m_parts;
    QVector<TopicMarkup> m_topics;
    QHash<QString, size_t> m_partIndex; // by lower-case entry
    QString m_version;
    bool m_layout3 = false;
    QString m_error;
};

} // namespace BCFLib
