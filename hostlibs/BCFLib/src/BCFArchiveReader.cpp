#include "BCFArchiveReader.h"

#include "BCFLib/BCFModel.h"

namespace BCFLib {

BCFArchiveReader::BCFArchiveReader(BCFModel* model)
    : m_model(model)
{
}

void BCFArchiveReader::setProgress(ProgressFunction addMax, ProgressFunction addSteps)
{
    m_addMax = std::move(addMax);
    m_addSteps = std::move(addSteps);
}

bool BCFArchiveReader::read(const QString& fileName)
{
    Q_UNUSED(fileName);
    m_model->setLoadError(QStringLiteral("reading is not available yet"));
    return false;
}

} // namespace BCFLib
