// The binary files of a scenario: the plan coordinates (file A, only when the
// plan is built), the station table (file B) and the cells (file C), each the
// table's image, little-endian, with no header. Each file is replaced whole, in
// the order A, B, C.
#ifndef COMPILER_USCITA_BINARIA_H_
#define COMPILER_USCITA_BINARIA_H_

#include <string>

#include "app/stato.h"
#include "platform/cartella.h"
#include "tables/tabelle.h"

void codifica_cella(std::string& d, const cella& c);
void codifica_stazione(std::string& d, const stazione& r);
// Appends the plan's elements of one axis (0 = x, 1 = y), metre 0 first.
void codifica_asse(std::string& d, const coordinate_piano& p, int asse,
                   int32_t da, int32_t a);

// Writes files A (when `j` is not 0), B and C. Stops at the first file that
// cannot be written.
esito_file scrivi_file_binari(const stato& s, cartella& c);

#endif  // COMPILER_USCITA_BINARIA_H_
