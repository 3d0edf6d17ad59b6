#pragma once

#include "BCFLib/BCFLibGlobal.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace BCFLib {

// A model file named in the header of a topic's markup.
class BCFLIB_EXPORT File
{
public:
    // The identifier some BCF 3.0 tools give a header file (an "Id" attribute); empty when none.
    // Neither the 2.1 nor the 3.0 schema has a place for it: writers report it as left out.
    QString id() const { return m_id; }
    void setId(const QString& id) { m_id = id; }
    QString ifcProject() const { return m_ifcProject; }
    void setIfcProject(const QString& guid) { m_ifcProject = guid; }
    QString ifcSpatialStructureElement() const { return m_ifcSpatialStructureElement; }
    void setIfcSpatialStructureElement(const QString& guid) { m_ifcSpatialStructureElement = guid; }
    // True (the format's default) when the reference points outside the archive.
    bool isExternal() const { return m_isExternal; }
    void setIsExternal(bool external) { m_isExternal = external; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    QDateTime date() const { return m_date; }
    void setDate(const QDateTime& date) { m_date = date; }
    QString reference() const { return m_reference; }
    void setReference(const QString& reference) { m_reference = reference; }
    // The model file's content when it is in the archive (not external), so that writing the
    // document keeps it.
    QByteArray fileData() const { return m_data; }
    void setFileData(const QByteArray& data) { m_data = data; }

    // {"is_external"} always; "ifc_project", "ifc_spatial_structure_element", "file_name",
    // "date" (ISO 8601), "reference", "id" when set; "file_data" (base64) when there is content.
    QVariant toQVariant() const;
    // Replaces every field; a missing "is_external" reads as true, the format's default.
    void fromQVariant(const QVariant& record);

private:
    QString m_id;
    QString m_ifcProject;
    QString m_ifcSpatialStructureElement;
    bool m_isExternal = true;
    QString m_fileName;
    QDateTime m_date;
    QString m_reference;
    QByteArray m_data;
};

} // namespace BCFLib
