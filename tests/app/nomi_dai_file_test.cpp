// The names that `new` puts into the descriptions' file names, taken by the
// commands that read them: the rule on its own, then `compile` and `check`
// with the files of a starter scenario named otherwise than the defaults.
#include "cli/nomi_dai_file.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "aiuti.h"
#include "banco.h"

namespace {

struct caso_nomi {
  const char* linea;
  const char* treno;
  const char* nome_linea;  // nullptr: no names from these files
  const char* codice_treno;
};

TEST(NomiDaiFile, SoloLaFormaCheScriveNew) {
  const caso_nomi casi[] = {
      {"av/Alta_Valle_linea.txt", "av/Alta_Valle_R101.txt", "Alta_Valle",
       "R101"},
      {"Alta_Valle_linea.txt", "altrove/Alta_Valle_R_1.txt", "Alta_Valle",
       "R_1"},
      // decompile's train run: compiled with the names it says.
      {"Altra_linea.txt", "Altra_T1-.txt", nullptr, nullptr},
      {"linea.txt", "treno.txt", nullptr, nullptr},
      {"A_linea.txt", "A_linea.txt", nullptr, nullptr},
      {"_linea.txt", "_T.txt", nullptr, nullptr},
      {"A_linea.txt", "B_T.txt", nullptr, nullptr},
      {"A_linea.txt", "A_.txt", nullptr, nullptr},
      {"A_linea.txt", "A_T.TXT", nullptr, nullptr},
  };
  for (const caso_nomi& c : casi) {
    const auto nomi = nomi_dai_file(c.linea, c.treno);
    if (c.nome_linea == nullptr) {
      EXPECT_FALSE(nomi.has_value()) << c.linea << " " << c.treno;
      continue;
    }
    ASSERT_TRUE(nomi.has_value()) << c.linea << " " << c.treno;
    EXPECT_EQ(nomi->linea, c.nome_linea);
    EXPECT_EQ(nomi->treno, c.codice_treno);
  }
}

TEST(NomiDaiFile, UnNomeDatoResta) {
  std::string linea = "Valdora_Cesina", treno = "KT52806";
  EXPECT_EQ(scegli_nomi_dai_file("Alta_Valle_linea.txt", "Alta_Valle_R101.txt",
                                 /*linea_data=*/true, false, linea, treno),
            "nomi dai nomi dei file: nome della linea Valdora_Cesina, codice "
            "del treno R101");
  EXPECT_EQ(linea, "Valdora_Cesina");
  EXPECT_EQ(treno, "R101");
  // The defaults from the files: nothing to say.
  EXPECT_EQ(scegli_nomi_dai_file("Valdora_Cesina_linea.txt",
                                 "Valdora_Cesina_KT52806.txt", false, false,
                                 linea = "Valdora_Cesina", treno = "KT52806"),
            "");
}

TEST(NomiDaiFile, CompileECheckUsanoINomiDiNew) {
  cartella_temporanea cartella;
  std::string uscita, errori;
  ASSERT_EQ(strumenti({"new", cartella / "av", "--line-name", "Alta_Valle",
                       "--train-code", "R101"},
                      uscita, errori),
            0)
      << errori;
  const std::string linea = cartella / "av/Alta_Valle_linea.txt";
  const std::string treno = cartella / "av/Alta_Valle_R101.txt";
  const std::string detto =
      "nomi dai nomi dei file: nome della linea Alta_Valle, codice del treno "
      "R101\n";
  EXPECT_EQ(strumenti({"check", linea, treno}, uscita, errori), 0);
  EXPECT_EQ(errori, detto);
  EXPECT_EQ(strumenti({"compile", linea, treno, "--out", cartella / "out"},
                      uscita, errori),
            0);
  EXPECT_EQ(errori, detto);
  EXPECT_EQ(
      elenco(cartella / "out"),
      (std::vector<std::string>{"Alta_Valle_R101.dat", "Alta_Valle_R101.sim",
                                "Alta_Valle_linea.dat"}));
  // Names given win, and nothing is said.
  EXPECT_EQ(strumenti({"compile", linea, treno, "--out", cartella / "altro",
                       "--line-name", "X", "--train-code", "Y"},
                      uscita, errori),
            0);
  EXPECT_EQ(errori, "");
  EXPECT_EQ(elenco(cartella / "altro"),
            (std::vector<std::string>{"X_Y.dat", "X_Y.sim", "X_linea.dat"}));
}

// The review for false alarms: the fixtures and the default scenario's own
// descriptions give no problem, whatever the rules added for the common slips.
TEST(Sviste, NessunFalsoAllarmeSuFixtureEScenarioPredefinito) {
  for (const char* cartella : {"piccola", "attesi"}) {
    std::string uscita, errori;
    EXPECT_EQ(strumenti({"check", fixture(std::string(cartella) + "/linea.txt"),
                         fixture(std::string(cartella) + "/treno.txt")},
                        uscita, errori),
              0)
        << cartella;
    EXPECT_EQ(errori, "") << cartella;
    EXPECT_EQ(uscita, "nessun problema: 0 errori, 0 avvisi\n") << cartella;
  }
}

// A fault that stops the reading: what the compiled files lack, in --json
// too, beside the hint of the line as it should read.
TEST(Sviste, NonLettoInJson) {
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "l.txt",
               linea_con("pendenza, 0, 0\r\npendenza;   2000;   5\r\n"
                         "pendenza, 2500, 0\r\n"));
  scrivi_tutto(cartella / "t.txt", treno_con("velocita, 0, 100\r\n"));
  std::string uscita, errori;
  EXPECT_EQ(
      strumenti({"check", "--json", cartella / "l.txt", cartella / "t.txt"},
                uscita, errori),
      1);
  const auto j = nlohmann::json::parse(uscita);
  ASSERT_EQ(j["problemi"].size(), 1u) << uscita;
  EXPECT_EQ(j["problemi"][0]["suggerimento"], "pendenza, 2000, 5");
  EXPECT_EQ(j["problemi"][0]["non_letto"],
            "il compilatore smette di leggere questa descrizione qui: le righe "
            "da 5 a 7 (2 elementi) non sono nei file compilati; la corsa del "
            "treno non viene letta");
}

}  // namespace
