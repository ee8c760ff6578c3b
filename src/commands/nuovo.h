// `new`: a commented starter scenario for an author to begin from.
#ifndef COMMANDS_NUOVO_H_
#define COMMANDS_NUOVO_H_

#include <ostream>
#include <string>

#include "cli/attesa.h"

struct opzioni_nuovo {
  std::string cartella;                       // created when missing
  std::string nome_linea = "Valdora_Cesina";  // UTF-8, as given
  std::string codice_treno = "KT52806";
  int attesa_blocco = attesa_predefinita;  // --lock-wait, in seconds
};

// The names of the two starter files: "L_linea.txt" and "L_T.txt".
std::string nome_linea_iniziale(const opzioni_nuovo& o);
std::string nome_treno_iniziale(const opzioni_nuovo& o);

// Writes the two starter descriptions (Windows-1252, CR LF) into the folder
// and prints their paths. Refuses, writing nothing, when either file exists.
int esegui_nuovo(const opzioni_nuovo& o, std::ostream& uscita,
                 std::ostream& errori);

#endif  // COMMANDS_NUOVO_H_
