// With no argument the program runs the scenario build; with arguments, the
// tools for authors. What a run wrote goes to standard output; the wait
// message and the reports to standard error, in the language of the locale.
#include <malloc.h>

#include <iostream>

#include "app/costruzione.h"
#include "app/strumenti.h"
#include "cli/colore.h"
#include "cli/lingua.h"
#include "platform/segnali.h"

int main(int argc, char** argv) {
  // Tables of a long route's cells (hundreds of kilobytes) are taken from the
  // system and given back to it when freed. Left to itself the allocator
  // raises this threshold after the first such table is freed and serves the
  // next ones from its heap, which then keeps the room of every phase of a
  // run: the peak memory of report grew with the route.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
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
