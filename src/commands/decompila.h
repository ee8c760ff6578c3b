// Turning the binary files of one scenario back into the two descriptions
// that compile to them.
#ifndef COMMANDS_DECOMPILA_H_
#define COMMANDS_DECOMPILA_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/attesa.h"
#include "core/scenario.h"
#include "tables/tabelle.h"

struct opzioni_decompila {
  std::string cartella = ".";                 // where the binary files are
  std::string uscita;                         // where the descriptions go
  std::string nome_linea = "Valdora_Cesina";  // UTF-8, as given
  std::string codice_treno = "KT52806";
  bool sostituisci = false;                // replace descriptions already there
  int attesa_blocco = attesa_predefinita;  // --lock-wait, in seconds
};

// `decompile`: reads the scenario's binary files and writes L_linea.txt and
// L_T-.txt into `uscita`, created when it is missing. Returns the exit status:
// 1 when something in the files is left unexplained (reported cell by cell,
// the descriptions still written), 3 when a file cannot be read, does not
// decode, disagrees with the others or would be replaced without
// `sostituisci`.
int esegui_decompila(const opzioni_decompila& o, std::ostream& uscita,
                     std::ostream& errori);

// What no description explains in the scenario's tables, a line each ("name:
// cell 61 (3000 m): what was found; nearest line: ..."), each file named by
// `nome_file` from its plain name. Empty when the tables are what some
// descriptions compile to.
std::vector<std::string> contenuto_inspiegato(
    const tabelle& t, const scenario& sc,
    const std::function<std::string(const std::string&)>& nome_file);

#endif  // COMMANDS_DECOMPILA_H_
