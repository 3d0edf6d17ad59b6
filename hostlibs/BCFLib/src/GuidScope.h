#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace BCFLib {

// Gives every identifier of one scope (the topics of a document, the viewpoints or comments of a
// topic) the form that BCF 2.1 files require: a UUID "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
//
// - A guid that already has that form is written as it is (its case is kept).
// - A UUID in another spelling QUuid understands ("{...}") is written without the braces.
// - Anything else (the model allows any plain identifier) becomes a name-based UUID (version 5,
//   lower-case) of its lower-case text, so that the same model gives the same files every time
//   and every reference to the identifier gets the same UUID.
// - Two identifiers of one scope that would end up equal (e.g. "{A..}" and "a..") stay apart: the
//   later one gets a name-based UUID of its text and a counter.
//
// BCF 3.0 wants lower-case guids: a scope made with lowerCase writes every guid in lower case.
class GuidScope
{
public:
    explicit GuidScope(bool lowerCase = false)
        : m_lowerCase(lowerCase)
    {
    }
    bool isLowerCase() const { return m_lowerCase; }
    // How many identifiers assign() gave a name-based UUID because they were not UUIDs.
    int mappedCount() const { return m_mapped; }

    // The written guid of an item of this scope, assigned on first use.
    QString assign(const QString& id);
    // The written guid of a reference: what assign() gave the identifier, or the plain mapping when
    // the identifier names nothing in this scope (e.g. a related topic in another document).
    QString lookup(const QString& id) const;

    // True when text matches the Guid pattern of the BCF 2.1 schemas.
    static bool isSchemaGuid(const QString& text);
    // The plain mapping described above, without regard to other identifiers.
    static QString toSchemaGuid(const QString& id);
    // A lower-case name-based UUID of name, in this library's namespace.
    static QString nameBasedGuid(const QString& name);

private:
    QHash<QString, QString> m_assigned; // lower-case identifier -> written guid
    QSet<QString> m_used;               // lower-case written guids
    bool m_lowerCase = false;
    int m_mapped = 0;
};

} // namespace BCFLib
