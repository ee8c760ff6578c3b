// "Did you mean": the known name closest to one that a user mistyped.
#ifndef CLI_SUGGERIMENTO_H_
#define CLI_SUGGERIMENTO_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/distanza_modifica.h"

// The name of `nomi` that `dato` most likely meant: the closest one, when it is
// close enough (`abbastanza_vicina`), else the only one that `dato` begins;
// empty when none.
std::string nome_vicino(std::string_view dato,
                        const std::vector<std::string>& nomi);

#endif  // CLI_SUGGERIMENTO_H_
