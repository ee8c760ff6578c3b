// Compiled with only the platform layer's headers in reach: an include of a
// layer above must not compile.
#include "cli/esiti.h"
