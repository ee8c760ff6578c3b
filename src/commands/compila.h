// Compiling and checking descriptions that a scenario author wrote.
#ifndef COMMANDS_COMPILA_H_
#define COMMANDS_COMPILA_H_

#include <optional>
#include <ostream>
#include <string>

#include "commands/documenti.h"
#include "validation/problemi.h"

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

// Reads and checks the descriptions as `check` does and writes the driver's
// three documents into `cartella`, without binary files. Problems are
// reported as `compile` reports them; the documents are written from what was
// read, as `compile` writes its files. Returns the exit status.
int esegui_documenti(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori);

// A description in UTF-8 turned into Windows-1252 in place (a leading byte
// order mark dropped); a letter the code page cannot hold is a problem at its
// line and column, and the text is left as it was.
std::optional<problema> da_utf8(std::string& testo, fonte_lettura fonte);

#endif  // COMMANDS_COMPILA_H_
