// The reference of the description languages, docs/descriptions.md, against
// the program: every example in it compiles with no fault and no warning,
// every keyword has one, and its worked example is the starter scenario.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "aiuti.h"
#include "platform/cp1252.h"
#include "reading/parole_chiave.h"
#include "commands/scenario_iniziale.h"

namespace {

// A fenced block marked "linea" or "treno", with the name that pairs it.
struct esempio {
  std::string lingua;  // "linea" or "treno"
  std::string nome;    // empty for a block on its own
  int riga;            // line of the opening fence in the reference
  std::vector<std::string> righe;
};

std::vector<esempio> esempi_del_riferimento() {
  std::istringstream riferimento(
      leggi_tutto(std::string(CARTELLA_DOCUMENTI) + "/descriptions.md"));
  std::vector<esempio> esempi;
  std::string riga;
  esempio* aperto = nullptr;
  for (int numero = 1; std::getline(riferimento, riga); ++numero) {
    if (aperto != nullptr) {
      if (riga == "```") {
        aperto = nullptr;
      } else {
        aperto->righe.push_back(riga);
      }
      continue;
    }
    if (riga.rfind("```", 0) != 0) continue;
    std::istringstream informazioni(riga.substr(3));
    esempio e{"", "", numero, {}};
    informazioni >> e.lingua >> e.nome;
    if (e.lingua != "linea" && e.lingua != "treno") continue;
    esempi.push_back(e);
    aperto = &esempi.back();
  }
  return esempi;
}

bool intero(const esempio& e) {
  for (const std::string& riga : e.righe) {
    if (riga.find("[generale]") != std::string::npos) return true;
  }
  return false;
}

// The block as a file: Windows-1252, CR LF; a part of a main part goes into
// the frame that the reference describes.
std::string file_di(const esempio& e) {
  std::string testo;
  if (!intero(e)) {
    testo = e.lingua == "linea"
                ? "[generale]\r\nlunghezza percorso,    20000\r\n[pendenze]\r\n"
                : "[generale]\r\n";
  }
  for (const std::string& riga : e.righe) {
    std::string cp1252;
    EXPECT_TRUE(utf8_a_cp1252(riga, cp1252)) << riga;
    testo += cp1252 + "\r\n";
  }
  if (!intero(e)) testo += "[fine]\r\n";
  return testo;
}

// The description that goes with a block compiled on its own: a line of
// 20,000 m that holds nothing else, a train run that holds nothing.
const std::map<std::string, std::string> compagni = {
    {"linea", "[generale]\r\nlunghezza percorso,    20000\r\n[fine]\r\n"},
    {"treno", "[generale]\r\n[fine]\r\n"}};

std::string utf8_di(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += cp1252_a_utf8(riga) + "\n";
  return testo;
}

TEST(Riferimento, OgniEsempioSiCompilaSenzaErroriNeAvvisi) {
  const std::vector<esempio> esempi = esempi_del_riferimento();
  ASSERT_FALSE(esempi.empty());
  std::map<std::string, std::map<std::string, std::string>> coppie;
  for (const esempio& e : esempi) {
    if (!e.nome.empty()) {
      coppie[e.nome][e.lingua] = file_di(e);
      continue;
    }
    const std::string altra = e.lingua == "linea" ? "treno" : "linea";
    coppie["riga " + std::to_string(e.riga)] = {{e.lingua, file_di(e)},
                                                {altra, compagni.at(altra)}};
  }
  for (const auto& [nome, file] : coppie) {
    SCOPED_TRACE("descriptions.md, " + nome);
    ASSERT_EQ(file.size(), 2u) << "a named example needs both descriptions";
    cartella_temporanea cartella;
    scrivi_tutto(cartella / "l.txt", file.at("linea"));
    scrivi_tutto(cartella / "t.txt", file.at("treno"));
    std::string errori;
    EXPECT_EQ(controlla_descrizioni(cartella / "l.txt", cartella / "t.txt",
                                    nullptr, &errori),
              0);
    EXPECT_EQ(errori, "");
  }
}

TEST(Riferimento, OgniParolaChiaveHaUnEsempio) {
  std::vector<std::string> parole;
  for (const esempio& e : esempi_del_riferimento()) {
    for (const std::string& riga : e.righe) {
      std::string cp1252;
      utf8_a_cp1252(riga.substr(0, riga.find(',')), cp1252);
      parole.push_back(cp1252);
    }
  }
  for (int k = static_cast<int>(parola::lunghezza_percorso);
       k <= static_cast<int>(parola::stazione); ++k) {
    const auto p = static_cast<parola>(k);
    const bool trovata =
        std::any_of(parole.begin(), parole.end(),
                    [p](const std::string& w) { return riconosce(p, w); });
    EXPECT_TRUE(trovata) << "no example for the keyword tested by \""
                         << prove_di(p).prima << "\"";
  }
}

TEST(Riferimento, LEsempioSvoltoELoScenarioIniziale) {
  std::map<std::string, std::string> esempio_svolto;
  for (const esempio& e : esempi_del_riferimento()) {
    if (e.nome != "esempio") continue;
    for (const std::string& riga : e.righe)
      esempio_svolto[e.lingua] += riga + "\n";
  }
  EXPECT_EQ(esempio_svolto["linea"], utf8_di(righe_linea_iniziale()));
  EXPECT_EQ(esempio_svolto["treno"], utf8_di(righe_treno_iniziale()));
}

}  // namespace
