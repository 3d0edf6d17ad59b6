#include "BCFDocumentProject.h"

#include "BCFLib/BCFModel.h"
#include "BCFLib/Project.h"
#include "BCFLib/RecordKeys.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace Vexamo {

namespace {

const QLatin1String ProjectKey("project");
const QLatin1String VersionKey("version");

} // namespace

BCFDocumentProject BCFDocumentProject::fromModel(const BCFLib::BCFModel& model)
{
    BCFDocumentProject document;
    if (const BCFLib::Project* project = model.project())
        document.m_project = project->toQVariant().toMap();
    document.m_extensionSchema = model.extensionSchema();
    document.m_extensionSchemaData = model.extensionSchemaData();
    document.m_version = model.version().versionId();
    document.m_extensions = model.extensions();
    document.m_documents = model.documents();
    // The project record repeats the lists and documents; they are kept once, beside it.
    document.m_project.remove(BCFLib::Keys::Extensions);
    document.m_project.remove(BCFLib::Keys::Documents);
    return document;
}

BCFDocumentProject BCFDocumentProject::read(const QString& filePath, QString* error)
{
    BCFDocumentProject document;
    QFile file(filePath);
    if (!file.exists())
        return document;
    const auto damaged = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("the project file %1 is damaged: %2").arg(filePath, reason);
        return document;
    };
    // The file holds an id, a name and at most an extension schema: anything far larger is not ours.
    const qint64 MaximumSize = qint64(64) * 1024 * 1024;
    if (file.size() > MaximumSize)
        return damaged(QStringLiteral("too large"));
    if (!file.open(QIODevice::ReadOnly))
        return damaged(file.errorString());

    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return damaged(parseError.errorString());
    if (!json.isObject())
        return damaged(QStringLiteral("not an object"));

    const QJsonObject root = json.object();
    document.m_project = root.value(ProjectKey).toObject().toVariantMap();
    if (document.m_project.value(BCFLib::Keys::ProjectId).toString().isEmpty())
        document.m_project.clear();
    document.m_extensionSchema = root.value(BCFLib::Keys::ExtensionSchema).toString();
    document.m_extensionSchemaData =
        QByteArray::fromBase64(root.value(BCFLib::Keys::ExtensionSchemaData).toString().toLatin1());
    document.m_version = root.value(VersionKey).toString();
    document.m_extensions = BCFLib::ProjectExtensions::fromQVariant(root.value(BCFLib::Keys::Extensions).toVariant());
    for (const QJsonValue& value : root.value(BCFLib::Keys::Documents).toArray())
        document.m_documents.append(BCFLib::Document::fromQVariant(value.toVariant()));
    return document;
}

bool BCFDocumentProject::isEmpty() const
{
    return m_project.isEmpty() && m_extensionSchema.isEmpty() && m_extensionSchemaData.isEmpty()
        && m_version.isEmpty() && m_extensions.isEmpty() && m_documents.isEmpty();
}

BCFLib::ProjectExtensions BCFDocumentProject::extensions() const
{
    if (!m_extensions.isEmpty())
        return m_extensions;
    return BCFLib::ProjectExtensions::fromExtensionSchema(m_extensionSchemaData);
}

bool BCFDocumentProject::write(const QString& filePath) const
{
    if (isEmpty())
        return !QFile::exists(filePath) || QFile::remove(filePath);

    QJsonObject root;
    if (!m_project.isEmpty())
        root.insert(ProjectKey, QJsonObject::fromVariantMap(m_project));
    if (!m_extensionSchema.isEmpty())
        root.insert(BCFLib::Keys::ExtensionSchema, m_extensionSchema);
    if (!m_extensionSchemaData.isEmpty())
        root.insert(BCFLib::Keys::ExtensionSchemaData, QString::fromLatin1(m_extensionSchemaData.toBase64()));
    if (!m_version.isEmpty())
        root.insert(VersionKey, m_version);
    if (!m_extensions.isEmpty())
        root.insert(BCFLib::Keys::Extensions, QJsonObject::fromVariantMap(m_extensions.toQVariant()));
    if (!m_documents.isEmpty()) {
        QJsonArray documents;
        for (const BCFLib::Document& document : m_documents)
            documents.append(QJsonObject::fromVariantMap(document.toQVariant()));
        root.insert(BCFLib::Keys::Documents, documents);
    }

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
    return file.commit();
}

void BCFDocumentProject::applyTo(BCFLib::BCFModel& model) const
{
    if (!m_project.isEmpty()) {
        BCFLib::Project* project = model.addProject(m_project.value(BCFLib::Keys::ProjectId).toString());
        if (project)
            project->fromQVariant(m_project);
    }
    if (!m_extensionSchema.isEmpty())
        model.setExtensionSchema(m_extensionSchema);
    if (!m_extensionSchemaData.isEmpty())
        model.setExtensionSchemaData(m_extensionSchemaData);
    if (!m_extensions.isEmpty())
        model.setExtensions(m_extensions);
    if (!m_documents.isEmpty())
        model.setDocuments(m_documents);
}

} // namespace Vexamo
