#pragma once

#include "BCFLib/BCFLibGlobal.h"
#include "BCFLib/ReadLimits.h"
#include "BCFLib/ValidationProblem.h"

#include <QString>
#include <QVector>

#include <memory>

namespace BCFLib {

class SchemaSet;

// Validates a BCF archive (1.0, 2.0, 2.1 or 3.0) on its raw entries, independently of the model
// reader, which forgives much of what is checked here:
// - every XML part against the XML schemas of the file's version (1.0 against 2.0's), when a schema
//   folder is given; each schema is parsed once per validator, however many files it checks;
// - identifiers unique across topics, comments and viewpoints; topic folders named by their guid;
// - references that resolve (comment viewpoints, related topics, documents, header files, snippets,
//   viewpoint files), snapshots and bitmaps present and of the format their names say;
// - dates, field-of-view ranges, and in 3.0 the values declared in extensions.xml.
// Entries are read with the same safety limits as the reader: unsafe names are reported, sizes are
// counted on the inflated bytes, and no DTD or external entity is loaded.
class BCFLIB_EXPORT ArchiveValidator
{
public:
    enum Result { Clean, ProblemsFound, Unreadable };

    explicit ArchiveValidator(const ReadLimits& limits = ReadLimits());
    ~ArchiveValidator();
    ArchiveValidator(const ArchiveValidator&) = delete;
    ArchiveValidator& operator=(const ArchiveValidator&) = delete;

    // The folder with the XML schemas: one sub-folder per version ("2.1/markup.xsd", ...) or the
    // schemas of a single version. Without one, the schema checks are skipped.
    void setSchemaFolder(const QString& folder);

    Result validate(const QString& fileName);

    // After validate(): the findings in archive order, the version detected ("1.0", "2.0", "2.1",
    // "3.0"; empty when unknown), and whether the schemas were applied (and if not, why).
    QVector<ValidationProblem> problems() const { return m_problems; }
    QString version() const { return m_version; }
    bool schemasChecked() const { return m_schemasChecked; }
    QString schemaNote() const { return m_schemaNote; }
    // Why the file could not be checked at all (Result Unreadable).
    QString errorString() const { return m_error; }

private:
    ReadLimits m_limits;
    QString m_schemaFolder;
    std::unique_ptr<SchemaSet> m_schemas;
    QVector<ValidationProblem> m_problems;
    QString m_version;
    bool m_schemasChecked = false;
    QString m_schemaNote;
    QString m_error;
};

} // namespace BCFLib
