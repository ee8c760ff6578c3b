// The one bridge from descriptions to the tables that the author's documents
// read: the compiler's own reading and scan, with no file written.
#ifndef TESTS_DOCUMENTS_TABELLE_COMPILATE_H_
#define TESTS_DOCUMENTS_TABELLE_COMPILATE_H_

#include <string>

#include "banco.h"
#include "compiler/memorizza_percorso.h"
#include "core/diagnostica.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"
#include "tables/tabelle.h"

struct tabelle_compilate {
  tabelle t;
  int32_t codice_errore = 0;
};

// Compiles the two descriptions (Windows-1252 text with CR LF) as the default
// scenario's line and train, without the plan, which no document reads.
inline tabelle_compilate compila_descrizioni(const std::string& linea,
                                             const std::string& treno) {
  const scenario sc;
  cartella_memoria c;
  c.file[nome_descrizione_linea(sc)] = linea;
  c.file[nome_descrizione_treno(sc)] = treno;
  tabelle_compilate risultato;
  diagnostica d;
  compila_tabelle(sc, c, /*con_piano=*/false, risultato.t, d);
  risultato.codice_errore = d.codice_errore;
  return risultato;
}

// The default scenario's own two descriptions, compiled.
inline tabelle_compilate compila_descrizioni_predefinite() {
  return compila_descrizioni(testo_di(righe_linea()), testo_di(righe_treno()));
}

// A line description of `lunghezza` metres with the given general lines (the
// progressions) and main part, each line ended by CR LF.
inline std::string linea_prova(const std::string& generale,
                               const std::string& principale = "",
                               int lunghezza = 8000) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) +
         "\r\n" + generale + "[curve]\r\n" + principale + "[fine]\r\n";
}

// A station line at `posizione` with a time (0, 0, 0 for none).
inline std::string stazione_prova(int posizione, const std::string& nome,
                                  int ore = 0, int minuti = 0,
                                  int secondi = 0) {
  return "stazione, " + std::to_string(posizione) +
         ", 12, 200, 0, 0, 0, 1,1,0, 4,1,1, 0, " + std::to_string(ore) + ", " +
         std::to_string(minuti) + ", " + std::to_string(secondi) + ", " + nome +
         "\r\n";
}

#endif  // TESTS_DOCUMENTS_TABELLE_COMPILATE_H_
