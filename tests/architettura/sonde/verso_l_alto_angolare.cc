// The same upward include in angle brackets.
#include <commands/compila.h>
