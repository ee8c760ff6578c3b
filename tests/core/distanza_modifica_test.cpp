// The one edit distance and the one threshold of every "did you mean": two
// neighbours swapped count as one slip.
#include "core/distanza_modifica.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DistanzaModifica, DueVicineScambiateSonoUnaModifica) {
  struct caso {
    const char* a;
    const char* b;
    std::size_t distanza;
  };
  const caso casi[] = {
      {"ab", "ba", 1},
      {"pendneza", "pendenza", 1},
      {"stazoine", "stazione", 1},
      {"--jsno", "--json", 1},
      {"STAZOINE", "stazione", 1},  // case does not count, swapped or not
      {"abc", "ca", 3},             // a swap is of neighbours only
      {"segnael", "segnale", 1},    // at the end
      {"esgnale", "segnale", 1},    // at the start
      {"sengael", "segnale", 2},    // two swaps
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(distanza_modifica(c.a, c.b), c.distanza);
    EXPECT_EQ(distanza_modifica(c.b, c.a), c.distanza);
  }
}

TEST(DistanzaModifica, UnaModificaFinoASeiCaratteriDueDaSette) {
  struct caso {
    const char* dato;
    std::size_t distanza;
    bool vicina;
  };
  const caso casi[] = {
      {"nw", 1, true},       {"chekc", 1, true},     {"chekcc", 2, false},
      {"segnal", 1, true},   {"sgenal", 2, false},   {"segnaell", 2, true},
      {"stazoine", 2, true}, {"stazoine", 3, false}, {"", 0, true},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.dato) + " " + std::to_string(c.distanza));
    EXPECT_EQ(abbastanza_vicina(c.dato, c.distanza), c.vicina);
  }
}

}  // namespace
