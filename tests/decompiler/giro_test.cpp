// The round trip on whole scenarios: the builder's own descriptions and the
// small fixture, compiled, decompiled and compiled again, give the same three
// files byte for byte, and the decompiler reports nothing.
#include "giro.h"

#include <gtest/gtest.h>

#include <sstream>

#include "aiuti.h"
#include "generatore.h"
#include "line/dati_linea.h"
#include "reading/parole_chiave.h"
#include "cli/lingua.h"
#include "train_run/dati_treno.h"

namespace {

std::string racconta(const giro& g) {
  std::ostringstream testo;
  testo << prima_differenza(g.primo, g.secondo);
  for (const voce_inspiegata& v : g.decompilata.inspiegate)
    testo << "inspiegata " << static_cast<int>(v.dove) << " " << v.indice
          << ": " << testo_di(v.trovato) << " -> " << testo_di(v.piu_vicina)
          << "\n";
  for (const std::string& r : g.decompilata.righe_linea) testo << r << "\n";
  for (const std::string& r : g.decompilata.righe_treno) testo << r << "\n";
  return testo.str();
}

std::vector<std::string> righe_fixture(const std::string& nome) {
  std::vector<std::string> righe = righe_crlf(leggi_tutto(fixture(nome)));
  if (!righe.empty() && righe.back().empty()) righe.pop_back();
  return righe;
}

TEST(Giro, CostruzionePredefinita) {
  const giro g = giro_completo(righe_linea(), righe_treno());
  ASSERT_TRUE(g.primo.senza_errori());
  EXPECT_TRUE(g.decompilata.inspiegate.empty()) << racconta(g);
  EXPECT_TRUE(g.secondo.senza_errori()) << racconta(g);
  EXPECT_TRUE(g.stessi_byte()) << racconta(g);
}

TEST(Giro, FixturePiccolaConESenzaPiano) {
  for (bool con_piano : {true, false}) {
    const giro g = giro_completo(righe_fixture("piccola/linea.txt"),
                                 righe_fixture("piccola/treno.txt"),
                                 "Valdora_Cesina", "KT52806", con_piano);
    ASSERT_TRUE(g.primo.senza_errori());
    EXPECT_EQ(g.decompilata.con_piano, con_piano);
    EXPECT_TRUE(g.decompilata.inspiegate.empty()) << racconta(g);
    EXPECT_TRUE(g.secondo.senza_errori()) << racconta(g);
    EXPECT_TRUE(g.stessi_byte()) << racconta(g);
  }
}

}  // namespace

namespace {

// Tables that no description compiles to: each edit is reported at its cell
// or record.
TEST(Giro, TabelleModificateAManoSonoSegnalate) {
  struct modifica {
    const char* nome;
    void (*cambia)(compilazione&);
    voce_inspiegata::tabella dove;
    int32_t indice;
  };
  const modifica modifiche[] = {
      {"tipo_sconosciuto", [](compilazione& c) { c.celle[40].tipo = 7; },
       voce_inspiegata::tabella::celle, 40},
      {"codice_di_gara", [](compilazione& c) { c.celle[1].dato2 += 1; },
       voce_inspiegata::tabella::celle, 1},
      {"segno_di_avvicinamento_orfano",
       [](compilazione& c) { c.celle[300].avvicinamento = 77; },
       voce_inspiegata::tabella::celle, 300},
      {"fermata_di_un_altro_record",
       [](compilazione& c) { c.celle[9].dato1 = 5; },
       voce_inspiegata::tabella::celle, 9},
      {"valore_riservato", [](compilazione& c) { c.stazioni[85].campo7 = 611; },
       voce_inspiegata::tabella::stazioni, 85},
      {"punto_del_piano",
       [](compilazione& c) { c.piano.poni_doppio(5000, 0, c.piano.x(5000) + 1e-9); },
       voce_inspiegata::tabella::piano, 5000},
  };
  const compilazione originale = compila(righe_linea(), righe_treno());
  for (const modifica& m : modifiche) {
    compilazione c = originale;
    m.cambia(c);
    const esito_decompilazione d = decompila_tabelle(c);
    bool trovata = false;
    for (const voce_inspiegata& v : d.inspiegate)
      trovata |= v.dove == m.dove && v.indice == m.indice;
    EXPECT_TRUE(trovata) << m.nome;
  }
}

}  // namespace

namespace {

// A comment line is one field with "-" and no keyword in it, so that the
// reader drops it, and would not take it for a line even as a third comment.
TEST(Giro, CommentiSenzaParoleChiave) {
  std::vector<std::string> righe;
  for (uint64_t seme = 1; seme <= 20; ++seme) {
    const scenario_casuale s = genera_scenario(seme);
    const compilazione c =
        compila(s.linea, s.treno, s.nome_linea, s.nome_treno, s.con_piano);
    if (!c.scritta) continue;
    const esito_decompilazione d = decompila_tabelle(c);
    righe.insert(righe.end(), d.righe_linea.begin(), d.righe_linea.end());
    righe.insert(righe.end(), d.righe_treno.begin(), d.righe_treno.end());
  }
  for (const std::string& r : righe) {
    if (r.rfind("- ", 0) != 0) continue;
    EXPECT_EQ(r.find(','), std::string::npos) << r;
    for (int p = 0; p <= static_cast<int>(parola::stazione); ++p)
      EXPECT_FALSE(riconosce(static_cast<parola>(p), r)) << r;
  }
}

}  // namespace
