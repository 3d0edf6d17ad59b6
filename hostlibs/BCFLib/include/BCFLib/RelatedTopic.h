#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

// A reference from one topic to another, by guid; the other topic need not be in the document.
class BCFLIB_EXPORT RelatedTopic
{
public:
    explicit RelatedTopic(const QString& guid) : m_guid(guid) {}
    QString guid() const { return m_guid; }

private:
    QString m_guid;
};

} // namespace BCFLib
