// The train-run reading: the builder's own description, every fault code with
// what survives it, station areas and the placing of signals and slowdowns.
#include <gtest/gtest.h>

#include <functional>

#include "banco.h"

namespace {

std::string stazione_riga(int posizione, int tipo, int lunghezza,
                          const std::string& nome = "S", int campo6 = 0,
                          int campo5 = 0) {
  return "stazione, " + std::to_string(posizione) + ", " +
         std::to_string(tipo) + ", " + std::to_string(lunghezza) + ", 0, " +
         std::to_string(campo5) + ", " + std::to_string(campo6) +
         ", 1,1,0, 4,1,1, 0, 0,0,0, " + nome + "\r\n";
}

TEST(LetturaTreno, DescrizioneDelCostruttore) {
  banco b;
  b.leggi();
  EXPECT_EQ(b.d.codice_errore, 0);
  EXPECT_FALSE(b.ha_treno());
  const std::tuple<int, int, int> velocita[] = {
      {0, 13, 11},      {14, 27, 21},   {28, 330, 30},  {331, 369, 25},
      {370, 635, 30},   {636, 782, 28}, {783, 834, 25}, {835, 1058, 28},
      {1059, 1377, 15}, {1378, 1380, 0}};
  for (auto [da, a, valore] : velocita) {
    for (int i = da; i <= a; ++i) ASSERT_EQ(b.cel(i).velocita, valore) << i;
  }
  for (int i = 0; i <= 1380; ++i)
    ASSERT_EQ(b.cel(i).aderenza, i <= 1377 ? 100 : 0) << i;

  const stazione& bolzano = b.rec(1);
  EXPECT_EQ(bolzano.nome, "BOLZANO / BOZEN");
  EXPECT_EQ(std::make_tuple(bolzano.inizio, bolzano.fine, bolzano.orario,
                            bolzano.campo13),
            std::make_tuple(-500, 500, 35820, 1));
  EXPECT_EQ(std::make_pair(b.cel(9).tipo, b.cel(9).dato1),
            std::make_pair(uint8_t{10}, int16_t{1}));
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(b.cel(9 - k).avvicinamento, 80 + k);
  const stazione& bivio = b.rec(2);
  EXPECT_EQ(std::make_tuple(bivio.tipo, bivio.inizio, bivio.fine),
            std::make_tuple(27, 1500, 1700));
  EXPECT_EQ(b.cel(33).tipo, 0);
  EXPECT_EQ(b.rec(7).nome, "Magr\xE8/ Magreid");
  EXPECT_EQ(b.rec(12).orario, 37860);
  EXPECT_EQ(b.rec(13), stazione{});
  // "Lavis": record 10, stop cell 924, approach marks 81 to 84 in cells 923
  // down to 920.
  EXPECT_EQ(std::make_tuple(b.rec(10).tipo, b.rec(10).inizio, b.rec(10).fine),
            std::make_tuple(12, 45750, 46250));
  EXPECT_EQ(std::make_pair(b.cel(924).tipo, b.cel(924).dato1),
            std::make_pair(uint8_t{10}, int16_t{10}));
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(b.cel(924 - k).avvicinamento, 80 + k);
  // The signal at 7100 m.
  const cella& segnale = b.cel(143);
  EXPECT_EQ(std::make_tuple(segnale.tipo, segnale.dato1, segnale.dato2,
                            segnale.dato3, segnale.dato4, segnale.tempo),
            std::make_tuple(1, 42, 0, 0, 8, 0));
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(b.cel(143 - 2 * k).avvicinamento, 80 + k);
  EXPECT_EQ(std::make_tuple(b.rec(84).inizio, b.rec(84).posizione),
            std::make_tuple(130, 12));
  EXPECT_EQ(std::make_tuple(b.rec(86).campo7, b.rec(86).campo10,
                            b.rec(86).campo11, b.rec(86).campo12),
            std::make_tuple(300, 9, 56, 20));
}

struct caso_errore {
  const char* nome;
  std::string treno;  // "<nessuno>": no train-run description
  int32_t codice;
  int32_t posizione;  // 777: left as it was
  bool fine_lettura;  // the end of reading ran: the profiles reach cell N - 3
  std::function<void(banco&)> controlla = nullptr;
  std::string linea =
      linea_con("");  // L = 3000: N = 200, the range check passes up to 9900
};

// Tests print the case by its name.
void PrintTo(const caso_errore& c, std::ostream* uscita) { *uscita << c.nome; }

class ErroriTreno : public ::testing::TestWithParam<caso_errore> {};

TEST_P(ErroriTreno, CodiceEQuelloCheResta) {
  const caso_errore& c = GetParam();
  banco b;
  b.linea(c.linea);
  if (c.treno == "<nessuno>") {
    b.c.file.erase(nome_descrizione_treno(b.sc));
  } else {
    b.treno(treno_con("aderenza, 0, 90\r\nvelocita, 0, 100\r\n" + c.treno));
  }
  b.d.posizione_errore = 777;
  b.leggi();
  EXPECT_EQ(b.d.codice_errore, c.codice);
  EXPECT_EQ(b.d.posizione_errore, c.posizione);
  EXPECT_FALSE(b.ha_treno());
  EXPECT_FALSE(b.ha_linea());
  EXPECT_EQ(b.cel(197).aderenza == 90, c.fine_lettura);
  if (c.controlla) c.controlla(b);
}

INSTANTIATE_TEST_SUITE_P(
    Codici, ErroriTreno,
    ::testing::Values(
        caso_errore{"senza_errori", stazione_riga(1000, 12, 200), 0, 777, true},
        caso_errore{"7_abbattimento_su_cella_occupata",
                    "abbattimento, 500, 1\r\nabbattimento, 500, 2\r\n", 7, 500, false,
                    [](banco& b) {
                      EXPECT_EQ(b.cel(10).tipo, cella_codice_velocita);
                      EXPECT_EQ(b.cel(10).dato1, 1);
                    }},
        caso_errore{"abbattimento_senza_valore", "abbattimento, 500, 0\r\n", 0, 777, true,
                    [](banco& b) { EXPECT_EQ(b.cel(10).tipo, cella_codice_senza_valore); }},
        caso_errore{"8_stazione_non_multipla_di_50", stazione_riga(1025, 12, 200), 8, 1025, false,
                    [](banco& b) { EXPECT_EQ(b.rec(1).posizione, 1025); }},
        caso_errore{"9_lunghezza_non_multipla_di_100", stazione_riga(1000, 12, 250), 9, 1000,
                    false},
        caso_errore{"10_stazioni_raggiungono_i_cartelli",
                    stazione_riga(1000, 12, 200) + stazione_riga(2000, 12, 200, "Seconda"), 10,
                    777, false,
                    [](banco& b) {
                      EXPECT_EQ(b.rec(4).nome, "T");  // the boards end at record 4
                      EXPECT_EQ(b.rec(3), stazione{});
                      EXPECT_EQ(b.rec(2).nome, "Seconda");  // stored whole
                    },
                    linea_con(cartelli(77))},
        caso_errore{"15_velocita_oltre_la_tabella", "velocita, 9901, 50\r\nsabbia, 7\r\n", 15,
                    9901, true,
                    [](banco& b) {
                      EXPECT_EQ(b.rec(86).campo7, 0);
                      EXPECT_EQ(b.cel(197).velocita, 20);
                    }},
        caso_errore{"15_stazione_oltre_la_tabella", stazione_riga(9250, 12, 200), 15, 9250, true},
        caso_errore{"2_sostituisce_15", "velocita, 9901, 50\r\n", 2, 9901, true, nullptr,
                    "[generale]\r\nlunghezza percorso, 3000\r\nprogressiva chilometrica uno, 0, "
                    "150325, 0\r\n[curve]\r\n[fine]\r\n"},
        caso_errore{"16_segnale_su_cella_occupata",
                    "segnale, 1000, 1,4,0,0,0,1,3,0,0,0\r\nsegnale, 1000, 1,4,0,0,0,1,3,0,0,0\r\n",
                    16, 1000, false},
        caso_errore{"17_cella_di_avviso_occupata",
                    "abbattimento, 3850, 1\r\nrallentamento, 5000, 60, 500, 0, 0, 0\r\n", 17, 5000,
                    false, [](banco& b) { EXPECT_EQ(b.cel(101).tipo, 0); }},
        caso_errore{"18_cella_di_inizio_occupata",
                    "segnale, 1000, 1,4,0,0,0,1,3,0,0,0\r\nrallentamento, 1000, 60, 500, 0, 0, 0\r\n",
                    18, 1000, false},
        caso_errore{"19_cella_di_fine_occupata",
                    "segnale, 1500, 1,4,0,0,0,1,3,0,0,0\r\nrallentamento, 1000, 60, 500, 0, 0, 0\r\n",
                    19, 1000, false},
        caso_errore{"20_celle_prima_dell_avviso",
                    "abbattimento, 3650, 1\r\nrallentamento, 5000, 60, 500, 7, 1, 0\r\n", 20, 5000,
                    false,
                    [](banco& b) {
                      // Start, end and warning cells stay written.
                      EXPECT_EQ(b.cel(101).tipo, cella_inizio_rallentamento);
                      EXPECT_EQ(b.cel(111).tipo, cella_fine_rallentamento);
                      EXPECT_EQ(b.cel(77).tipo, cella_avviso_rallentamento);
                      EXPECT_EQ(b.cel(76).tipo, 0);
                    }},
        caso_errore{"22_stazione_a_300_m", stazione_riga(1000, 12, 200) + stazione_riga(1500, 12, 200),
                    22, 1500, false},
        caso_errore{"stazione_a_350_m", stazione_riga(1000, 12, 200) + stazione_riga(1550, 12, 200),
                    0, 777, true},
        caso_errore{"24_stazione_senza_posto_per_la_fermata", stazione_riga(0, 12, 200), 24, 777,
                    false},
        caso_errore{"25_descrizione_mancante", "<nessuno>", 25, 777, false,
                    [](banco& b) { EXPECT_EQ(b.cel(5).velocita, 0); }},
        caso_errore{"25_sabbia_oltre_16_bit", "sabbia, 40000\r\n", 25, 777, false},
        caso_errore{"25_tipo_di_stazione_256", stazione_riga(1000, 256, 200), 25, 777, false},
        caso_errore{"tipo_di_stazione_0", stazione_riga(1000, 0, 200), 0, 777, true,
                    [](banco& b) { EXPECT_EQ(b.cel(21).tipo, cella_fermata); }},
        caso_errore{"25_velocita_oltre_un_byte", "velocita, 100, 1280\r\nvelocita, 500, 0\r\n", 25,
                    777, false},
        caso_errore{"25_orario_oltre_32_bit",
                    "stazione, 1000, 12, 200, 0,0,0, 1,1,0, 4,1,1, 0, 999999, 0, 0, X\r\n", 25,
                    777, false},
        caso_errore{"15_segnale_prima_della_cella_0", "segnale, -100, 1,4,0,0,0,1,3,0,0,0\r\n", 15,
                    -100, true},
        caso_errore{"15_fine_del_rallentamento_oltre", "rallentamento, 1000, 60, 99999, 0,0,0\r\n",
                    15, 1000, true, [](banco& b) { EXPECT_EQ(b.cel(21).tipo, 0); }},
        caso_errore{"15_fermata_oltre_la_tabella", stazione_riga(9000, 12, 2400), 15, 9000, true,
                    [](banco& b) {
                      // The approach marks inside the table are written first.
                      EXPECT_EQ(b.cel(199).avvicinamento, 84);
                      EXPECT_EQ(b.cel(200).avvicinamento, 83);
                    }},
        caso_errore{"15_della_linea_poi_primo_segnale",
                    "segnale, 1000, 1,4,0,0,0,1,3,0,0,0\r\nsegnale, 2000, 1,4,0,0,0,1,3,0,0,0\r\n",
                    15, 1000, false,
                    [](banco& b) {
                      EXPECT_EQ(b.cel(21).tipo, cella_segnale);
                      EXPECT_EQ(b.cel(41).tipo, 0);
                    },
                    linea_con("pendenza, 9999, 0\r\n")}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LetturaTreno, SenzaGeneraleSoloLaFineDellaLettura) {
  banco b;
  b.linea(linea_con(""));
  b.treno(
      "velocita, 0, 50\r\nstazione, 1000, 12, 200, 0,0,0, 1,1,0, 4,1,1, 0, "
      "0,0,0, X\r\n");
  b.leggi();
  EXPECT_EQ(b.d.codice_errore, 0);
  EXPECT_EQ(b.rec(1), stazione{});
  EXPECT_EQ(b.cel(0).velocita, 0);
  EXPECT_FALSE(b.ha_treno());
}

TEST(LetturaTreno, AreeDelleStazioni) {
  struct caso {
    const char* nome;
    std::string righe;
    int record;
    int32_t inizio, fine;
    int fermata;  // stop cell, or -1
    bool marche;  // approach marks before it
    uint8_t campo5, campo6;
  };
  const caso casi[] = {
      {"tipo_7", stazione_riga(1000, 12, 200) + stazione_riga(5000, 7, 300), 2,
       4700, 5300, 105, true, 0, 0},
      {"tipo_5", stazione_riga(1000, 12, 200) + stazione_riga(5000, 5, 300), 2,
       4700, 5150, 102, false, 0, 0},
      {"campo6_allunga",
       stazione_riga(1000, 12, 200) + stazione_riga(8000, 12, 700, "S", 1, 3),
       2, 7650, 8400, 167, true, 3, 1},
      {"campo5_azzerato_sotto_600_m",
       stazione_riga(1000, 12, 200) + stazione_riga(8000, 12, 500, "S", 0, 3),
       2, 7750, 8250, 164, true, 0, 0},
      {"prima_stazione_allunga_poi_zero",
       stazione_riga(8000, 12, 700, "S", 1, 3), 1, 7650, 8400, 167, true, 0, 0},
      {"tipo_27_senza_celle", stazione_riga(8000, 27, 200), 1, 7900, 8100, -1,
       false, 0, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    banco b;
    b.linea(linea_con(""));
    b.treno(treno_con(c.righe));
    b.leggi();
    EXPECT_EQ(b.d.codice_errore, 0);
    const stazione& r = b.rec(c.record);
    EXPECT_EQ(std::make_tuple(r.inizio, r.fine, r.campo5, r.campo6),
              std::make_tuple(c.inizio, c.fine, c.campo5, c.campo6));
    int fermate = 0, marche = 0;
    for (int i = 30; i <= 200; ++i) {
      if (b.cel(i).tipo == cella_fermata) {
        ++fermate;
        EXPECT_EQ(i, c.fermata);
      }
      if (b.cel(i).avvicinamento != 0) ++marche;
    }
    EXPECT_EQ(fermate, c.fermata < 0 ? 0 : 1);
    EXPECT_EQ(marche, c.marche ? 4 : 0);
    if (c.marche) {
      EXPECT_EQ(b.cel(c.fermata - 1).avvicinamento, 81);
    }
  }
}

TEST(LetturaTreno, SegnaliERallentamenti) {
  banco b;
  b.linea(linea_con(""));
  b.treno(treno_con(
      "segnale, 4000, 2, 4, 1, 0, 3, 2, 2, 1, 0, 50\r\n"  // tempo 50 becomes
                                                          // 101
      "segnale, 250, 1, 4, 0, 0, 0, 1, 3, 0, 0, 7\r\n"    // marks before cell 0
                                                          // are skipped
      "rallentamento, 6000, 60, 1000, 7, 1, 9\r\n"
      "velocita, 100, 55\r\nvelocita, 100, 105\r\nvelocita, 300, 150\r\n"));
  b.leggi();
  ASSERT_EQ(b.d.codice_errore, 0);
  const cella& s = b.cel(81);
  EXPECT_EQ(
      std::make_tuple(s.tipo, s.dato1, s.dato2, s.dato3, s.dato4, s.tempo),
      std::make_tuple(1, 42, 11, 0, 38, 101));
  EXPECT_EQ(b.cel(79).avvicinamento, 81);
  EXPECT_EQ(b.cel(73).avvicinamento, 84);
  EXPECT_EQ(b.cel(6).tempo, 0);  // sx is not 2
  EXPECT_EQ(b.cel(4).avvicinamento, 41);
  EXPECT_EQ(b.cel(0).avvicinamento, 43);
  // Slowdown: warning 1200 m before, start, end; four cells before the warning
  // cell.
  const cella& avviso = b.cel(97);
  EXPECT_EQ(std::make_tuple(avviso.tipo, avviso.dato1, avviso.dato2),
            std::make_tuple(4, 60, 9));
  for (int i : {121, 141}) {
    EXPECT_EQ(std::make_tuple(b.cel(i).dato1, b.cel(i).dato2, b.cel(i).dato3),
              std::make_tuple(60, 9, 7));
  }
  EXPECT_EQ(b.cel(121).tipo, cella_inizio_rallentamento);
  EXPECT_EQ(b.cel(141).tipo, cella_fine_rallentamento);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(std::make_tuple(b.cel(96 - k).tipo, b.cel(96 - k).dato1,
                              b.cel(96 - k).dato2),
              std::make_tuple(5, k + 1, k + 1));
  }
  // Two speed lines at the same position: the second still sets one cell to the
  // speed before it. Nothing is in force before the first line.
  EXPECT_EQ(b.cel(1).velocita, 0);
  EXPECT_EQ(b.cel(2).velocita, 11);
  EXPECT_EQ(b.cel(3).velocita, 21);
  EXPECT_EQ(b.cel(5).velocita, 21);
  EXPECT_EQ(b.cel(6).velocita, 30);
}

}  // namespace
