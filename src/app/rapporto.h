// The reports of a build on standard error: the fault recorded, if any, and the
// warnings, each in one line that names the description as the user knows it,
// the line and the keyword.
#ifndef APP_RAPPORTO_H_
#define APP_RAPPORTO_H_

#include <ostream>
#include <string>

#include "app/stato.h"

// How the user knows the two descriptions (paths in the console's UTF-8).
struct nomi_descrizioni {
  std::string linea;
  std::string treno;
};

// "treno.txt:23: stazione: errore 8 a 46025 m: posizione della stazione non
// multipla di 50", or for the route scan "cella 143 (7150 m): errore 11: ...".
// UTF-8, no line end.
std::string riga_errore(const stato& s, const nomi_descrizioni& nomi);
// "linea.txt:12: avviso: campo ignorato: \"pendneza\"". UTF-8, no line end.
std::string riga_avviso(const avviso& a, const nomi_descrizioni& nomi);
// "1 avviso", "2 avvisi".
std::string conta_avvisi(std::size_t quanti);

// Prints the warnings with their count, then the fault, if one was recorded.
void stampa_rapporto(const stato& s, const nomi_descrizioni& nomi,
                     std::ostream& errori);

#endif  // APP_RAPPORTO_H_
