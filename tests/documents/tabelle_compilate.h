// The one bridge from descriptions to the tables that the author's documents
// read: the compiler's own reading and scan, with no file written.
#ifndef TESTS_DOCUMENTS_TABELLE_COMPILATE_H_
#define TESTS_DOCUMENTS_TABELLE_COMPILATE_H_

#include <string>
#include <vector>

#include "app/nomi_file.h"
#include "app/stato.h"
#include "compiler/memorizza_percorso.h"
#include "line/dati_linea.h"
#include "platform/cartella_memoria.h"
#include "tables/tabelle.h"
#include "train_run/dati_treno.h"

struct tabelle_compilate {
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  int32_t codice_errore = 0;
};

// Compiles the two descriptions (Windows-1252 text with CR LF) as the default
// scenario's line and train.
inline tabelle_compilate compila_descrizioni(const std::string& linea,
                                             const std::string& treno) {
  stato s;
  cartella_memoria c;
  c.file[nome_descrizione_linea(s)] = linea;
  c.file[nome_descrizione_treno(s)] = treno;
  compila_tabelle(s, c, 0);
  return {s.celle, s.stazioni, s.codice_errore};
}

// The default scenario's own two descriptions, compiled.
inline tabelle_compilate compila_descrizioni_predefinite() {
  auto testo = [](const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& riga : righe) t += riga + "\r\n";
    return t;
  };
  return compila_descrizioni(testo(righe_linea()), testo(righe_treno()));
}

// A line description of `lunghezza` metres with the given general lines (the
// progressions) and main part, each line ended by CR LF.
inline std::string linea_prova(const std::string& generale,
                               const std::string& principale = "",
                               int lunghezza = 8000) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) +
         "\r\n" + generale + "[curve]\r\n" + principale + "[fine]\r\n";
}

// A train-run description with the given lines.
inline std::string treno_prova(const std::string& corpo) {
  return "[generale]\r\n" + corpo + "[fine]\r\n";
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
