// A small fixture for the compiler's tests: a scenario, its tables and
// diagnostics, an in-memory folder holding the two descriptions, and shortcuts
// to the tables.
#ifndef TESTS_BANCO_H_
#define TESTS_BANCO_H_

#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "line/dati_linea.h"
#include "line/lettura_linea.h"
#include "platform/cartella_memoria.h"
#include "train_run/dati_treno.h"

// The lines joined with CR LF, each line ended.
inline std::string testo_di(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += riga + "\r\n";
  return testo;
}

// A line description of `lunghezza` metres (N = (lunghezza + 7000) / 50) with
// the given main part.
inline std::string linea_con(const std::string& principale,
                             int lunghezza = 3000) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) +
         "\r\n[curve]\r\n" + principale + "[fine]\r\n";
}

// Board-text lines at 100, 200, ... metres.
inline std::string cartelli(int quanti) {
  std::string testo;
  for (int n = 1; n <= quanti; ++n) {
    testo += "cartello_indicatore, " + std::to_string(n * 100) + ", T\r\n";
  }
  return testo;
}

// A train-run description with the given body.
inline std::string treno_con(const std::string& corpo) {
  return "[generale]\r\n" + corpo + "[fine]\r\n";
}

struct banco {
  scenario sc;
  tabelle t;
  diagnostica d;
  cartella_memoria c;

  banco() {
    linea(testo_di(righe_linea()));
    treno(testo_di(righe_treno()));
  }
  void linea(const std::string& testo) {
    c.file[nome_descrizione_linea(sc)] = testo;
  }
  void treno(const std::string& testo) {
    c.file[nome_descrizione_treno(sc)] = testo;
  }
  bool ha_linea() const { return c.esiste(nome_descrizione_linea(sc)); }
  bool ha_treno() const { return c.esiste(nome_descrizione_treno(sc)); }

  esito_compilazione compila(bool con_piano = true) {
    return memorizza_percorso(sc, c, c, con_piano, t, d);
  }
  // Only the reading, without the scan and the reserved values.
  void leggi(bool con_piano = true) { memorizza_dati(sc, c, t, d, con_piano); }

  // Only the line half of the reading.
  esito_linea leggi_linea(bool con_piano = true) {
    contesto_lettura x{sc, c, t, d};
    return memorizza_dati_linea(x, con_piano);
  }

  cella& cel(int i) { return t.celle.at(static_cast<std::size_t>(i)); }
  stazione& rec(int i) { return t.stazioni.at(static_cast<std::size_t>(i)); }
};

#endif  // TESTS_BANCO_H_
