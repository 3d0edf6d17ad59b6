#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QList>
#include <QString>

namespace BCFLib {

// One line of a writer's report on what it left out of a file or changed to make it valid for
// the version it writes: what happened (kind), to which topic (its guid; empty for the document
// itself), and how often.
struct BCFLIB_EXPORT ConversionNote
{
    QString kind;
    QString topic;
    int count = 1;

    bool operator==(const ConversionNote& other) const
    {
        return kind == other.kind && topic == other.topic && count == other.count;
    }
    // "kind (topic guid): count" as one line for a user.
    QString toString() const;
};

using ConversionReport = QList<ConversionNote>;

} // namespace BCFLib
