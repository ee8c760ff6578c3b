// The route scan: the speed-code marks around slowdowns, on small hand-made
// cell tables.
#include "compiler/scansione.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct posa {
  int cella;
  uint8_t tipo;
  int16_t dato1 = 0;
};

struct caso_scansione {
  const char* nome;
  std::vector<posa> prima;  // cells placed before the scan
  // Cells that get a speed-code mark (180), and no other, in the order the
  // scan marks them.
  std::vector<int> segni;
  int32_t codice = 0;
  int32_t posizione = 0;
  std::vector<posa> dopo = {};  // further cells to check after the scan
};

// Tests print the case by its name.
void PrintTo(const caso_scansione& c, std::ostream* uscita) {
  *uscita << c.nome;
}

constexpr uint8_t S = cella_segnale, I = cella_inizio_rallentamento,
                  F = cella_fine_rallentamento, A = cella_avviso_rallentamento,
                  P = cella_fermata, C = cella_codice_velocita;

class Scansione : public ::testing::TestWithParam<caso_scansione> {};

TEST_P(Scansione, SegniECodici) {
  const caso_scansione& c = GetParam();
  std::vector<cella> celle(201);
  diagnostica d;
  for (const posa& p : c.prima) {
    celle[p.cella].tipo = p.tipo;
    celle[p.cella].dato1 = p.dato1;
  }
  const std::vector<cella> originali = celle;
  std::vector<int32_t> ordine;
  scansione_percorso(celle, d, &ordine);
  for (int i = 0; i <= 200; ++i) {
    const bool segnata =
        std::find(c.segni.begin(), c.segni.end(), i) != c.segni.end();
    if (segnata) {
      EXPECT_EQ(celle[i].tipo, C) << "cella " << i;
      EXPECT_EQ(celle[i].dato1, 180) << "cella " << i;
    } else if (std::none_of(c.dopo.begin(), c.dopo.end(),
                            [i](const posa& p) { return p.cella == i; })) {
      EXPECT_EQ(celle[i], originali[i]) << "cella " << i;
    }
  }
  for (const posa& p : c.dopo) {
    EXPECT_EQ(celle[p.cella].tipo, p.tipo) << "cella " << p.cella;
    EXPECT_EQ(celle[p.cella].dato1, p.dato1) << "cella " << p.cella;
  }
  EXPECT_EQ(d.codice_errore, c.codice);
  EXPECT_EQ(d.posizione_errore, c.posizione);
  // The scan reports the free cells it marks, one by one as it goes; a
  // speed-code cell whose value it lowers is not a new mark.
  std::vector<int32_t> nuovi;
  for (int i : c.segni)
    if (cella_libera(originali[i])) nuovi.push_back(i);
  EXPECT_EQ(ordine, nuovi);
}

INSTANTIATE_TEST_SUITE_P(
    Regole, Scansione,
    ::testing::Values(
        // Rule A: every signal within 20 cells before the warning cell, not
        // only the nearest.
        caso_scansione{"a_due_segnali",
                       {{50, A, 60}, {47, S}, {35, S}, {29, S}},
                       {46, 34}},
        caso_scansione{"a_segnale_occupato_davanti",
                       {{50, A, 60}, {47, S}, {46, P}},
                       {45}},
        caso_scansione{
            "a_segnale_in_cella_2_ignorato", {{10, A, 60}, {2, S}}, {}},
        caso_scansione{"a_codice_75_resta",
                       {{50, A, 60}, {47, S}, {46, C, 75}, {45, P}},
                       {},
                       0,
                       0,
                       {{46, C, 75}}},
        caso_scansione{"a_codice_270_diventa_180",
                       {{50, A, 60}, {47, S}, {46, C, 270}, {45, P}},
                       {46}},
        caso_scansione{"a_nessun_posto",
                       {{50, A, 60}, {47, S}, {46, P}, {45, P}},
                       {},
                       11,
                       47 * 50},
        // Rule B: three windows before a start, each on its own.
        caso_scansione{"b_inizio_in_cella_7", {{7, I, 120}, {9, F, 120}}, {}},
        caso_scansione{"b_inizio_in_cella_8", {{8, I, 120}, {10, F, 120}}, {3}},
        caso_scansione{
            "b_inizio_in_cella_14", {{14, I, 120}, {16, F, 120}}, {9, 3}},
        caso_scansione{
            "b_inizio_in_cella_21", {{21, I, 120}, {23, F, 120}}, {16, 10, 3}},
        caso_scansione{
            "b_finestra_occupata",
            {{60, I, 120}, {62, F, 120}, {55, P}, {54, P}, {53, P}, {49, P}},
            {48, 42},
            12,
            60 * 50},
        // Rule C: marks every 8 cells inside a slow slowdown; rule D before the
        // next signal.
        caso_scansione{"c_ogni_8_celle",
                       {{100, I, 60}, {120, F, 60}},
                       {95, 89, 82, 108, 116}},
        caso_scansione{"c_un_passo_prima",
                       {{100, I, 60}, {120, F, 60}, {108, P}},
                       {95, 89, 82, 107, 115}},
        caso_scansione{"c_un_passo_dopo",
                       {{100, I, 60}, {120, F, 60}, {108, P}, {107, P}},
                       {95, 89, 82, 109, 117}},
        caso_scansione{
            "c_nessun_posto",
            {{100, I, 60}, {120, F, 60}, {108, P}, {107, P}, {109, P}},
            {95, 89, 82},
            13,
            108 * 50},
        caso_scansione{"c_velocita_110_nessuna_ripetizione",
                       {{100, I, 110}, {120, F, 110}, {125, S}},
                       {95, 89, 82}},
        caso_scansione{"d_segnale_a_12_celle",
                       {{100, I, 60}, {120, F, 60}, {132, S}},
                       {95, 89, 82, 108, 116, 131}},
        caso_scansione{"d_segnale_a_13_celle",
                       {{100, I, 60}, {120, F, 60}, {133, S}},
                       {95, 89, 82, 108, 116}},
        caso_scansione{
            "d_nessun_posto",
            {{100, I, 60}, {120, F, 60}, {125, S}, {124, P}, {123, P}},
            {95, 89, 82, 108, 116},
            13,
            120 * 50},
        // A slowdown without its end mark keeps the marks placed on its way to
        // the last cell.
        caso_scansione{
            "c_senza_fine", {{180, I, 60}}, {175, 169, 162, 188, 196}}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
