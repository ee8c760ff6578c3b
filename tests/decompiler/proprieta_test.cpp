// The round-trip property over random fault-free scenarios: compile,
// decompile, compile again, the same three files. A fixed seed and a bounded
// count keep it quick; DECOMPILA_SECONDI=n runs it for n seconds instead, and
// DECOMPILA_SEME=s starts from seed s.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "generatore.h"
#include "giro.h"
#include "cli/lingua.h"

namespace {

constexpr uint64_t primo_seme = 20240614;
constexpr int scenari_predefiniti = 300;

std::string racconta_scenario(uint64_t seme, const scenario_casuale& s,
                              const giro& g) {
  std::ostringstream testo;
  testo << "seme " << seme << "\n" << prima_differenza(g.primo, g.secondo);
  for (const voce_inspiegata& v : g.decompilata.inspiegate)
    testo << "inspiegata " << static_cast<int>(v.dove) << " " << v.indice
          << ": " << testo_di(v.trovato) << " -> " << testo_di(v.piu_vicina)
          << "\n";
  testo << "--- linea\n";
  for (const std::string& r : s.linea) testo << r << "\n";
  testo << "--- treno\n";
  for (const std::string& r : s.treno) testo << r << "\n";
  testo << "--- decompilate\n";
  for (const std::string& r : g.decompilata.righe_linea) testo << r << "\n";
  for (const std::string& r : g.decompilata.righe_treno) testo << r << "\n";
  return testo.str();
}

TEST(Proprieta, GiroSuScenariCasuali) {
  const char* secondi = std::getenv("DECOMPILA_SECONDI");
  const auto limite = std::chrono::steady_clock::now() +
                      std::chrono::seconds(secondi ? std::atoi(secondi) : 0);
  const char* seme_dato = std::getenv("DECOMPILA_SEME");
  const uint64_t primo =
      seme_dato ? std::strtoull(seme_dato, nullptr, 10) : primo_seme;
  int provati = 0, validi = 0;
  for (uint64_t seme = primo;; ++seme) {
    if (secondi ? std::chrono::steady_clock::now() > limite
                : provati >= scenari_predefiniti)
      break;
    ++provati;
    const scenario_casuale s = genera_scenario(seme);
    const giro g = giro_completo(s.linea, s.treno, s.nome_linea, s.nome_treno,
                                 s.con_piano);
    if (!g.primo.senza_errori()) continue;
    ++validi;
    const bool ok = g.decompilata.inspiegate.empty() &&
                    g.secondo.senza_errori() && g.stessi_byte();
    ASSERT_TRUE(ok) << racconta_scenario(seme, s, g);
  }
  std::cout << provati << " scenari, " << validi << " senza errori\n";
  // Most generated scenarios must compile without a fault, or the property
  // says little.
  EXPECT_GE(validi * 10, provati * 8);
}

}  // namespace
