// The binary files: exact bytes of the encoder and of the records, file sizes,
// which files a build writes and which it leaves alone.
#include "compiler/uscita_binaria.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/costruzione.h"
#include "banco.h"
#include "compiler/codifica.h"

namespace {

std::string esadecimale(const std::string& byte) {
  std::string testo;
  char cifre[4];
  for (unsigned char b : byte) {
    std::snprintf(cifre, sizeof cifre, "%02X ", b);
    testo += cifre;
  }
  if (!testo.empty()) testo.pop_back();
  return testo;
}

TEST(Codifica, ByteEsattiLittleEndian) {
  struct caso {
    const char* nome;
    std::function<void(std::string&)> scrivi;
    const char* attesi;
  };
  const caso casi[] = {
      {"byte", [](std::string& d) { metti_byte(d, 0xAB); }, "AB"},
      {"intero_5121", [](std::string& d) { metti_intero(d, 5121); }, "01 14"},
      {"intero_negativo", [](std::string& d) { metti_intero(d, -2); }, "FE FF"},
      {"long_46250", [](std::string& d) { metti_long(d, 46250); },
       "AA B4 00 00"},
      {"long_minimo", [](std::string& d) { metti_long(d, INT32_MIN); },
       "00 00 00 80"},
      {"doppio_2", [](std::string& d) { metti_doppio(d, 2.0); },
       "00 00 00 00 00 00 00 40"},
      {"doppio_negativo", [](std::string& d) { metti_doppio(d, -0.003); },
       "FA 7E 6A BC 74 93 68 BF"},
      {"testo", [](std::string& d) { metti_testo(d, "Magr\xE8"); },
       "05 00 4D 61 67 72 E8"},
      {"testo_vuoto", [](std::string& d) { metti_testo(d, ""); }, "00 00"},
  };
  for (const caso& c : casi) {
    std::string d;
    c.scrivi(d);
    EXPECT_EQ(esadecimale(d), c.attesi) << c.nome;
  }
}

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
  for (const stazione& r : b.s.stazioni) nomi += r.nome.size();
  EXPECT_EQ(sim.size(), 87 * 34 + nomi);
}

TEST(FileBinari, SenzaPianoNessunFileAEQuelloVecchioResta) {
  banco b;
  b.c.file["Valdora_Cesina_linea.dat"] = "vecchio";
  ASSERT_EQ(b.compila(0).tipo, esito_compilazione::completata);
  EXPECT_EQ(b.c.file.at("Valdora_Cesina_linea.dat"), "vecchio");
  EXPECT_EQ(b.c.scritti,
            (std::vector<std::string>{"Valdora_Cesina_KT52806.sim",
                                      "Valdora_Cesina_KT52806.dat"}));
  EXPECT_FALSE(b.s.planimetria.presente());
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
    EXPECT_EQ(concludi(b.s, esito, {"l", "t"}, errori), 2);
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
  EXPECT_EQ(concludi(b.s, esito, {"linea.txt", "treno.txt"}, errori), 1);
  EXPECT_EQ(
      errori.str(),
      "linea.txt:2: lunghezza percorso: errore 1: lunghezza percorso fuori "
      "dai limiti (da 0 a 1000000 m)\n");
}

}  // namespace
