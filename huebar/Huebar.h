#pragma once
// The library's exported class. It carries no behaviour of its own: the gradient editor widget and
// its markers are the library's working classes.

#include <QtGlobal>

#if defined(HUEBAR_LIBRARY)
#define HUEBAR_EXPORT Q_DECL_EXPORT
#else
#define HUEBAR_EXPORT Q_DECL_IMPORT
#endif

class HUEBAR_EXPORT Huebar {
public:
    Huebar();
};
