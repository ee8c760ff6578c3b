// `new`: the starter scenario that an author begins from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "aiuti.h"
#include "reading/parole_chiave.h"
#include "commands/scenario_iniziale.h"

namespace fs = std::filesystem;

namespace {

int nuovo(const std::string& argomenti, std::string* uscita = nullptr,
          std::string* errori = nullptr) {
  return esegui("'" + programma + "' new " + argomenti, uscita, errori);
}

TEST(Nuovo, ScriveUnoScenarioCheSiCompilaPulito) {
  cartella_temporanea radice;
  const std::string cartella = radice / "mio scenario";
  std::string scritto, errori;
  ASSERT_EQ(nuovo("'" + cartella + "'", &scritto, &errori), 0) << errori;
  const std::string linea = cartella + "/Valdora_Cesina_linea.txt";
  const std::string treno = cartella + "/Valdora_Cesina_KT52806.txt";
  EXPECT_EQ(scritto, linea + "\n" + treno + "\n");
  EXPECT_EQ(errori, "");
  for (const std::string& file : {linea, treno}) {
    SCOPED_TRACE(file);
    const std::string contenuto = leggi_tutto(file);
    // Every line ends in CR LF, the last one too; no LF alone.
    const std::vector<std::string> righe = righe_crlf(contenuto);
    EXPECT_EQ(righe.back(), "");
    EXPECT_EQ(std::count(contenuto.begin(), contenuto.end(), '\n'),
              static_cast<long>(righe.size()) - 1);
  }
  // Windows-1252: the one accented letter is one byte.
  EXPECT_NE(leggi_tutto(treno).find("Cesina Citt\xE0\r\n"), std::string::npos);
  std::string controllo;
  EXPECT_EQ(controlla_descrizioni(linea, treno, nullptr, &controllo), 0);
  EXPECT_EQ(controllo, "");
  cartella_temporanea uscita;
  EXPECT_EQ(esegui("'" + programma + "' compile '" + linea + "' '" + treno +
                       "' --strict --report --out '" +
                       uscita.percorso().string() + "'",
                   nullptr, &errori),
            0)
      << errori;
}

TEST(Nuovo, INomiDelloScenarioNominanoIFile) {
  cartella_temporanea radice;
  std::string scritto;
  ASSERT_EQ(nuovo("'" + radice.percorso().string() +
                      "' --line-name Alta_Valle --train-code R101",
                  &scritto),
            0);
  EXPECT_EQ(elenco(radice.percorso()),
            (std::vector<std::string>{"Alta_Valle_R101.txt",
                                      "Alta_Valle_linea.txt"}));
}

TEST(Nuovo, NonSovrascriveNulla) {
  struct caso {
    const char* nome;
    const char* esistente;
  };
  const caso casi[] = {
      {"linea", "Valdora_Cesina_linea.txt"},
      {"treno", "Valdora_Cesina_KT52806.txt"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea cartella;
    scrivi_tutto(cartella / c.esistente, "mio");
    std::string scritto, errori;
    EXPECT_EQ(
        nuovo("'" + cartella.percorso().string() + "'", &scritto, &errori), 3);
    EXPECT_EQ(scritto, "");
    EXPECT_NE(errori.find(cartella / c.esistente + ": esiste gi\xC3\xA0"),
              std::string::npos)
        << errori;
    EXPECT_EQ(elenco(cartella.percorso()),
              std::vector<std::string>{c.esistente});
    EXPECT_EQ(leggi_tutto(cartella / c.esistente), "mio");
  }
}

TEST(Nuovo, CartellaMancanteConGenitoreMancante) {
  cartella_temporanea radice;
  std::string errori;
  EXPECT_EQ(nuovo("'" + radice / "manca/scenario" + "'", nullptr, &errori), 3);
  EXPECT_NE(errori.find("manca/scenario"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(radice.percorso()));
}

// A comment holds no comma and no keyword: a clean compilation does not show
// a keyword in a dropped comment, which an author's added line would turn into
// a keyword line.
TEST(Nuovo, ICommentiNonContengonoParoleChiave) {
  for (const auto& righe : {righe_linea_iniziale(), righe_treno_iniziale()}) {
    for (const std::string& riga : righe) {
      if (riga.substr(0, riga.find(',')).find('-') == std::string::npos)
        continue;
      SCOPED_TRACE(riga);
      EXPECT_EQ(riga.find(','), std::string::npos);
      for (int k = 0; k <= static_cast<int>(parola::stazione); ++k)
        EXPECT_FALSE(riconosce(static_cast<parola>(k), riga));
    }
  }
}

}  // namespace
