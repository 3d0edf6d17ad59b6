#include "BCFLib/Version.h"

namespace BCFLib {

Version::Version(const QString& versionId, const QString& detailedVersion)
    : m_versionId(versionId)
    , m_detailedVersion(detailedVersion)
{
}

} // namespace BCFLib
