#include "DocumentWriter.h"

#include "BCFapi/BCF1Export.h"
#include "BCFapi/BCFFileApi.h"
#include "BCFLib/BCFModel.h"
#include "BCFLib/Project.h"

namespace BCFTool {

using namespace Vexamo;

bool DocumentWriter::writeBCF21(const BCFapi& source, const BCFLib::Project* project, const QString& path)
{
    const QSharedPointer<BCFLib::BCFModel> model = BCFLib::BCFModel::Create();
    if (project) {
        BCFLib::Project* copy = model->addProject(project->guid());
        copy->fromQVariant(project->toQVariant());
        model->setExtensionSchema(project->extensionSchema());
        model->setExtensionSchemaData(project->extensionSchemaData());
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
