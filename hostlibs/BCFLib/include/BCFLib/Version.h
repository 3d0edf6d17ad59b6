#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QString>

namespace BCFLib {

// The content of bcf.version: the version identifier ("2.1") and the detailed version text.
class BCFLIB_EXPORT Version
{
public:
    Version() = default;
    explicit Version(const QString& versionId, const QString& detailedVersion = QString());

    QString versionId() const { return m_versionId; }
    void setVersionId(const QString& versionId) { m_versionId = versionId; }
    QString detailedVersion() const { return m_detailedVersion; }
    void setDetailedVersion(const QString& detailedVersion) { m_detailedVersion = detailedVersion; }

private:
    QString m_versionId;
    QString m_detailedVersion;
};

} // namespace BCFLib
