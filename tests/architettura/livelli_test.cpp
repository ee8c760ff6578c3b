// The folders of the sources depend one way: platform, core, tables, the shared
// reading, the two readers, compiler, documents, tools, app. A file may include
// from its own folder and from the folders below it, never from one above or
// from a sibling of the same level.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, int> livelli = {
    {"platform", 0},   {"core", 1},       {"tables", 2},   {"reading", 3},
    {"line", 4},       {"train_run", 4},  {"compiler", 5}, {"documents", 6},
    {"decompiler", 6}, {"validation", 6}, {"tools", 7},    {"app", 8},
};

TEST(Architettura, OgniCartellaIncludeSoloDaiLivelliSotto) {
  const std::regex inclusione(R"(^\s*#\s*include\s+"([a-z_]+)/)");
  int file_letti = 0;
  for (const auto& voce : fs::recursive_directory_iterator(CARTELLA_SORGENTI)) {
    if (!voce.is_regular_file()) continue;
    const fs::path relativo = fs::relative(voce.path(), CARTELLA_SORGENTI);
    const std::string cartella = relativo.begin()->string();
    ASSERT_TRUE(livelli.count(cartella))
        << "cartella senza livello: " << cartella;
    std::ifstream ingresso(voce.path());
    std::string riga;
    int numero = 0;
    while (std::getline(ingresso, riga)) {
      ++numero;
      std::smatch trovato;
      if (!std::regex_search(riga, trovato, inclusione)) continue;
      const std::string inclusa = trovato[1];
      if (inclusa == cartella || !livelli.count(inclusa)) continue;
      EXPECT_LT(livelli.at(inclusa), livelli.at(cartella))
          << relativo.string() << ":" << numero << ": " << riga;
    }
    ++file_letti;
  }
  EXPECT_GT(file_letti, 0);
}

}  // namespace
