#include "DocumentWriter.h"

#include "BCFapi/BCF1Export.h"
#include "BCFapi/BCFFileApi.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Project.h"

namespace BCFTool {

using namespace Vexamo;

bool DocumentWriter::writeModelVersion(const BCFapi& source, const BCFLib::BCFModel* sourceModel, const QString& path,
                                       const QString& version)
{
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    model->setVersion(BCFLib::Version(version, version));
    if (sourceModel) {
        if (const BCFLib::Project* project = sourceModel->project())
            model->addProject(project->guid())->fromQVariant(project->toQVariant());
        model->setExtensionSchema(sourceModel->extensionSchema());
        model->setExtensionSchemaData(sourceModel->extensionSchemaData());
        model->setExtensions(sourceModel->extensions());
        model->setDocuments(sourceModel->documents());
    }
    {
        BCFFileApi target(model, nullptr);
        target.copyFromInterface(source);
    }
    return model->serialize(path);
}

bool DocumentWriter::writeBCF1(BCFapi& source, const QString& path)
{
    BCF1Export exporter(&source);
    return exporter.serialize(path);
}

} // namespace BCFTool
