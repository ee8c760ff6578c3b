// Compiling and checking descriptions that a scenario author wrote.
#ifndef COMMANDS_COMPILA_H_
#define COMMANDS_COMPILA_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/attesa.h"
#include "commands/documenti.h"
#include "compiler/memorizza_percorso.h"
#include "core/diagnostica.h"
#include "core/scenario.h"
#include "platform/cartella.h"
#include "tables/tabelle.h"
#include "validation/controllo.h"

struct opzioni_compila {
  std::string linea;           // the user's line description
  std::string treno;           // the user's train-run description
  std::string cartella = ".";  // where the binary files go
  std::string nome_linea = "Valdora_Cesina";  // UTF-8, as given
  std::string codice_treno = "KT52806";
  bool senza_piano = false;
  bool pagina = false;    // also write the report page
  bool json = false;      // check: findings as JSON
  bool rigoroso = false;  // any warning counts as a fault; compile then
                          // writes no binary file
  bool da_utf8 = false;   // the descriptions are UTF-8: converted first
  // compile: also the driver's documents, with the options that the documents
  // command takes too.
  bool documenti = false;
  int attesa_blocco = attesa_predefinita;  // --lock-wait, in seconds
  // check: how many times the checker compiles again without the faulty
  // lines (no option sets it: a fuzz target bounds it to stay fast).
  int ricompilazioni = ricompilazioni_predefinite;
  richiesta_documenti richiesta;
};

// Compiles the two descriptions into the binary files in `cartella`, with the
// driver's documents when asked. The user's files are only read, never
// changed. Returns the exit status.
int esegui_compila(const opzioni_compila& o, std::ostream& uscita,
                   std::ostream& errori);

// Reads and places everything as `compile` does, prints every problem found
// and their count, writes nothing.
int esegui_controlla(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori);

// check as esegui_controlla does, on the two descriptions' bytes as given
// instead of read from the files that `o` names (the names still stand for
// them in what is printed): for a caller that holds the files already.
int esegui_controlla_testi(const opzioni_compila& o, std::string linea,
                           std::string treno, std::ostream& uscita,
                           std::ostream& errori);

// Reads and checks the descriptions as `check` does and writes the driver's
// three documents into `cartella`, without binary files. Problems are
// reported as `compile` reports them; the documents are written from what was
// read, as `compile` writes its files. Returns the exit status.
int esegui_documenti(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori);

// The author's descriptions, read, and what the checks found in them. Not
// copied: the reading keeps a reference to the scenario. The texts that
// `ingresso` views are the input folder's, and are cleared once checked.
struct compilazione_controllata {
  scenario sc;
  ingresso_controllo ingresso{sc, {}, {}, false, true};
  // The files' bytes as they were before a conversion from UTF-8, which
  // `ingresso.grezzi` views; empty when nothing was converted.
  std::string grezzi_linea, grezzi_treno;
  tabelle t;
  diagnostica d;
  esito_compilazione esito;
  std::vector<problema> problemi;
};

// Reads, compiles and checks the two descriptions into `c` as compile does,
// writing nothing, for a front-end that compiles them again and again. The
// exit status when the descriptions or the scenario's names could not be had,
// after saying why on `errori`.
std::optional<int> compila_in_memoria(const opzioni_compila& o,
                                      compilazione_controllata& c,
                                      std::ostream& errori);
// The exit status that check gives for `c`.
int uscita_del_controllo(const compilazione_controllata& c, bool rigoroso);
// The binary files and, with `o.pagina`, the report page of a completed
// compilation, written into `destinazione` as compile writes them: one set,
// published whole or not at all.
esito_file scrivi_compilazione(const opzioni_compila& o,
                               const compilazione_controllata& c,
                               cartella& destinazione);

// A description in UTF-8 turned into Windows-1252 in place (a leading byte
// order mark dropped); a letter the code page cannot hold is a problem at its
// line and column, and the text is left as it was.
std::optional<problema> da_utf8(std::string& testo, fonte_lettura fonte);

#endif  // COMMANDS_COMPILA_H_
