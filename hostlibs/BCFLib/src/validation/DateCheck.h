#pragma once

#include "ArchiveCheck.h"

#include <QString>

namespace BCFLib {

// Dates of markups (creation, modification, due dates, comment and model file dates) are valid
// xs:dateTime values. Entries checked against their schema are left to it, which says the same.
class DateCheck : public ArchiveCheck
{
public:
    void run(const ArchiveContents& contents, ProblemList& problems) override;

    static bool isDateTime(const QString& text);
};

} // namespace BCFLib
