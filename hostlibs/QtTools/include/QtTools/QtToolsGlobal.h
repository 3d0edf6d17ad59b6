#pragma once

#include <QtCore/qglobal.h>

#if defined(VEXAMO_QTTOOLS_LIBRARY)
#define QTTOOLS_EXPORT Q_DECL_EXPORT
#else
#define QTTOOLS_EXPORT Q_DECL_IMPORT
#endif
