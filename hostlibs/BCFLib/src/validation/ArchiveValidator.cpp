#include "BCFLib/ArchiveValidator.h"

#include "ArchiveContents.h"
#include "ArchiveEntries.h"
#include "DateCheck.h"
#include "ExtensionCheck.h"
#include "FieldOfViewCheck.h"
#include "IdentifierCheck.h"
#include "ImageCheck.h"
#include "ProblemList.h"
#include "ReferenceCheck.h"
#include "SchemaSet.h"

#include <QHash>

#include <algorithm>

namespace BCFLib {

ArchiveValidator::ArchiveValidator(const ReadLimits& limits)
    : m_limits(limits)
{
}

ArchiveValidator::~ArchiveValidator() = default;

void ArchiveValidator::setSchemaFolder(const QString& folder)
{
    m_schemaFolder = folder;
    m_schemas.reset();
}

ArchiveValidator::Result ArchiveValidator::validate(const QString& fileName)
{
    m_problems.clear();
    m_version.clear();
    m_schemasChecked = false;
    m_schemaNote.clear();
    m_error.clear();

    ProblemList problems;
    ArchiveEntries entries(m_limits);
    if (!entries.open(fileName, problems)) {
        m_error = entries.errorString();
        return Unreadable;
    }
    ArchiveContents contents(entries, problems);
    if (!contents.load(m_limits)) {
        m_error = contents.errorString();
        return Unreadable;
    }
    m_version = contents.version();

    if (m_schemaFolder.isEmpty()) {
        m_schemaNote = QStringLiteral("no schema folder given (--schemas)");
    } else if (m_version.isEmpty()) {
        m_schemaNote = QStringLiteral("the BCF version is unknown");
    } else {
        if (!m_schemas)
            m_schemas = std::make_unique<SchemaSet>(m_schemaFolder);
        const QString schemaVersion = contents.schemaVersion();
        if (m_schemas->hasVersion(schemaVersion, m_schemaNote)) {
            for (ArchiveContents::XmlPart& part : contents.parts())
                part.schemaChecked = m_schemas->validate(schemaVersion, part.kind, part.document.document(), part.entry, problems);
            m_schemasChecked = true;
        }
    }

    IdentifierCheck identifiers;
    ReferenceCheck references;
    ImageCheck images;
    DateCheck dates;
    FieldOfViewCheck fieldOfView;
    ExtensionCheck extensions;
    for (ArchiveCheck* check : std::initializer_list<ArchiveCheck*>{&identifiers, &references, &images, &dates,
                                                                   &fieldOfView, &extensions})
        check->run(contents, problems);

    // Reported in archive order: findings on the archive as a whole first, then entry by entry.
    QHash<QString, int> order;
    for (int i = 0; i < entries.paths().size(); ++i)
        order.insert(entries.paths().at(i), i + 1);
    m_problems = problems.items();
    std::stable_sort(m_problems.begin(), m_problems.end(), [&](const ValidationProblem& a, const ValidationProblem& b) {
        const int left = order.value(a.entry, a.entry.isEmpty() ? 0 : INT_MAX);
        const int right = order.value(b.entry, b.entry.isEmpty() ? 0 : INT_MAX);
        return left != right ? left < right : a.line < b.line;
    });
    return m_problems.isEmpty() ? Clean : ProblemsFound;
}

} // namespace BCFLib
