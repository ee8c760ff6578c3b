// The binary files: their sizes and first bytes, which files a build writes
// and which it leaves alone.
#include "compiler/uscita_binaria.h"

#include <gtest/gtest.h>

#include <sstream>

#include "banco.h"
#include "cli/rapporto.h"
#include "esadecimale.h"
#include "tables/formato.h"
#include "tables/piano_steso.h"

namespace {

TEST(FileBinari, PercorsoDi62000Metri) {
  banco b;
  ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
  const std::string& a = b.c.file.at("Valdora_Cesina_linea.dat");
  const std::string& sim = b.c.file.at("Valdora_Cesina_KT52806.sim");
  const std::string& dat = b.c.file.at("Valdora_Cesina_KT52806.dat");
  EXPECT_EQ(a.size(), 1379964u);
  EXPECT_EQ(dat.size(), 20715u);
  EXPECT_EQ(b.c.scritti,
            (std::vector<std::string>{"Valdora_Cesina_linea.dat",
                                      "Valdora_Cesina_KT52806.sim",
                                      "Valdora_Cesina_KT52806.dat"}));
  EXPECT_EQ(esadecimale(a.substr(0, 18)),
            "02 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 00 00");
  const std::size_t meta = a.size() / 2;
  EXPECT_EQ(esadecimale(a.substr(meta, 18)),
            "02 00 00 00 02 00 01 00 05 00 00 00 00 00 00 00 00 40");
  EXPECT_EQ(esadecimale(a.substr(meta - 4, 4)),
            "00 00 00 00");  // metres E - 1 and E are Empty
  // Cell 1: the reserved 5121 and the competition code 2341.
  EXPECT_EQ(esadecimale(dat.substr(15, 5)), "00 01 14 25 09");
  // 87 records: 34 bytes each plus their names.
  std::size_t nomi = 0;
  for (const stazione& r : b.t.stazioni) nomi += r.nome.size();
  EXPECT_EQ(sim.size(), 87 * 34 + nomi);
}

// The plan's file, written a block at a time (by a second thread on a long
// route), holds what the whole plan encodes to, axis after axis.
TEST(FileBinari, PianoScrittoABlocchiComeIntero) {
  for (const int metri : {3000, 62000, 150000}) {
    SCOPED_TRACE(metri);
    banco b;
    b.linea("[generale]\r\nlunghezza percorso, " + std::to_string(metri) +
            "\r\n[curve]\r\ncurvas1, 1000, 400\r\ncurvad3, 2500, 300\r\n"
            "[fine]\r\n");
    ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
    const coordinate_piano intero = coordinate_del_piano(b.t.piano);
    std::string atteso;
    for (int asse = 0; asse < 2; ++asse)
      codifica_asse(atteso, intero, asse, 0, intero.ultimo_metro());
    EXPECT_TRUE(b.c.file.at("Valdora_Cesina_linea.dat") == atteso);
  }
}

TEST(FileBinari, SenzaPianoNessunFileAEQuelloVecchioResta) {
  banco b;
  b.c.file["Valdora_Cesina_linea.dat"] = "vecchio";
  ASSERT_EQ(b.compila(0).tipo, esito_compilazione::completata);
  EXPECT_EQ(b.c.file.at("Valdora_Cesina_linea.dat"), "vecchio");
  EXPECT_EQ(b.c.scritti,
            (std::vector<std::string>{"Valdora_Cesina_KT52806.sim",
                                      "Valdora_Cesina_KT52806.dat"}));
  EXPECT_FALSE(b.t.piano.presente());
}

TEST(FileBinari, ErroriFataliNonScrivonoNessunFile) {
  struct caso {
    const char* treno;
    const char* codice;
  };
  const caso casi[] = {
      // A slowdown that starts at metre 0 puts its speed into cell 1.
      {"rallentamento, 0, 60, 100, 0, 0, 0\r\n", "1250"},
      // A signal at metre 0 with a second value only: cell 1 has dato2 but no
      // dato1.
      {"segnale, 0, 1, 0, 0, 0, 0, 0, 0, 5, 0, 0\r\n", "1251"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.codice);
    banco b;
    b.treno(treno_con(c.treno));
    const esito_compilazione esito = b.compila();
    EXPECT_EQ(esito.tipo, esito_compilazione::fatale);
    EXPECT_EQ(esito.codice, c.codice);
    EXPECT_TRUE(b.c.scritti.empty());
    std::ostringstream errori;
    EXPECT_EQ(concludi(b.d, esito, {"l", "t"}, errori), 2);
    EXPECT_EQ(errori.str(), std::string(" Errore n. ") + c.codice + "\n");
  }
}

TEST(FileBinari, SenzaTabellaDelleCelleNessunFile) {
  banco b;
  b.linea("[generale]\r\nlunghezza percorso, 2000000\r\n[fine]\r\n");
  const esito_compilazione esito = b.compila();
  EXPECT_EQ(esito.tipo, esito_compilazione::senza_tabella);
  EXPECT_TRUE(b.c.scritti.empty());
  std::ostringstream errori;
  EXPECT_EQ(concludi(b.d, esito, {"linea.txt", "treno.txt"}, errori), 1);
  EXPECT_EQ(
      errori.str(),
      "linea.txt:2:1: errore 1: lunghezza percorso: lunghezza percorso fuori "
      "dai limiti (da 0 a 1000000 m)\n");
}

}  // namespace
