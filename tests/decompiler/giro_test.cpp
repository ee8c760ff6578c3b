// The round trip on whole scenarios: the builder's own descriptions and the
// small fixture, compiled, decompiled and compiled again, give the same three
// files byte for byte, and the decompiler reports nothing.
#include "giro.h"

#include <gtest/gtest.h>

#include <sstream>

#include "aiuti.h"
#include "line/dati_linea.h"
#include "train_run/dati_treno.h"

namespace {

std::string racconta(const giro& g) {
  std::ostringstream testo;
  testo << prima_differenza(g.primo, g.secondo);
  for (const voce_inspiegata& v : g.decompilata.inspiegate)
    testo << "inspiegata " << static_cast<int>(v.dove) << " " << v.indice
          << ": " << v.trovato << " -> " << v.piu_vicina << "\n";
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
