#pragma once

#include <QtCore/qglobal.h>

// Export macro of the Vexamo.UI.Utils.BCFapi shared library (a DLL on Windows).
#if defined(BCFAPI_LIBRARY)
#define BCFAPI_EXPORT Q_DECL_EXPORT
#else
#define BCFAPI_EXPORT Q_DECL_IMPORT
#endif
