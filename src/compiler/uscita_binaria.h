// The binary files of a scenario: the plan coordinates (file A, only when the
// plan was built), the station table (file B) and the cells (file C), each the
// table's image, little-endian, with no header. The files are one set: each is
// written whole, in the order A, B, C, and none replaces an older file until
// all are written.
#ifndef COMPILER_USCITA_BINARIA_H_
#define COMPILER_USCITA_BINARIA_H_

#include "core/scenario.h"
#include "platform/cartella.h"
#include "platform/sostituzione.h"
#include "tables/tabelle.h"

// Prepares files A (when the tables hold a plan), B and C in `insieme`, to be
// published with whatever else belongs to the set. Stops at the first file
// that cannot be written.
esito_file prepara_file_binari(const scenario& sc, const tabelle& t,
                               insieme_sostituzioni& insieme);

// Writes files A, B and C into `c` as one set.
esito_file scrivi_file_binari(const scenario& sc, const tabelle& t,
                              cartella& c);

#endif  // COMPILER_USCITA_BINARIA_H_
