// The compiler: it clears the station table, has both descriptions read into
// the tables, adds the speed-code marks around every slowdown, stores the
// reserved values and the competition codes, and writes the binary files.
#ifndef COMPILER_MEMORIZZA_PERCORSO_H_
#define COMPILER_MEMORIZZA_PERCORSO_H_

#include <cstdint>
#include <string>

#include "app/stato.h"
#include "platform/cartella.h"

struct esito_compilazione {
  enum tipo_esito {
    completata,     // the binary files are written (a recorded fault may still
                    // stand)
    senza_tabella,  // the reading left no cell table: no binary file is written
    fatale,  // reserved content found: `errore` with `codice`, no binary file
             // written
    guasto_file,  // a binary file could not be written
  } tipo = completata;
  std::string codice;  // "1250" or "1251" for `fatale`
  esito_file file;     // for `guasto_file`
};

// Reads both descriptions: the line half, then the train-run half; the reading
// failure handler takes over on any failure.
void memorizza_dati(stato& s, cartella& c);

// The scan over cells 1 to N - 2: speed-code marks ahead of the signals before
// a warning cell, before each slowdown start, inside slow slowdowns and before
// the first signal after their end.
void scansione_percorso(stato& s);

// Reads, scans and checks the tables without writing any file; the outcome is
// never `guasto_file`.
esito_compilazione compila_tabelle(stato& s, cartella& c, int32_t j);

// The whole compiler: `compila_tabelle`, then the binary files.
esito_compilazione memorizza_percorso(stato& s, cartella& c, int32_t j);

// The smaller of two values: y when x > y, else x.
inline int32_t minimo(int32_t x, int32_t y) { return x > y ? y : x; }

#endif  // COMPILER_MEMORIZZA_PERCORSO_H_
