// The check of a pair of descriptions held in memory, as `check` makes it on
// two files: the same conversion, compilation and checks, nothing written.
#ifndef LSP_VERIFICA_H_
#define LSP_VERIFICA_H_

#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/diagnostica.h"
#include "validation/guasti.h"
#include "validation/problemi.h"

// A description's text and where it comes from: an editor's buffer is UTF-8,
// a file on disk is taken as its bytes, as `check` takes it.
struct testo_da_controllare {
  std::string testo;
  bool dall_editor = false;
};

// What a hover reads of the last check: the cells and the station records.
struct tabelle_compilate {
  std::vector<cella> celle;
  tabella_stazioni stazioni;
};

struct esito_verifica {
  std::vector<problema> problemi;
  diagnostica d;
  esito_compilazione esito;
  // Per description (line, train run): the buffer held letters that
  // Windows-1252 cannot, so it was read as UTF-8 and its columns are bytes.
  bool in_utf8[2] = {false, false};
  // The two texts as the compiler read them (Windows-1252).
  std::string letti[2];
  // The tables compiled from them (no cells when the reading left none).
  tabelle_compilate compilate;
};

// A buffer from the editor in Windows-1252: converted when it can be (the
// file on disk is then these bytes); else kept as UTF-8 and read as
// `--encoding utf-8` reads a file. `ricompilazioni`: how many times the
// checks compile again without the lines of the faults found so far, as
// `check` does.
esito_verifica verifica_coppia(const testo_da_controllare& linea,
                               const testo_da_controllare& treno,
                               int ricompilazioni = ricompilazioni_predefinite);

#endif  // LSP_VERIFICA_H_
