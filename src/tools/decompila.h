// Turning the binary files of one scenario back into the two descriptions
// that compile to them.
#ifndef TOOLS_DECOMPILA_H_
#define TOOLS_DECOMPILA_H_

#include <ostream>
#include <string>

struct opzioni_decompila {
  std::string cartella = ".";                 // where the binary files are
  std::string uscita;                         // where the descriptions go
  std::string nome_linea = "Valdora_Cesina";  // UTF-8, as given
  std::string codice_treno = "KT52806";
  bool sostituisci = false;  // replace descriptions already there
};

// `decompile`: reads the scenario's binary files and writes L_linea.txt and
// L_T-.txt into `uscita`, created when it is missing. Returns the exit status:
// 1 when something in the files is left unexplained (reported cell by cell,
// the descriptions still written), 3 when a file cannot be read, does not
// decode, disagrees with the others or would be replaced without
// `sostituisci`.
int esegui_decompila(const opzioni_decompila& o, std::ostream& uscita,
                     std::ostream& errori);

#endif  // TOOLS_DECOMPILA_H_
