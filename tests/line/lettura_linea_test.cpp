// The line reading: the builder's own description, every fault code with what
// survives it, and the rules of tunnels, progressions and comment fields.
#include "line/lettura_linea.h"

#include <gtest/gtest.h>

#include <functional>

#include "tables/piano_steso.h"
#include "banco.h"
#include "line/elementi_linea.h"

namespace {

// The cells i to j (inclusive) of one profile field all hold `valore`.
template <typename Campo>
void profilo_uguale(banco& b, int da, int a, Campo campo, int valore) {
  for (int i = da; i <= a; ++i)
    ASSERT_EQ(b.cel(i).*campo, valore) << "cella " << i;
}

TEST(LetturaLinea, DescrizioneDelCostruttore) {
  banco b;
  const esito_linea letta = b.leggi_linea();
  EXPECT_EQ(letta.esito, esito_lettura::prosegui);
  EXPECT_EQ(b.d.codice_errore, 0);
  EXPECT_FALSE(b.ha_linea());
  ASSERT_EQ(b.t.ultima_cella(), 1380);
  EXPECT_EQ(b.rec(record_treno).fine, 62000);

  const std::tuple<int, int, int> pendenze[] = {
      {0, 331, 100},   {332, 427, 96},  {428, 633, 100},   {634, 759, 99},
      {760, 925, 100}, {926, 1109, 97}, {1110, 1377, 100}, {1378, 1380, 0}};
  for (auto [da, a, valore] : pendenze)
    profilo_uguale(b, da, a, &cella::pendenza, valore);

  const cella& primo_indicatore = b.cel(15);
  EXPECT_EQ(primo_indicatore.tipo, cella_indicatore_vmax);
  EXPECT_EQ(std::make_tuple(primo_indicatore.dato1, primo_indicatore.dato2,
                            primo_indicatore.dato3, primo_indicatore.dato4),
            std::make_tuple(1919, 2020, 2121, 0));
  EXPECT_EQ(b.cel(1024).dato4, 22);
  EXPECT_EQ(b.cel(10).tipo, cella_cartello);
  EXPECT_EQ(b.cel(10).dato1, 80);
  EXPECT_EQ(b.rec(80).nome, "(PONTE SUL   )(FIUME ISARCO)");
  EXPECT_EQ(b.rec(61).nome, "(P.L.     )(Km 98.517)");
  EXPECT_EQ(b.rec(60).nome, "");
  EXPECT_EQ(letta.indice_cartello, 60);
  EXPECT_EQ(
      std::make_tuple(b.rec(81).inizio, b.rec(81).fine, b.rec(81).posizione),
      std::make_tuple(0, 150400, 1));
  EXPECT_EQ(b.rec(82), stazione{});
  EXPECT_EQ(
      std::make_tuple(b.rec(85).inizio, b.rec(85).posizione, b.rec(85).fine),
      std::make_tuple(0, 0, 1));
  EXPECT_EQ(
      std::make_tuple(b.rec(86).inizio, b.rec(86).fine, b.rec(86).posizione),
      std::make_tuple(0, 60000, 4));

  const coordinate_piano p = coordinate_del_piano(b.t.piano);
  ASSERT_EQ(p.ultimo_metro(), 69000);
  EXPECT_EQ(p.tipo(0, 0), tipo_variante::intero);
  EXPECT_EQ(p.tipo(1, 1), tipo_variante::intero);
  EXPECT_EQ(p.y(1), 1.0);
  for (int m : {2, 350})
    EXPECT_EQ(std::make_pair(p.x(m), p.y(m)), std::make_pair(0.0, m + 0.0));
  EXPECT_EQ(p.x(351), -0.003);
  EXPECT_EQ(p.y(351), 351.0);
  EXPECT_EQ(p.x(352), -0.009000000000000001);
  EXPECT_EQ(p.y(352), 351.999991);
  EXPECT_NEAR(p.x(450), -15.04, 0.005);
  EXPECT_NEAR(p.y(450), 448.51, 0.005);
  EXPECT_EQ(p.tipo(0, 68998), tipo_variante::doppio);
  for (int asse : {0, 1}) {
    EXPECT_EQ(p.tipo(asse, 68999), tipo_variante::vuoto);
    EXPECT_EQ(p.tipo(asse, 69000), tipo_variante::vuoto);
  }
}

struct caso_errore {
  const char* nome;
  std::string linea;  // empty: no line description at all
  int32_t codice;
  int32_t posizione;  // 777 when the fault leaves it as it was
  bool treno_letto;   // the train-run description was read (and deleted)
  bool con_celle;
  std::function<void(banco&)> controlla = nullptr;
  int32_t j = 1;
};

// Tests print the case by its name.
void PrintTo(const caso_errore& c, std::ostream* uscita) { *uscita << c.nome; }

class ErroriLinea : public ::testing::TestWithParam<caso_errore> {};

TEST_P(ErroriLinea, CodiceEQuelloCheResta) {
  const caso_errore& c = GetParam();
  banco b;
  if (c.linea == "<nessuna>") {
    b.c.file.erase(nome_descrizione_linea(b.sc));
  } else {
    b.linea(c.linea);
  }
  b.treno(treno_con(""));
  b.d.posizione_errore = 777;
  b.leggi(c.j);
  EXPECT_EQ(b.d.codice_errore, c.codice);
  EXPECT_EQ(b.d.posizione_errore, c.posizione);
  EXPECT_FALSE(b.ha_linea());
  EXPECT_EQ(b.ha_treno(), !c.treno_letto && c.codice != 25);
  EXPECT_EQ(!b.t.celle.empty(), c.con_celle);
  if (c.controlla) c.controlla(b);
}

// L = 3000: N = 200, and 50 N - 100 = 9900 is the last position that passes the
// range check.
const std::string doppio_cartello =
    "cartello_indicatore, 450, (A)\r\ncartello_indicatore, 460, (B)\r\n";
std::string montagne(int quante) {
  std::string testo;
  for (int n = 0; n < quante; ++n)
    testo += "montagna, " + std::to_string(n * 10) + ", 0, 1\r\n";
  return testo;
}

INSTANTIATE_TEST_SUITE_P(
    Codici, ErroriLinea,
    ::testing::Values(
        caso_errore{"101_senza_file", "<nessuna>", 101, 777, false, false,
                    [](banco& b) { EXPECT_TRUE(b.c.cancellati.empty()); }},
        caso_errore{"102_senza_generale", "lunghezza percorso, 3000\r\n[fine]\r\n", 102, 777,
                    false, false},
        caso_errore{"102_generale_ultimo_campo", "x\r\n[GENERALE]", 102, 777, false, false},
        caso_errore{"generale_maiuscolo", "[GENERALE]\r\nlunghezza percorso, 3000\r\n[fine]",
                    0, 777, true, true},
        caso_errore{"1_troppo_lunga", "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n",
                    1, 777, false, false,
                    [](banco& b) { EXPECT_EQ(b.rec(record_treno).fine, 1000001); }},
        caso_errore{"1_negativa", "[generale]\r\nlunghezza percorso, -50\r\n[fine]\r\n", 1, 777,
                    false, false},
        caso_errore{"3_inizio_ripetizione",
                    "[generale]\r\nlunghezza percorso, 3000\r\nripetizione segnali 4, 25, 100\r\n"
                    "[fine]\r\n",
                    3, 777, false, true},
        caso_errore{"4_fine_ripetizione",
                    "[generale]\r\nlunghezza percorso, 3000\r\nripetizione segnali 4, 0, 125\r\n"
                    "[fine]\r\n",
                    4, 777, false, true},
        caso_errore{"5_senza_4_ne_9",
                    "[generale]\r\nlunghezza percorso, 3000\r\nripetizione segnali, 0, 100\r\n"
                    "[fine]\r\n",
                    5, 777, false, true},
        caso_errore{"ripetizione_9_fino_a_0",
                    "[generale]\r\nlunghezza percorso, 3000\r\nripetizione segnali 9, 50, 0\r\n"
                    "[curve]\r\n[fine]\r\n",
                    0, 777, true, true,
                    [](banco& b) { EXPECT_EQ(b.rec(record_nome_treno).posizione, 0); }},
        caso_errore{"103_curva_senza_classe", linea_con("curvax, 100, 100\r\n"), 103, 777, false,
                    true},
        caso_errore{"curva_ignorata_senza_piano", linea_con("curvax, 100, 100\r\n"), 0, 777,
                    true, true, nullptr, 0},
        caso_errore{"103_oltre_un_milione", linea_con("curvad1, 999000, 2000\r\n", 1000000), 103,
                    777, false, true},
        caso_errore{"6_cartello_su_cella_occupata", linea_con(doppio_cartello), 6, 460, false,
                    true,
                    [](banco& b) {
                      EXPECT_EQ(b.rec(80).nome, "(A)");
                      EXPECT_EQ(b.rec(79).nome, "");
                    }},
        caso_errore{"21_indicatore_su_cella_occupata",
                    linea_con("indicatori_vmax, 700, 95,100,105,0,95,100,105,0\r\n"
                              "cartello_indicatore, 710, (A)\r\n"
                              "indicatori_vmax, 700, 95,100,105,0,95,100,105,0\r\n"),
                    6, 710, false, true},
        caso_errore{"21_indicatore_doppio",
                    linea_con("indicatori_vmax, 700, 95,100,105,0,95,100,105,0\r\n"
                              "indicatori_vmax, 690, 1,1,1,0,1,1,1,0\r\n"),
                    21, 690, false, true,
                    [](banco& b) { EXPECT_EQ(b.cel(15).dato1, 1919); }},
        caso_errore{"15_oltre_la_tabella",
                    linea_con("pendenza, 500, 2\r\npendenza, 9901, 1\r\npendenza, 100, 5\r\n"),
                    15, 9901, true, true,
                    [](banco& b) {
                      // The trailing gradient still runs, with the gradient in force before it.
                      EXPECT_EQ(b.cel(9).pendenza, 100);
                      EXPECT_EQ(b.cel(10).pendenza, 102);
                      EXPECT_EQ(b.cel(197).pendenza, 102);
                      EXPECT_EQ(b.cel(198).pendenza, 0);
                      EXPECT_EQ(coordinate_del_piano(b.t.piano).tipo(0, 9998), tipo_variante::doppio);
                    }},
        caso_errore{"15_limite_che_passa", linea_con("pendenza, 9900, 1\r\n"), 0, 777, true,
                    true},
        caso_errore{"15_cartello_prima_della_cella_0", linea_con("cartello_indicatore, -100, X\r\n"),
                    15, -100, true, true},
        caso_errore{"25_file_vuoto", "", 25, 777, false, false},
        caso_errore{"25_commenti_fino_alla_fine", "[generale]\r\n-a\r\n-b\r\n", 25, 777, false,
                    false},
        caso_errore{"25_valori_oltre_la_fine", "[generale]\r\nlunghezza percorso, 3000\r\n[c]\r\n"
                    "pendenza, 100\r\n",
                    25, 777, false, true},
        caso_errore{"25_numero_non_valido", linea_con("pendenza, 1x, 2\r\n"), 25, 777, false, true},
        caso_errore{"25_senza_lunghezza_al_primo_uso",
                    "[generale]\r\nsfondo uno, 1\r\n[curve]\r\npendenza, 99999999, 0\r\n[fine]\r\n",
                    25, 777, false, false},
        caso_errore{"25_senza_lunghezza_alla_fine", "[generale]\r\nsfondo uno, 1\r\n[c]\r\n[fine]\r\n",
                    25, 777, false, false},
        caso_errore{"25_ottantunesima_montagna", linea_con(montagne(81)), 25, 777, false, true},
        caso_errore{"ottanta_montagne", linea_con(montagne(80)), 0, 777, true, true},
        caso_errore{"25_ottantunesimo_testo_di_cartello", linea_con(cartelli(81)), 25, 777, false,
                    true,
                    [](banco& b) {
                      EXPECT_EQ(b.rec(1).nome, "T");  // the 80th text fills record 1
                      EXPECT_EQ(b.cel(163).tipo, 0);  // nothing of the 81st is placed
                    }},
        caso_errore{"25_pendenza_piu_100_oltre_32_bit",
                    linea_con("pendenza, 100, 2147483647\r\npendenza, 200, 0\r\n"), 25, 777,
                    false, true},
        caso_errore{"25_distanza_fra_montagne_oltre_32_bit",
                    linea_con("montagna, 0, 2147483647, 1\r\nmontagna, -2000000000, 0, 1\r\n"), 25,
                    777, false, true},
        caso_errore{"25_indicatore_oltre_16_bit",
                    linea_con("indicatori_vmax, 700, 2000,1,1,0,1,1,1,0\r\n"), 25, 777, false,
                    true,
                    [](banco& b) {
                      // The kind is stored before the first value fails.
                      EXPECT_EQ(b.cel(15).tipo, cella_indicatore_vmax);
                      EXPECT_EQ(b.cel(15).dato1, 0);
                    }},
        caso_errore{"25_valori_generali_uno_alla_volta",
                    "[generale]\r\nlunghezza percorso, 3000\r\nprogressiva chilometrica uno, 100, "
                    "x, 1\r\n[c]\r\n[fine]\r\n",
                    25, 777, false, true,
                    [](banco& b) {
                      EXPECT_EQ(b.rec(83).inizio, 100);
                      EXPECT_EQ(b.rec(83).fine, 0);
                    }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LetturaLinea, OrdineDelleProgressive) {
  struct terna {
    int32_t inizio, valore, segno;
    bool operator==(const terna&) const = default;
  };
  struct caso {
    const char* nome;
    terna tre, due, uno;  // as read into records 81, 82, 83
    terna r81, r82, r83;  // after ordering
  };
  const caso casi[] = {
      {"del_costruttore",
       {0, 0, 0},
       {0, 0, 0},
       {0, 150300, 1},
       {0, 150400, 1},
       {},
       {}},
      {"per_inizio",
       {0, 0, 0},
       {30000, 5000, 0},
       {0, 100, 1},
       {30000, 5000, 0},
       {0, 200, 1},
       {0, 0, 0}},
      {"inizio_piu_grande_condiviso",
       {100, 1, 0},
       {100, 2, 0},
       {0, 3, 0},
       {},
       {},
       {}},
      {"tre_per_primo",
       {500, 1, 0},
       {100, 2, 0},
       {300, 3, 0},
       {500, 1, 0},
       {300, 3, 0},
       {100, 2, 0}},
      {"per_valore_vince_l_ultima_regola",
       {0, 5, 0},
       {0, 6, 0},
       {0, 7, 0},
       {0, 7, 0},
       {0, 6, 0},
       {0, 5, 0}},
      {"per_valore_solo_due",
       {0, 0, 0},
       {0, 6, 0},
       {0, -1, 0},
       {0, 6, 0},
       {0, 0, 0},
       {0, -1, 0}},
      {"nessun_valore_positivo", {0, -5, 1}, {0, 0, 0}, {0, 0, 0}, {}, {}, {}},
      {"inizi_che_si_annullano",
       {100, 1, 0},
       {-100, 2, 0},
       {0, 3, 1},
       {0, 103, 1},
       {-100, 2, 0},
       {100, 1, 0}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    tabella_stazioni t;
    auto poni = [&](int r, terna v) {
      t[r].inizio = v.inizio;
      t[r].fine = v.valore;
      t[r].posizione = v.segno;
    };
    auto leggi = [&](int r) {
      return terna{t[r].inizio, t[r].fine, t[r].posizione};
    };
    poni(81, c.tre);
    poni(82, c.due);
    poni(83, c.uno);
    ASSERT_TRUE(progressive_ordina(t));
    EXPECT_TRUE(leggi(81) == c.r81);
    EXPECT_TRUE(leggi(82) == c.r82);
    EXPECT_TRUE(leggi(83) == c.r83);
  }
}

TEST(LetturaLinea, Montagne) {
  banco b;
  b.linea(
      linea_con("montagna, 1000, 2000, 12\r\nmontagna, 2150, 2500, 1\r\n"
                "montagna, 2700, 3000, 4\r\nmontagna, -100, 100, 15\r\n"
                "montagna, 9800, 99999, 1\r\n"));
  b.treno(treno_con(""));
  b.leggi();
  EXPECT_EQ(b.d.codice_errore, 0) << b.d.posizione_errore;
  for (int i = 20; i <= 39; ++i) {
    EXPECT_EQ(b.cel(i).montagna, 2) << i;
    const bool segnata = i == 23 || i == 27 || i == 31 || i == 35 || i == 39;
    EXPECT_EQ(b.cel(i).tipo, segnata ? cella_segno_galleria : 0) << i;
  }
  EXPECT_EQ(b.cel(40).montagna, 0);
  EXPECT_EQ(b.cel(43).montagna,
            3);  // 150 m after the end of the one before: kind 3
  EXPECT_EQ(b.cel(54).montagna, 4);  // 200 m after: its own kind
  // Starting before cell 0: counted from its first cell, -2; only the cells in
  // the table. It starts less than 150 m after the end of the one before, so it
  // takes kind 3.
  EXPECT_EQ(b.cel(0).montagna, 3);
  EXPECT_EQ(b.cel(1).tipo, cella_segno_galleria);
  // Reaching past the last cell: marked up to it.
  EXPECT_EQ(b.cel(200).montagna, 1);
}

TEST(LetturaLinea, CampiDiCommentoEParoleMultiple) {
  banco b;
  b.linea(
      "[generale]\r\n-a\r\n-b\r\n-c\r\nlunghezza percorso, 3000\r\n"
      "Progressiva chilometrica uno, 100, 200, 1\r\n[curve]\r\n"
      // Two comment fields are dropped; the third is tested as a keyword.
      "-x, -y, -pendenza, 1000, -4\r\n"
      // A field holding both keywords is read first as a gradient, then as a
      // curve.
      "curvad4pendenza, 2000, 2, 2500, 100\r\n"
      "pendenza, 1500, -4\r\n[fine]\r\n");
  b.treno(treno_con(""));
  b.leggi();
  EXPECT_EQ(b.d.codice_errore, 0) << b.d.posizione_errore;
  EXPECT_EQ(b.rec(83).fine, 0);  // the capital initial is not recognised
  EXPECT_EQ(b.cel(19).pendenza, 100);
  EXPECT_EQ(b.cel(20).pendenza, 96);  // -4 from 1000 m
  EXPECT_EQ(b.cel(30).pendenza,
            96);  // "pendenza, 1500": -4 again up to cell 30
  EXPECT_EQ(b.cel(40).pendenza, 102);  // +2 from 2000 m
  const coordinate_piano p = coordinate_del_piano(b.t.piano);
  EXPECT_EQ(p.x(2500), 0.0);
  EXPECT_GT(p.x(2600), 0.0);  // turned right
}

}  // namespace
