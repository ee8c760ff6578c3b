// `report`: the report page of a scenario from its binary files alone.
#ifndef COMMANDS_PAGINA_COMANDO_H_
#define COMMANDS_PAGINA_COMANDO_H_

#include <ostream>
#include <string>

#include "cli/attesa.h"

struct opzioni_pagina {
  std::string cartella = ".";
  std::string nome_linea = "Valdora_Cesina";
  std::string codice_treno = "KT52806";
  int attesa_blocco = attesa_predefinita;  // --lock-wait, in seconds
};

// `report`: reads the binary files of one scenario from a folder and writes the
// page there.
int esegui_pagina(const opzioni_pagina& o, std::ostream& uscita,
                  std::ostream& errori);

#endif  // COMMANDS_PAGINA_COMANDO_H_
