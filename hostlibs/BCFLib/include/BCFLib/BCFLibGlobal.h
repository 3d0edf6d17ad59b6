#pragma once

#include <QtCore/qglobal.h>

#if defined(VEXAMO_BCFLIB_LIBRARY)
#define BCFLIB_EXPORT Q_DECL_EXPORT
#else
#define BCFLIB_EXPORT Q_DECL_IMPORT
#endif
