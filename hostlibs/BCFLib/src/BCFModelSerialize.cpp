#include "BCFLib/BCFModel.h"

namespace BCFLib {

// Placeholder until the archive writer lands in its own source file; it writes nothing.
bool BCFModel::serialize(const QString& fileName)
{
    Q_UNUSED(fileName);
    return false;
}

} // namespace BCFLib
