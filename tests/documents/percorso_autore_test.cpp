// What the author's documents read from the compiled tables: progressives as
// the reader orders the progressions, slowdowns paired from their cells, and
// times estimated from the running time at the speed limits.
#include "documents/percorso_autore.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "documents/tabelle_compilate.h"

namespace {

struct caso_progressiva {
  const char* nome;
  std::string progressioni;  // general lines of the line description
  std::vector<std::pair<int32_t, int64_t>> attese;  // position, progressive
};

void PrintTo(const caso_progressiva& c, std::ostream* uscita) {
  *uscita << c.nome;
}

class Progressiva : public ::testing::TestWithParam<caso_progressiva> {};

TEST_P(Progressiva, ComeLeProgressioniDellaLinea) {
  const caso_progressiva& c = GetParam();
  const tabelle_compilate t = compila_descrizioni(
      linea_prova(c.progressioni), treno_con("velocita, 0, 100\r\n"));
  ASSERT_EQ(t.codice_errore, 0);
  for (auto [posizione, attesa] : c.attese)
    EXPECT_EQ(progressiva(t.t.stazioni, posizione), attesa) << posizione;
}

std::string progressione(const char* quale, int inizio, int valore, int flag) {
  return std::string("progressiva chilometrica ") + quale + ", " +
         std::to_string(inizio) + ", " + std::to_string(valore) + ", " +
         std::to_string(flag) + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    LineeDiProva, Progressiva,
    ::testing::Values(
        // The default line: its sheet reads 148.900 at metre 1400.
        caso_progressiva{"decrescente",
                         progressione("uno", 0, 150300, 1),
                         {{0, 150300}, {1400, 148900}, {5550, 144750}}},
        caso_progressiva{"crescente",
                         progressione("uno", 0, 12000, 0),
                         {{0, 12000}, {500, 12500}, {7000, 19000}}},
        caso_progressiva{"seconda_progressione_da_3000",
                         progressione("uno", 0, 150300, 1) +
                             progressione("due", 3000, 40000, 0),
                         {{2950, 147350}, {3000, 40000}, {5000, 42000}}},
        caso_progressiva{"prima_di_ogni_inizio_all_indietro",
                         progressione("uno", 2000, 10000, 0),
                         {{500, 8500}, {2000, 10000}, {2500, 10500}}},
        caso_progressiva{"nessuna_progressione",
                         progressione("uno", 0, 0, 0),
                         {{0, 0}, {700, 700}}},
        // Ordered: "tre", the empty "uno", then "due".
        caso_progressiva{"vuota_fra_due_progressioni",
                         progressione("due", 0, 150300, 1) +
                             progressione("tre", 3000, 5000, 1),
                         {{1000, 149300}, {3000, 5000}, {3500, 4500}}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Rallentamenti, CoppieDiInizioEFine) {
  struct caso {
    const char* nome;
    std::string righe;
    std::vector<std::tuple<int32_t, int32_t, int>> attesi;
  };
  const caso casi[] = {
      {"separati",
       "rallentamento, 5000, 30, 500, 0, 0, 0\r\n"
       "rallentamento, 2000, 50, 300, 0, 0, 0\r\n",
       {{2000, 2300, 50}, {5000, 5500, 30}}},
      {"uno_dentro_l_altro_alla_stessa_velocita",
       "rallentamento, 3000, 60, 2000, 0, 0, 0\r\n"
       "rallentamento, 3500, 60, 200, 0, 0, 0\r\n",
       {{3000, 5000, 60}, {3500, 3700, 60}}},
      {"piu_corto_di_una_cella",
       "rallentamento, 2000, 50, 0, 0, 0, 0\r\n"
       "rallentamento, 5000, 50, 500, 0, 0, 0\r\n",
       {{2000, 2000, 50}, {5000, 5500, 50}}},
      {"senza_avviso_vicino_all_inizio",
       "rallentamento, 1000, 40, 200, 1, 1, 1\r\n",
       {{1000, 1200, 40}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const tabelle_compilate t =
        compila_descrizioni(linea_prova(""), treno_con(c.righe));
    ASSERT_EQ(t.codice_errore, 0);
    std::vector<std::tuple<int32_t, int32_t, int>> trovati;
    for (const rallentamento& r : rallentamenti(t.t.celle))
      trovati.emplace_back(r.inizio, r.fine, r.velocita);
    EXPECT_EQ(trovati, c.attesi);
  }
}

// 201 cells: metres 0 to 5000 at 50 km/h (3.6 s a cell), then 100 km/h.
std::vector<cella> due_velocita() {
  std::vector<cella> celle(201);
  for (std::size_t i = 0; i < celle.size(); ++i)
    celle[i].velocita = i <= 100 ? 10 : 20;
  return celle;
}

// A board's packed values read back as the author wrote them, negative ones
// too (truncating division would read -5/5 as 0/-495).
TEST(IndicatoriVelocita, ValoriNegativiComeLaPagina) {
  std::vector<cella> celle(4);
  cella& c = celle[2];  // cell 2: metre 50
  c.tipo = cella_indicatore_vmax;
  c.dato1 = -99;   // -5/5
  c.dato2 = 2426;  // 120/130
  c.dato3 = -100;  // -5/0
  c.dato4 = -7;    // stripes -1/3
  const std::vector<indicatore_velocita> v = indicatori_velocita(celle, 0, 200);
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].posizione, 50);
  EXPECT_EQ(v[0].sinistra, (std::array<int, 3>{-5, 120, -5}));
  EXPECT_EQ(v[0].destra, (std::array<int, 3>{5, 130, 0}));
  EXPECT_EQ(v[0].strisce_sinistra, -1);
  EXPECT_EQ(v[0].strisce_destra, 3);
}

TEST(StimaOrari, TempoDiCorsaStiratoFraGliOrariDati) {
  struct caso {
    const char* nome;
    bool con_velocita;
    std::vector<luogo_orario> luoghi;
    // Seconds, or -1 for no time; estimated when not given.
    std::vector<int64_t> attesi;
  };
  // Running time from metre 0: 360 s to metre 5000, 540 s to metre 10000.
  const caso casi[] = {
      {"stirato",
       true,
       {{0, 28800}, {5000, 0}, {10000, 29400}},
       {28800, 28800 + 400, 29400}},
      {"prima_del_primo_orario",
       true,
       {{1000, 0}, {5000, 28800}},
       {28800 - (360 - 72), 28800}},
      {"dopo_l_ultimo_orario",
       true,
       {{0, 28800}, {10000, 0}},
       {28800, 28800 + 540}},
      {"oltre_la_mezzanotte",
       true,
       {{0, 86100}, {5000, 0}, {10000, 300}},
       {86100, 86100 + 400, 300}},
      {"orari_all_indietro_solo_il_tempo_di_corsa",
       true,
       {{0, 29400}, {5000, 0}, {10000, 28800}},
       {29400, 29400 + 360, 28800}},
      {"piu_di_mezza_giornata_nello_stesso_giorno",
       true,
       {{0, 3600}, {5000, 0}, {10000, 50400}},
       {3600, 3600 + 360 * (50400 - 3600) / 540, 50400}},
      {"stessi_orari_nessuno_stiramento",
       true,
       {{0, 28800}, {5000, 0}, {10000, 28800}},
       {28800, 28800, 28800}},
      {"mezza_giornata_indietro_e_ancora_lo_stesso_giorno",
       true,
       {{0, 50400}, {5000, 0}, {10000, 7200}},
       {50400, 50400 + 360, 7200}},
      {"un_secondo_in_piu_e_il_giorno_dopo",
       true,
       {{0, 50401}, {5000, 0}, {10000, 7200}},
       {50401, 50401 + 28799, 7200}},  // 360 / 540 of 43199 s
      {"nessun_orario", true, {{0, 0}, {5000, 0}}, {-1, -1}},
      {"senza_velocita_in_proporzione_alla_distanza",
       false,
       {{0, 28800}, {2500, 0}, {10000, 29400}},
       {28800, 28800 + 150, 29400}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<cella> celle =
        c.con_velocita ? due_velocita() : std::vector<cella>(201);
    const std::vector<orario_luogo> orari =
        stima_orari(c.luoghi, tempi_di_corsa(celle));
    ASSERT_EQ(orari.size(), c.attesi.size());
    for (std::size_t k = 0; k < orari.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(orari[k].presente, c.attesi[k] >= 0);
      if (!orari[k].presente) continue;
      EXPECT_EQ(orari[k].secondi, c.attesi[k]);
      EXPECT_EQ(orari[k].stimato, c.luoghi[k].orario == 0);
    }
  }
}

}  // namespace
