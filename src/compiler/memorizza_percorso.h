// The compiler: it clears the station table, has both descriptions read from
// an input folder into the tables, adds the speed-code marks around every
// slowdown, stores the reserved values and the competition codes, and writes
// the binary files into an output folder.
#ifndef COMPILER_MEMORIZZA_PERCORSO_H_
#define COMPILER_MEMORIZZA_PERCORSO_H_

#include <cstdint>
#include <string>

#include "core/diagnostica.h"
#include "core/scenario.h"
#include "platform/cartella.h"
#include "platform/sostituzione.h"
#include "tables/tabelle.h"

// The reserved values that every compilation stores: `dato1` of cell 1 and
// `campo7` of record 85.
inline constexpr int16_t riservato_cella = 5121;
inline constexpr int16_t riservato_linea = 610;

struct esito_compilazione {
  enum tipo_esito {
    completata,     // the tables are complete (a recorded fault may still
                    // stand) and, when asked, written
    senza_tabella,  // the reading left no cell table: no binary file
    fatale,         // reserved content found: `errore` with `codice`, no
                    // binary file written
    guasto_file,    // a description could not be read for a failure of
                    // the system (not a missing file), or a binary file
                    // could not be written: no binary file replaced
  } tipo = completata;
  std::string codice;  // "1250" or "1251" for `fatale`
  esito_file file;     // for `guasto_file`
};

// Reads both descriptions from `ingresso` (the line half, then the train-run
// half; the reading failure handler takes over on any failure).
void memorizza_dati(const scenario& sc, cartella& ingresso, tabelle& t,
                    diagnostica& d, bool con_piano);

// Reads, scans and checks the tables without writing any file. With
// `con_piano` the plan is built. A read or a deletion of a description that
// fails for the system, not for a missing file, is `guasto_file`: the reading
// stopped by a failing disk says nothing about the description.
esito_compilazione compila_tabelle(const scenario& sc, cartella& ingresso,
                                   bool con_piano, tabelle& t, diagnostica& d);

// The whole compiler: `compila_tabelle`, then the binary files prepared in
// `uscita`, for the caller to publish with the rest of its set.
esito_compilazione memorizza_percorso(const scenario& sc, cartella& ingresso,
                                      insieme_sostituzioni& uscita,
                                      bool con_piano, tabelle& t,
                                      diagnostica& d);

// The same, with the binary files published into `uscita` as one set.
esito_compilazione memorizza_percorso(const scenario& sc, cartella& ingresso,
                                      cartella& uscita, bool con_piano,
                                      tabelle& t, diagnostica& d);

#endif  // COMPILER_MEMORIZZA_PERCORSO_H_
