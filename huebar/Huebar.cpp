#include "Huebar.h"

Huebar::Huebar() = default;
