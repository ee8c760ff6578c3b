// "Did you mean": the known name closest to one that a user mistyped.
#ifndef CLI_SUGGERIMENTO_H_
#define CLI_SUGGERIMENTO_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Edits (insert, delete, replace, swap two neighbours) from `a` to `b`,
// without regard to the case of ASCII letters.
std::size_t distanza_modifica(std::string_view a, std::string_view b);

// The name of `nomi` that `dato` most likely meant: the closest one within a
// third of its length (at least one edit), else the only one that `dato`
// begins; empty when none.
std::string nome_vicino(std::string_view dato,
                        const std::vector<std::string>& nomi);

#endif  // CLI_SUGGERIMENTO_H_
