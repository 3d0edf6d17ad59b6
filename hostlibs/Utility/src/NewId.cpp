#include "Utility/NewId.h"

#include <QUuid>

namespace Vexamo {

QString NewId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}

} // namespace Vexamo
