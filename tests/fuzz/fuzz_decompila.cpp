// The round-trip property under the fuzzer: its bytes seed the generator of
// random scenarios, on short routes so that a run costs little (the tests
// take longer ones); every one that compiles with no fault must come back
// through the decompiler and the compiler with the same three files.
//
// The round trip of tests/decompiler/giro.h, with the files in a folder that
// keeps its room from one input to the next and compares the second
// compilation's files with the first's as they are written
// (cartella_confronto.h): the same checks, without the fresh memory of two
// plans' files an input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cartella_confronto.h"
#include "compiler/memorizza_percorso.h"
#include "decompiler/decompila.h"
#include "decompiler/generatore.h"
#include "tables/piano_steso.h"

namespace {

scenario con_nomi(const std::string& linea, const std::string& treno) {
  scenario sc;
  sc.nome_linea = sc.radice_linea = linea;
  sc.nome_treno = sc.radice_treno = treno;
  return sc;
}

void unisci(const std::vector<std::string>& righe, std::string& testo) {
  for (const std::string& riga : righe) testo.append(riga).append("\r\n");
}

// Compiles the descriptions given to the folder; true when the files are
// written with no fault recorded.
bool compila_senza_errori(const scenario& sc, cartella_confronto& c,
                          bool con_piano, tabelle& t) {
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, c, c, con_piano, t, d);
  return esito.tipo == esito_compilazione::completata && d.codice_errore == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  uint64_t seme = 1469598103934665603ull;  // FNV-1a over the bytes
  for (std::size_t i = 0; i < quanti; ++i)
    seme = (seme ^ dati[i]) * 1099511628211ull;
  const scenario_casuale s = genera_scenario_breve(seme);
  static cartella_confronto cartella;  // its room only: cleared for each input
  const scenario primo = con_nomi(s.nome_linea, s.nome_treno);
  cartella.prepara(primo, false);
  unisci(s.linea, cartella.linea());
  unisci(s.treno, cartella.treno());
  tabelle t;
  if (!compila_senza_errori(primo, cartella, s.con_piano, t)) return 0;
  const coordinate_piano piano = coordinate_del_piano(t.piano);
  const esito_decompilazione e =
      decompila(t.celle, t.stazioni, piano.presente() ? &piano : nullptr);
  if (!e.inspiegate.empty()) std::abort();
  const scenario secondo = con_nomi(e.nome_linea, e.nome_treno);
  cartella.prepara(secondo, true);
  unisci(e.righe_linea, cartella.linea());
  unisci(e.righe_treno, cartella.treno());
  tabelle t2;
  if (!compila_senza_errori(secondo, cartella, e.con_piano, t2) ||
      !cartella.stessi_byte())
    std::abort();
  return 0;
}
