#pragma once
#include <QtGlobal>

#if defined(RHOWORKS_LIBRARY)
#define RHOWORKS_EXPORT Q_DECL_EXPORT
#else
#define RHOWORKS_EXPORT Q_DECL_IMPORT
#endif
