// The command line as a user meets it: output folders and the paths printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

const std::string programma = PROGRAMMA;

std::string virgolette(const std::string& testo) { return "'" + testo + "'"; }

int programma_con(const std::string& argomenti, std::string* uscita = nullptr,
                  std::string* errori = nullptr) {
  return esegui(virgolette(programma) + " " + argomenti, uscita, errori);
}

std::string piccola() {
  return virgolette(fixture("piccola/linea.txt")) + " " +
         virgolette(fixture("piccola/treno.txt"));
}

TEST(RigaDiComando, CartellaDiUscita) {
  struct caso {
    const char* nome;
    std::function<void(const cartella_temporanea&)> prepara;
    const char* out;  // under the temporary folder
    int uscita;
    const char* messaggio;
  };
  const caso casi[] = {
      {"esistente",
       [](const cartella_temporanea& r) { fs::create_directory(r / "out"); },
       "out", 0, ""},
      {"creata", [](const cartella_temporanea&) {}, "out", 0, ""},
      {"genitore_mancante", [](const cartella_temporanea&) {}, "manca/out", 3,
       "manca/out: cartella di uscita non trovata"},
      {"un_file",
       [](const cartella_temporanea& r) { scrivi_tutto(r / "out", ""); }, "out",
       3, "out: non \xC3\xA8 una cartella"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea radice;
    c.prepara(radice);
    std::string errori;
    EXPECT_EQ(programma_con("compile " + piccola() + " --no-plan --out " +
                                virgolette(radice / c.out),
                            nullptr, &errori),
              c.uscita);
    EXPECT_NE(errori.find(c.messaggio), std::string::npos) << errori;
    if (c.uscita == 0) {
      EXPECT_EQ(elenco(radice / c.out).size(), 2u);
    }
  }
}

TEST(RigaDiComando, PercorsiSenzaSeparatoriDoppi) {
  cartella_temporanea radice;
  std::string scritto, errori;
  ASSERT_EQ(esegui("cd " + virgolette(radice.percorso().string()) + " && " +
                       virgolette(programma) + " compile " + piccola() +
                       " --report --out out//",
                   &scritto, &errori),
            0)
      << errori;
  EXPECT_EQ(scritto,
            "out/Valdora_Cesina_linea.dat\nout/Valdora_Cesina_KT52806.sim\n"
            "out/Valdora_Cesina_KT52806.dat\n"
            "out/Valdora_Cesina_KT52806_report.html\n");
  ASSERT_EQ(esegui("cd " + virgolette(radice.percorso().string()) + " && " +
                       virgolette(programma) + " report out/",
                   &scritto, &errori),
            0)
      << errori;
  EXPECT_EQ(scritto, "out/Valdora_Cesina_KT52806_report.html\n");
}

}  // namespace
