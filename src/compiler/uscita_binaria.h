// The binary files of a scenario: the plan coordinates (file A, only when the
// plan was built), the station table (file B) and the cells (file C), each the
// table's image, little-endian, with no header. Each file is replaced whole,
// in the order A, B, C.
#ifndef COMPILER_USCITA_BINARIA_H_
#define COMPILER_USCITA_BINARIA_H_

#include "core/scenario.h"
#include "platform/cartella.h"
#include "tables/tabelle.h"

// Writes files A (when the tables hold a plan), B and C. Stops at the first
// file that cannot be written.
esito_file scrivi_file_binari(const scenario& sc, const tabelle& t,
                              cartella& c);

#endif  // COMPILER_USCITA_BINARIA_H_
