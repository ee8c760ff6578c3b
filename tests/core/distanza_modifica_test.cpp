// The one edit distance and the one threshold of every "did you mean": two
// neighbours swapped count as one slip.
#include "core/distanza_modifica.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// Within its limit the bounded distance is the distance; above it, any number
// above the limit, however far the words are (a long run of differences
// stops the rows early, a late match must not be missed).
TEST(DistanzaModifica, EntroIlLimiteLaStessaOltreSoloPiuGrande) {
  const std::pair<const char*, const char*> coppie[] = {
      {"ab", "ba"},
      {"pendneza", "pendenza"},
      {"sengael", "segnale"},
      {"abc", "ca"},
      {"xxxxstazione", "stazione"},
      {"stazionexxxx", "stazione"},
      {"zzzzzzzz", "stazione"},
      {"", "segnale"},
      {"cartello_indicatore", "indicatori_vmax"},
  };
  for (const auto& [a, b] : coppie) {
    for (std::size_t limite = 0; limite <= 4; ++limite) {
      SCOPED_TRACE(std::string(a) + " / " + b + " within " +
                   std::to_string(limite));
      for (const auto& [x, y] : {std::pair{a, b}, std::pair{b, a}}) {
        const std::size_t vera = distanza_modifica(x, y);
        const std::size_t entro = distanza_entro(x, y, limite);
        if (vera <= limite) {
          EXPECT_EQ(entro, vera);
        } else {
          EXPECT_GT(entro, limite);
        }
      }
    }
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
