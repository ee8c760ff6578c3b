// The records of the binary files, encoded through their field tables.
#include "tables/formato.h"

#include <gtest/gtest.h>

#include "esadecimale.h"

namespace {

TEST(Codifica, CellaConIndicatoreDiVelocita) {
  cella c;
  c.tipo = cella_indicatore_vmax;
  c.dato1 = 1919;
  c.dato2 = 2020;
  c.dato3 = 2121;
  c.velocita = 30;
  c.pendenza = 100;
  c.aderenza = 100;
  std::string d;
  codifica_cella(d, c);
  EXPECT_EQ(esadecimale(d), "06 7F 07 E4 07 49 08 00 00 00 00 00 1E 64 64");
}

TEST(Codifica, RecordDiStazioneLavis) {
  stazione lavis;
  lavis.tipo = 12;
  lavis.inizio = 45750;
  lavis.fine = 46250;
  lavis.posizione = 46000;
  lavis.nome = "Lavis";
  lavis.campo7 = 1;
  lavis.campo8 = 1;
  lavis.campo10 = 4;
  lavis.campo11 = 1;
  lavis.campo12 = 1;
  std::string d;
  codifica_stazione(d, lavis);
  EXPECT_EQ(esadecimale(d),
            "0C B6 B2 00 00 AA B4 00 00 B0 B3 00 00 00 05 00 4C 61 76 69 73 01 "
            "00 01 00 04 00 "
            "01 00 01 00 00 00 00 00 00 00 00 00");
}

}  // namespace
