#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

// One finding of the ArchiveValidator: where in the archive, how serious, and what.
struct BCFLIB_EXPORT ValidationProblem
{
    enum Severity { Error, Warning };

    Severity severity = Error;
    // The entry's path inside the archive ("<guid>/markup.bcf"); empty for the archive as a whole.
    QString entry;
    // 1-based position in the entry; 0 when not known.
    int line = 0;
    int column = 0;
    // The kind of check that found it: "archive", "xml", "schema", "identifier", "reference",
    // "image", "date", "field-of-view", "folder" or "extension".
    QString check;
    QString message;

    QString severityText() const { return severity == Error ? QStringLiteral("error") : QStringLiteral("warning"); }
    // "error: <entry>:<line>:<column>: <message>", leaving out what is not known.
    QString toString() const;
};

} // namespace BCFLib
