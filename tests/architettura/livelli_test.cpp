// The folders of the sources depend one way: platform, core, tables, the shared
// reading, the two readers, compiler, documents, tools, app. A file may include
// from its own folder and from the folders below it, never from one above or
// from a sibling of the same level.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, int> livelli = {
    {"platform", 0},   {"core", 1},       {"tables", 2},   {"reading", 3},
    {"line", 4},       {"train_run", 4},  {"compiler", 5}, {"documents", 6},
    {"decompiler", 6}, {"validation", 6}, {"tools", 7},    {"app", 8},
};

// The folder of a line `#include "folder/file.h"`, or empty for any other
// line.
std::string cartella_inclusa(const std::string& riga) {
  std::size_t p = riga.find_first_not_of(" \t");
  if (p == std::string::npos || riga[p] != '#') return "";
  p = riga.find_first_not_of(" \t", p + 1);
  if (p == std::string::npos || riga.compare(p, 7, "include") != 0) return "";
  p = riga.find_first_not_of(" \t", p + 7);
  if (p == std::string::npos || riga[p] != '"') return "";
  const std::size_t barra = riga.find('/', p + 1);
  if (barra == std::string::npos) return "";
  const std::string cartella = riga.substr(p + 1, barra - p - 1);
  const bool parola = !cartella.empty() &&
                      cartella.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") ==
                          std::string::npos;
  return parola ? cartella : "";
}

TEST(Architettura, OgniCartellaIncludeSoloDaiLivelliSotto) {
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
      const std::string inclusa = cartella_inclusa(riga);
      if (inclusa.empty()) continue;
      if (inclusa == cartella || !livelli.count(inclusa)) continue;
      EXPECT_LT(livelli.at(inclusa), livelli.at(cartella))
          << relativo.string() << ":" << numero << ": " << riga;
    }
    ++file_letti;
  }
  EXPECT_GT(file_letti, 0);
}

}  // namespace
