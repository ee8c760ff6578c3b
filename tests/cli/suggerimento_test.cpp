// "Did you mean": edit distances and the name suggested.
#include "cli/suggerimento.h"

#include <gtest/gtest.h>

namespace {

TEST(Suggerimento, DistanzaDiModifica) {
  struct caso {
    const char* a;
    const char* b;
    std::size_t distanza;
  };
  const caso casi[] = {
      {"", "", 0},
      {"", "new", 3},
      {"compile", "compile", 0},
      {"compil", "compile", 1},    // one letter missing
      {"compilee", "compile", 1},  // one too many
      {"compule", "compile", 1},   // one replaced
      {"reprot", "report", 1},     // two neighbours swapped
      {"COMPILE", "compile", 0},   // case does not count
      {"check", "inspect", 5},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(distanza_modifica(c.a, c.b), c.distanza);
    EXPECT_EQ(distanza_modifica(c.b, c.a), c.distanza);
  }
}

TEST(Suggerimento, NomeVicino) {
  const std::vector<std::string> nomi = {
      "compile", "check", "inspect", "report", "new", "decompile", "copy"};
  struct caso {
    const char* dato;
    const char* vicino;
  };
  const caso casi[] = {
      {"compil", "compile"}, {"cmopile", "compile"},
      {"chekc", "check"},    {"nw", "new"},
      {"insp", "inspect"},                // the only name it begins
      {"de", "decompile"},   {"co", ""},  // begins two names
      {"newer", ""},  // two edits from a name of three letters
      {"rapporto", ""},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.dato);
    EXPECT_EQ(nome_vicino(c.dato, nomi), c.vicino);
  }
}

}  // namespace
