// How far a mistyped word is from a known one, and how far is still close
// enough to name the known word in a "did you mean".
#ifndef CORE_DISTANZA_MODIFICA_H_
#define CORE_DISTANZA_MODIFICA_H_

#include <cstddef>
#include <string_view>

// Edits (insert, delete, replace, swap two neighbours) from `a` to `b`,
// without regard to the case of ASCII letters.
std::size_t distanza_modifica(std::string_view a, std::string_view b);

// The same distance when it is at most `limite`; otherwise some number above
// `limite`, found without working out the rest: for a search that only takes
// close words.
std::size_t distanza_entro(std::string_view a, std::string_view b,
                           std::size_t limite);

// A known word `distanza` edits away from what was typed is taken as meant:
// one edit for a word of up to six characters, two from seven on.
bool abbastanza_vicina(std::string_view dato, std::size_t distanza);

#endif  // CORE_DISTANZA_MODIFICA_H_
