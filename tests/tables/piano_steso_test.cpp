// The plan laid a block at a time holds, at every metre and in whatever order
// the metres are asked for, the element that laying it whole gives: seeded or
// not, curves across the blocks' edges, an Empty tail not laid.
#include "tables/piano_steso.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>

namespace {

piano_steso piano(int32_t ultimo, bool seminato, int32_t raggiunto,
                  std::vector<tratto_steso> tratti) {
  piano_steso p;
  p.crea(ultimo);
  p.seminato = seminato;
  p.raggiunto = raggiunto;
  p.tratti = std::move(tratti);
  return p;
}

TEST(PianoSteso, ABlocchiComeIntero) {
  const piano_steso casi[] = {
      piano(0, true, 1, {}),
      piano(1023, true, 1024, {{500, 0.0}, {1023, 1e-3}}),
      piano(1024, true, 1025, {{1020, 0.0}, {1030, -2e-3}}),
      piano(5000, true, 3000, {{1000, 0.0}, {2047, 1.5e-3}, {3000, 0.0}}),
      piano(3000, false, 2, {}),
      piano(70000, true, 70001,
            {{1023, 0.0}, {1025, 2e-3}, {40000, -1e-4}, {70000, 0.0}}),
  };
  std::mt19937 caso(7);
  for (const piano_steso& p : casi) {
    SCOPED_TRACE(p.ultimo_metro);
    const coordinate_piano intero = coordinate_del_piano(p);
    const coordinate_piano a_blocchi = coordinate_a_blocchi(p);
    ASSERT_EQ(a_blocchi.ultimo_metro(), intero.ultimo_metro());
    std::vector<int32_t> metri(static_cast<std::size_t>(p.ultimo_metro + 1));
    for (std::size_t m = 0; m < metri.size(); ++m)
      metri[m] = static_cast<int32_t>(m);
    // In order, then a few thousand at random.
    for (std::size_t quanti : {metri.size(), std::size_t{3000}}) {
      for (int32_t m : std::span(metri).first(std::min(quanti, metri.size()))) {
        for (int asse = 0; asse < 2; ++asse) {
          ASSERT_EQ(a_blocchi.tipo(asse, m), intero.tipo(asse, m)) << m;
          ASSERT_EQ(a_blocchi.valore(asse, m), intero.valore(asse, m)) << m;
        }
      }
      std::shuffle(metri.begin(), metri.end(), caso);
    }
  }
  EXPECT_FALSE(coordinate_a_blocchi(piano_steso{}).presente());
}

}  // namespace
