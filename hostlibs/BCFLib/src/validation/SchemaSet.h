#pragma once

#include <QHash>
#include <QString>

#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

namespace BCFLib {

class ProblemList;

// The BCF XML schemas of a folder, parsed once each and kept for the life of the set. The folder
// holds one sub-folder per version ("2.1/markup.xsd") or the schemas of one version. The 2.1
// visualization schema limits FieldOfView to 45-60 while its own annotation says that limit is
// dropped; it is loaded with the range widened to (0, 180), and the narrower range is left to a
// warning of the field-of-view check.
class SchemaSet
{
public:
    enum Kind { Version, Project, Markup, Visualization, Extensions, Documents };

    explicit SchemaSet(const QString& folder);
    ~SchemaSet();
    SchemaSet(const SchemaSet&) = delete;
    SchemaSet& operator=(const SchemaSet&) = delete;

    // Whether the folder has schemas for the version ("2.0", "2.1", "3.0"); if not, note says why.
    bool hasVersion(const QString& version, QString& note) const;

    // Validates doc against the schema of kind; its findings go to problems under entry. False when
    // that schema is missing or cannot be parsed (reported once, under the archive).
    bool validate(const QString& version, Kind kind, xmlDocPtr doc, const QString& entry, ProblemList& problems);

    static QString fileName(Kind kind);

private:
    struct Loaded
    {
        xmlSchemaPtr schema = nullptr;
        xmlSchemaValidCtxtPtr context = nullptr;
        bool failed = false;
    };

    QString versionFolder(const QString& version) const;
    Loaded& load(const QString& version, Kind kind, ProblemList& problems);
    static void widenFieldOfView(xmlDocPtr schemaDocument);

    QString m_folder;
    QHash<QString, Loaded> m_loaded; // by "<version>/<file name>"
};

} // namespace BCFLib
