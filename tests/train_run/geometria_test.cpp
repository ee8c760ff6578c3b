// Where train-run items land: the boundaries the compiler and the checker
// share.
#include "train_run/geometria.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometria, RallentamentoConAvvisoSoloOltreIl1500) {
  struct caso {
    int64_t inizio, lunghezza;
    bool con_avviso;
    int64_t avviso, cella_inizio, cella_fine, prima_dell_avviso;
  };
  const caso casi[] = {
      {1500, 500, false, 7, 31, 41, 6},
      {1550, 500, true, 8, 32, 42, 7},
      {5000, 1000, true, 77, 101, 121, 76},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.inizio);
    const celle_rallentamento r =
        celle_del_rallentamento(c.inizio, c.lunghezza);
    EXPECT_EQ(r.con_avviso, c.con_avviso);
    EXPECT_EQ(r.avviso, c.avviso);
    EXPECT_EQ(r.inizio, c.cella_inizio);
    EXPECT_EQ(r.fine, c.cella_fine);
    EXPECT_EQ(r.prima_dell_avviso, c.prima_dell_avviso);
  }
}

TEST(Geometria, AreaDiStazionePerTipo) {
  struct caso {
    int64_t tipo, lunghezza;
    bool coda;
    int64_t inizio, fine;
  };
  const caso casi[] = {
      {5, 300, true, 9700, 10150},   {6, 300, false, 9700, 10150},
      {7, 300, true, 9700, 10300},   {8, 200, false, 9800, 10200},
      {12, 500, false, 9750, 10250}, {12, 500, true, 9750, 10300},
      {1, 150, false, 9925, 10075},  // half of 150 is 75
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.tipo);
    const area_stazione a =
        area_della_stazione(10000, c.tipo, c.lunghezza, c.coda);
    EXPECT_EQ(a.inizio, c.inizio);
    EXPECT_EQ(a.fine, c.fine);
  }
}

TEST(Geometria, CellaDiFermata) {
  EXPECT_FALSE(ha_fermata(100));  // 100 / 50 - 1 is 1: no cell past cell 1
  EXPECT_TRUE(ha_fermata(101));
  EXPECT_EQ(cella_della_fermata(500), 9);
  EXPECT_EQ(cella_della_fermata(46250), 924);
  EXPECT_EQ(quoto_avvicinamento(500, 4), 5);
}

TEST(Geometria, MezzanotteOltreMezzaGiornata) {
  EXPECT_FALSE(passa_la_mezzanotte(28800, 28800));  // the same time
  EXPECT_FALSE(passa_la_mezzanotte(50400, 7200));   // exactly half a day
  EXPECT_TRUE(passa_la_mezzanotte(50401, 7200));
  EXPECT_FALSE(passa_la_mezzanotte(7200, 80000));  // later in the day
}

}  // namespace
