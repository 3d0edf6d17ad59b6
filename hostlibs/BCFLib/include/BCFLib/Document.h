#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace BCFLib {

// A document kept inside a BCF 3.0 archive (documents.xml and the Documents folder). Topics
// refer to it by its guid.
struct BCFLIB_EXPORT Document
{
    QString guid;
    QString fileName;
    QString description;
    QByteArray data;

    // {"guid", "filename"} always; "description" when set; "document_data" (base64) when there is content.
    QVariantMap toQVariant() const;
    static Document fromQVariant(const QVariant& record);
};

} // namespace BCFLib
