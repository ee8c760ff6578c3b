// The review for false alarms of the warnings of meaning: the limits in force
// (a slowdown above them, a speed board that the train's own limit hides) and
// an empty [stazioni]. None may fire on the scenarios written as meant: the
// fixtures, the default scenario, the starter of `new` and the short scenario
// of the fuzz targets (whose train runs at 60 km/h past its first board for
// 200 m, and takes the board's speeds before the next one).
#include <gtest/gtest.h>

#include "aiuti.h"
#include "banco.h"
#include "commands/scenario_iniziale.h"
#include "fuzz/brevi.h"
#include "validation/controllo.h"

namespace {

struct coppia {
  const char* nome;
  std::string linea;
  std::string treno;
};

std::vector<problema> problemi_di(const coppia& c) {
  banco b;
  b.linea(c.linea);
  b.treno(c.treno);
  const testi_descrizioni testi{c.linea, c.treno};
  const esito_compilazione esito =
      compila_tabelle(b.sc, b.c, /*con_piano=*/true, b.t, b.d);
  const ingresso_controllo in{b.sc, testi, testi, false, true};
  return controlla_descrizioni(in, b.t, b.d, esito);
}

TEST(FalsiAllarmi, NessunAvvisoDiSignificatoSugliScenariScrittiComeVoluti) {
  const coppia coppie[] = {
      {"piccola", leggi_tutto(fixture("piccola/linea.txt")),
       leggi_tutto(fixture("piccola/treno.txt"))},
      {"predefinito", leggi_tutto(fixture("attesi/linea.txt")),
       leggi_tutto(fixture("attesi/treno.txt"))},
      {"errate", leggi_tutto(fixture("piccola/linea.txt")),
       leggi_tutto(fixture("errate/treno.txt"))},
      {"iniziale", testo_di(righe_linea_iniziale()),
       testo_di(righe_treno_iniziale())},
      {"breve", linea_breve(), treno_breve()},
  };
  const char* regole[] = {"above the train's own limit",
                          "above every speed of the speed board",
                          "[stazioni] holds no stazione line"};
  for (const coppia& c : coppie) {
    const std::vector<problema> problemi = problemi_di(c);
    for (const problema& p : problemi)
      for (const char* regola : regole)
        EXPECT_EQ(p.testo.formato.find(regola), std::string::npos)
            << c.nome << ", line " << p.riga << ": " << p.testo.formato;
  }
}

// The same review can fail: the default scenario with its raise to 150 km/h
// at 18500 m left out hides the board that stands there (140, 150, 150 km/h)
// up to the next one, at 30200 m.
TEST(FalsiAllarmi, IlPredefinitoSenzaUnAumentoNascondeIlSuoCartello) {
  std::string treno = leggi_tutto(fixture("attesi/treno.txt"));
  const std::string aumento = "velocita,   18500,   150\r\n";
  const std::size_t dove = treno.find(aumento);
  ASSERT_NE(dove, std::string::npos);
  treno.erase(dove, aumento.size());
  const std::vector<problema> problemi =
      problemi_di({"", leggi_tutto(fixture("attesi/linea.txt")), treno});
  ASSERT_EQ(problemi.size(), 1u);
  EXPECT_EQ(problemi[0].fonte, fonte_lettura::descrizione_linea);
  EXPECT_EQ(problemi[0].riga, 43);
  EXPECT_EQ(problemi[0].metro, 18500);
  EXPECT_NE(problemi[0].testo.formato.find("all along the stretch"),
            std::string::npos);
}

}  // namespace
