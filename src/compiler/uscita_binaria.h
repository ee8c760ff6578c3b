// The binary files of a scenario: the plan's coordinates (<line>_linea.dat,
// only when the plan was built), the station table (<line>_<train>.sim) and
// the cells (<line>_<train>.dat), each the table's image, little-endian, with
// no header. The files are one set: each is written whole, plan first, then
// stations, then cells, and none replaces an older file until all are written.
#ifndef COMPILER_USCITA_BINARIA_H_
#define COMPILER_USCITA_BINARIA_H_

#include "core/scenario.h"
#include "platform/cartella.h"
#include "platform/sostituzione.h"
#include "tables/tabelle.h"

// Prepares the plan's file (when the tables hold a plan), the station table
// and the cells in `insieme`, to be published with whatever else belongs to
// the set. Stops at the first file that cannot be written.
esito_file prepara_file_binari(const scenario& sc, const tabelle& t,
                               insieme_sostituzioni& insieme);

#endif  // COMPILER_USCITA_BINARIA_H_
