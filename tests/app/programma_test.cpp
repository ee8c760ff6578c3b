// The program as a user starts it: from any current directory, in a folder whose path has blanks,
// in a folder that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> file_compagni = {
    "Valdora_Cesina_KT52806_note.txt", "Valdora_Cesina_KT52806_rallentamenti.txt",
    "Valdora_Cesina_KT52806_scheda_treno.txt"};

// Copies the program into `cartella` and returns the path of the copy.
std::string installa_programma(const fs::path& cartella) {
  const fs::path copia = cartella / "scenario_builder";
  fs::copy_file(PROGRAMMA, copia, fs::copy_options::overwrite_existing);
  return copia.string();
}

TEST(Programma, ScriveAccantoAlProprioEseguibileOvunqueSiaAvviato) {
  cartella_temporanea radice(" con spazi");
  const fs::path cartella = radice.percorso() / "cartella del programma";
  fs::create_directories(cartella);
  const std::string programma = installa_programma(cartella);
  cartella_temporanea altrove;

  std::string errori;
  const int uscita =
      esegui("cd '" + altrove.percorso().string() + "' && '" + programma + "'", nullptr, &errori);

  EXPECT_EQ(uscita, 0) << errori;
  EXPECT_EQ(errori.rfind("Attendere\n", 0), 0u);
  for (const std::string& nome : file_compagni) EXPECT_TRUE(fs::exists(cartella / nome)) << nome;
  EXPECT_TRUE(fs::is_empty(altrove.percorso()));
}

TEST(Programma, CartellaDiSolaLetturaFermaIlProgrammaSenzaFilePariali) {
  // A read-only folder for root too: a read-only tmpfs in a private mount namespace.
  if (esegui("unshare -m true") != 0) GTEST_SKIP() << "no private mount namespace here";
  cartella_temporanea radice;
  const fs::path cartella = radice.percorso() / "sola lettura";
  fs::create_directories(cartella);
  const std::string vecchio = "vecchia descrizione\r\n";
  const std::string c = "'" + cartella.string() + "'";
  const std::string script = "set -e\nmount -t tmpfs tmpfs " + c + "\ncp '" PROGRAMMA "' " + c +
                             "/\nprintf 'vecchia descrizione\\r\\n' > " + c +
                             "/Valdora_Cesina_linea.txt\nmount -o remount,ro " + c +
                             "\nset +e\n" + c + "/scenario_builder\necho \"uscita=$?\"\nls -A " + c +
                             "\ncat " + c + "/Valdora_Cesina_linea.txt\n";
  scrivi_tutto(radice / "prova.sh", script);
  std::string uscita, errori;
  ASSERT_EQ(esegui("unshare -m sh '" + (radice / "prova.sh") + "'", &uscita, &errori), 0) << errori;

  EXPECT_NE(uscita.find("uscita=3\n"), std::string::npos) << uscita;
  EXPECT_NE(errori.find(cartella.string() + "/Valdora_Cesina_linea.txt: Read-only file system"),
            std::string::npos)
      << errori;
  // Nothing but the program and the older file, which is unchanged.
  EXPECT_NE(uscita.find("Valdora_Cesina_linea.txt\nscenario_builder\n" + vecchio),
            std::string::npos)
      << uscita;
}

}  // namespace
