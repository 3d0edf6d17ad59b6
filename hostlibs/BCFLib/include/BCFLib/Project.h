#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace BCFLib {

class BCFModel;

// The project of a BCF document (project.bcfp). The extension schema belongs to the document's
// project extension; the project gives access to it for convenience and carries it in its record.
class BCFLIB_EXPORT Project
{
public:
    Project(BCFModel* model, const QString& guid);

    QString guid() const { return m_guid; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Reference of the extension schema (a file name in the archive or a URL) and, for a file in
    // the archive, its content.
    QString extensionSchema() const;
    void setExtensionSchema(const QString& reference);
    QByteArray extensionSchemaData() const;
    void setExtensionSchemaData(const QByteArray& data);

    // {"project_id", "name", "extension_schema" (when set), "extension_schema_data" (base64, when set),
    // "extensions" and "documents" (when the model has them; see RecordKeys.h)}
    QVariant toQVariant() const;
    // Sets name and extension schema from such a record; "project_id" is the identity and is not changed.
    void fromQVariant(const QVariant& record);

private:
    BCFModel* m_model;
    QString m_guid;
    QString m_name;
};

} // namespace BCFLib
