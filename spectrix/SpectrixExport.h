#pragma once
#include <QtGlobal>

#if defined(SPECTRIX_LIBRARY)
#define SPECTRIX_EXPORT Q_DECL_EXPORT
#else
#define SPECTRIX_EXPORT Q_DECL_IMPORT
#endif
