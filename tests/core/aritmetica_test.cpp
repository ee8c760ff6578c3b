// Long arithmetic that refuses what does not fit 32 bits, and the rounding of
// real numbers halves to even.
#include "core/aritmetica.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Aritmetica, Arrotondamento) {
  const std::pair<double, double> casi[] = {
      {212.5, 212}, {213.5, 214}, {0.5, 0}, {1.5, 2},
      {-0.5, 0},    {-1.5, -2},   {2.4, 2}, {2.6, 3}};
  for (auto [x, atteso] : casi) EXPECT_EQ(arrotonda(x), atteso) << x;
}

TEST(Aritmetica, RisultatiOltre32BitRifiutati) {
  constexpr int32_t massimo = std::numeric_limits<int32_t>::max();
  constexpr int32_t minimo = std::numeric_limits<int32_t>::min();
  struct caso {
    const char* nome;
    bool (*operazione)(int32_t, int32_t, int32_t&);
    int32_t a, b;
    bool entra;
    int32_t atteso;
  };
  const caso casi[] = {
      {"somma", somma_32, 2000000000, 147483647, true, massimo},
      {"somma_oltre", somma_32, 2000000000, 147483648, false, 7},
      {"somma_sotto", somma_32, minimo, -1, false, 7},
      {"differenza", differenza_32, -2147483000, 648, true, minimo},
      {"differenza_oltre", differenza_32, 0, minimo, false, 7},
      {"prodotto", prodotto_32, 35791394, 60, true, 2147483640},
      {"prodotto_oltre", prodotto_32, 35791395, 60, false, 7},
      {"prodotto_negativo", prodotto_32, -1073741824, 2, true, minimo},
  };
  for (const caso& c : casi) {
    int32_t risultato = 7;
    EXPECT_EQ(c.operazione(c.a, c.b, risultato), c.entra) << c.nome;
    // A refused result leaves the target as it was.
    EXPECT_EQ(risultato, c.atteso) << c.nome;
  }
}

}  // namespace
