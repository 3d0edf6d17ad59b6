#pragma once

#include <QtCore/qglobal.h>

#if defined(VEXAMO_UTILITY_LIBRARY)
#define UTILITY_EXPORT Q_DECL_EXPORT
#else
#define UTILITY_EXPORT Q_DECL_IMPORT
#endif
