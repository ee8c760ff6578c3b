// The folders of the sources depend one way: platform, core, tables, the shared
// reading, the two readers, compiler, documents, decompiler and validation, the
// command line's shared parts, the page, the commands, the front-ends that run
// beside them, app. A file may include from its own folder and from the folders
// below it, never from one above or from a sibling of the same level. The build
// already refuses such an include (each layer sees only the headers of the
// layers it links); this reads the text too, in every spelling of the path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, int> livelli = {
    {"platform", 0},   {"core", 1},       {"tables", 2},     {"reading", 3},
    {"line", 4},       {"train_run", 4},  {"compiler", 5},   {"documents", 6},
    {"decompiler", 6}, {"validation", 6}, {"formatting", 6}, {"cli", 7},
    {"page", 8},       {"commands", 9},   {"lsp", 10},       {"watch", 10},
    {"app", 11},
};

// The folder of a line `#include "folder/file.h"`, `#include <folder/file.h>`
// or `#include "../folder/file.h"`, or empty for any other line.
std::string cartella_inclusa(const std::string& riga) {
  std::size_t p = riga.find_first_not_of(" \t");
  if (p == std::string::npos || riga[p] != '#') return "";
  p = riga.find_first_not_of(" \t", p + 1);
  if (p == std::string::npos || riga.compare(p, 7, "include") != 0) return "";
  p = riga.find_first_not_of(" \t", p + 7);
  if (p == std::string::npos || (riga[p] != '"' && riga[p] != '<')) return "";
  ++p;
  while (riga.compare(p, 2, "./") == 0 || riga.compare(p, 3, "../") == 0) {
    p += riga[p + 1] == '/' ? 2 : 3;
  }
  const std::size_t barra = riga.find('/', p);
  if (barra == std::string::npos) return "";
  const std::string cartella = riga.substr(p, barra - p);
  const bool parola = !cartella.empty() &&
                      cartella.find_first_not_of(
                          "abcdefghijklmnopqrstuvwxyz_") == std::string::npos;
  return parola ? cartella : "";
}

TEST(Architettura, OgniFormaDellInclusioneDiceLaCartella) {
  const struct {
    const char* riga;
    const char* cartella;
  } casi[] = {
      {"#include \"cli/esiti.h\"", "cli"},
      {"#include <cli/esiti.h>", "cli"},
      {"#include \"../cli/esiti.h\"", "cli"},
      {"  #  include \"./../../page/pagina.h\"", "page"},
      {"#include <vector>", ""},
      {"#include \"esiti.h\"", ""},
      {"// #include \"cli/esiti.h\"", ""},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(cartella_inclusa(caso.riga), caso.cartella) << caso.riga;
  }
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
