#include "Spectrix.h"
