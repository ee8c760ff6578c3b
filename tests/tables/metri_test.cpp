// The one rule between metres and cells: halves go to the even cell, and the
// two anchors are one cell apart.
#include "tables/metri.h"

#include <gtest/gtest.h>

namespace {

TEST(Metri, MetriInCelleAMetaVersoIlPari) {
  struct caso {
    double metri;
    int64_t tratto;  // round(P / 50)
    int64_t punto;   // round(P / 50 + 1)
  };
  const caso casi[] = {
      {0, 0, 1},   {24, 0, 1},   {25, 0, 2},   // 0.5 and 1.5
      {26, 1, 2},  {50, 1, 2},   {75, 2, 2},   // 1.5 and 2.5
      {125, 2, 4}, {175, 4, 4},  {100, 2, 3},  // 2.5, 3.5; 3.5, 4.5
      {-25, 0, 0}, {-75, -2, 0}, {7100, 142, 143}, {1000025, 20000, 20002},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.metri);
    EXPECT_EQ(cella_del_metro(c.metri, aggancio::tratto), c.tratto);
    EXPECT_EQ(cella_del_metro(c.metri, aggancio::punto), c.punto);
  }
}

TEST(Metri, CellaInMetriEIndietro) {
  const std::tuple<int64_t, int64_t, int64_t> casi[] = {
      // cell, metre of a stretch, metre of a point item
      {0, 0, -50},
      {1, 50, 0},
      {143, 7150, 7100},
      {20000, 1000000, 999950}};
  for (auto [cella, tratto, punto] : casi) {
    SCOPED_TRACE(cella);
    EXPECT_EQ(metro_della_cella(cella, aggancio::tratto), tratto);
    EXPECT_EQ(metro_della_cella(cella, aggancio::punto), punto);
    EXPECT_EQ(cella_del_metro(static_cast<double>(tratto), aggancio::tratto),
              cella);
    EXPECT_EQ(cella_del_metro(static_cast<double>(punto), aggancio::punto),
              cella);
  }
}

TEST(Metri, SoloLeCelleDiCodiceSonoTratti) {
  for (int tipo = 0; tipo < 256; ++tipo) {
    const bool codice =
        tipo == cella_codice_velocita || tipo == cella_codice_senza_valore;
    EXPECT_EQ(aggancio_del_tipo(static_cast<uint8_t>(tipo)),
              codice ? aggancio::tratto : aggancio::punto)
        << tipo;
  }
}

}  // namespace
