// `cmake --install` puts the program, its manual pages (English and
// Italian), its bash completion, its Italian catalogue and the reference of
// the descriptions under a prefix, and the program installed there runs and
// finds its catalogue.
#include <gtest/gtest.h>

#include <filesystem>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

TEST(Installazione, ProgrammaManualeECompletamentoSottoUnPrefisso) {
  cartella_temporanea prefisso(" con spazi");
  const std::string p = prefisso.percorso().string();
  std::string errori;
  ASSERT_EQ(esegui("'" + std::string(COMANDO_CMAKE) + "' --install '" +
                       CARTELLA_COSTRUZIONE + "' --prefix '" + p + "'",
                   nullptr, &errori),
            0)
      << errori;
  EXPECT_TRUE(fs::is_regular_file(prefisso / "bin/scenario_builder"));
  EXPECT_EQ(leggi_tutto(prefisso / "share/man/man1/scenario_builder.1"),
            leggi_tutto(PAGINA_MANUALE));
  EXPECT_EQ(leggi_tutto(prefisso / "share/man/it/man1/scenario_builder.1"),
            leggi_tutto(PAGINA_MANUALE_IT));
  EXPECT_TRUE(fs::is_regular_file(
      prefisso / "share/locale/it/LC_MESSAGES/scenario_builder.mo"));
  EXPECT_EQ(leggi_tutto(prefisso /
                        "share/bash-completion/completions/scenario_builder"),
            leggi_tutto(COMPLETAMENTO_BASH));
  EXPECT_EQ(
      leggi_tutto(prefisso / "share/doc/scenario_builder/descriptions.md"),
      leggi_tutto(std::string(CARTELLA_DOCUMENTI) + "/descriptions.md"));
  std::string versione;
  EXPECT_EQ(esegui("'" + prefisso / "bin/scenario_builder" + "' --version",
                   &versione),
            0);
  EXPECT_EQ(versione,
            std::string("scenario_builder ") + VERSIONE_PROGRAMMA + "\n");
  // The tests run under it_IT.UTF-8: the installed program speaks Italian
  // from the catalogue beside it.
  std::string aiuto;
  EXPECT_EQ(
      esegui("'" + prefisso / "bin/scenario_builder" + "' --help", &aiuto), 0);
  EXPECT_NE(aiuto.find("\nUso: scenario_builder [OPZIONI] COMANDO\n"),
            std::string::npos)
      << aiuto;
}

}  // namespace
