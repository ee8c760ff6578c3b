// The check that the two beside it fail for the right reason: with the same
// flags, an include of the layer's own headers compiles.
#include "platform/cartella.h"
