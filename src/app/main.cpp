// With no argument the program runs the scenario build; with arguments, the
// tools for authors. What a run wrote goes to standard output; the wait
// message and the reports to standard error, in the language of the locale.
#include <iostream>

#include "app/costruzione.h"
#include "platform/segnali.h"
#include "cli/colore.h"
#include "cli/lingua.h"
#include "app/strumenti.h"

int main(int argc, char** argv) {
  // Before any file is created: a signal must find every temporary file
  // registered.
  installa_gestori_segnali();
  prepara_lingua();
  const auto errori = errori_del_programma();
  if (argc <= 1) {
    return con_uscita_scritta(
        costruzione_predefinita(std::cout, errori->flusso()), std::cout,
        errori->flusso());
  }
  return esegui_strumenti(argc, argv, std::cout, errori->flusso());
}
