#include "BCFLib/Project.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/RecordKeys.h"
#include "RecordValues.h"

namespace BCFLib {

Project::Project(BCFModel* model, const QString& guid)
    : m_model(model)
    , m_guid(guid)
{
}

QString Project::extensionSchema() const
{
    return m_model ? m_model->extensionSchema() : QString();
}

void Project::setExtensionSchema(const QString& reference)
{
    if (m_model)
        m_model->setExtensionSchema(reference);
}

QByteArray Project::extensionSchemaData() const
{
    return m_model ? m_model->extensionSchemaData() : QByteArray();
}

void Project::setExtensionSchemaData(const QByteArray& data)
{
    if (m_model)
        m_model->setExtensionSchemaData(data);
}

QVariant Project::toQVariant() const
{
    QVariantMap record;
    record.insert(Keys::ProjectId, m_guid);
    record.insert(Keys::Name, m_name);
    RecordValues::insertIfNotEmpty(record, Keys::ExtensionSchema, extensionSchema());
    const QByteArray data = extensionSchemaData();
    if (!data.isEmpty())
        record.insert(Keys::ExtensionSchemaData, RecordValues::bytesToRecord(data));
    if (m_model && !m_model->extensions().isEmpty())
        record.insert(Keys::Extensions, m_model->extensions().toQVariant());
    if (m_model && !m_model->documents().isEmpty()) {
        QVariantList documents;
        for (const Document& document : m_model->documents())
            documents.append(document.toQVariant());
        record.insert(Keys::Documents, documents);
    }
    return record;
}

void Project::fromQVariant(const QVariant& record)
{
    const QVariantMap map = record.toMap();
    m_name = map.value(Keys::Name).toString();
    setExtensionSchema(map.value(Keys::ExtensionSchema).toString());
    setExtensionSchemaData(RecordValues::bytesFromRecord(map.value(Keys::ExtensionSchemaData)));
    if (!m_model)
        return;
    if (map.contains(Keys::Extensions))
        m_model->setExtensions(ProjectExtensions::fromQVariant(map.value(Keys::Extensions)));
    if (map.contains(Keys::Documents)) {
        QList<Document> documents;
        for (const QVariant& document : map.value(Keys::Documents).toList())
            documents.append(Document::fromQVariant(document));
        m_model->setDocuments(documents);
    }
}

} // namespace BCFLib
