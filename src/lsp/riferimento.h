// The reference of the description languages (docs/descriptions.md, embedded
// at build time) and the entries cut from it for the hover.
#ifndef LSP_RIFERIMENTO_H_
#define LSP_RIFERIMENTO_H_

#include <string>
#include <string_view>

// The whole reference, Markdown (generated from docs/descriptions.md).
std::string_view testo_riferimento();

// The entry of a keyword as written (`pendenza`, `curvad3`): its section, from
// its heading to the next one; empty when the reference has none.
std::string_view voce_riferimento(std::string_view scritta);

// The row of value `n` (1-based) in the table of the entry, as its cells:
// value, meaning, unit, width and range, grid; empty when there is none.
std::string riga_valore(std::string_view voce, int n);

// The entry's "Becomes:" point, or empty.
std::string_view diventa(std::string_view voce);

// What a section header holds: its row of the headers' table of the line
// description (`linea`) or of the train run, and the first sentence of each
// entry it names; empty for a header the table does not have.
std::string riga_intestazione(std::string_view intestazione, bool linea);

#endif  // LSP_RIFERIMENTO_H_
