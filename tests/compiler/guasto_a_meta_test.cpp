// A value that overflows in the middle of an item: the item's stores happen in
// the order of its steps, every Long operation is checked where it is written,
// and what was stored before the failure stays and takes part in what follows.
#include <gtest/gtest.h>

#include <functional>

#include "banco.h"
#include "cli/rapporto.h"

namespace {

struct caso {
  const char* nome;
  std::string linea;  // the line description
  std::string treno;  // the train-run description's body
  int uscita;         // the exit status of a compile
  int32_t codice;
  std::function<void(banco&)> controlla = nullptr;
};

// Tests print the case by its name.
void PrintTo(const caso& c, std::ostream* uscita) { *uscita << c.nome; }

// A line description of 5000 m with the given general lines and main part.
std::string linea_di(const std::string& generale,
                     const std::string& principale) {
  return "[generale]\r\nlunghezza percorso, 5000\r\n" + generale +
         "[curve]\r\n" + principale + "[fine]\r\n";
}

class GuastoAMeta : public ::testing::TestWithParam<caso> {};

TEST_P(GuastoAMeta, SiFermaDoveAccadeECioCheEraScrittoResta) {
  const caso& c = GetParam();
  banco b;
  b.linea(c.linea);
  b.treno(treno_con(c.treno));
  const esito_compilazione esito = b.compila(/*con_piano=*/false);
  std::ostringstream errori;
  EXPECT_EQ(concludi(b.d, esito, {"l", "t"}, errori), c.uscita) << errori.str();
  EXPECT_EQ(b.d.codice_errore, c.codice);
  const bool scritti = !b.c.scritti.empty();
  EXPECT_EQ(scritti, c.uscita != 2);
  if (c.controlla) c.controlla(b);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, GuastoAMeta,
    ::testing::Values(
        caso{"indicatore_col_secondo_valore_oltre_16_bit",
             linea_di("",
                      "indicatori_vmax, 1000, 0, 1639, 0, 0, 100, 0, 0, 0\r\n"),
             "", 1, 25,
             [](banco& b) {
               EXPECT_EQ(b.cel(21).tipo, cella_indicatore_vmax);
               EXPECT_EQ(b.cel(21).dato1, 20);
               EXPECT_EQ(b.cel(21).dato2, 0);
             }},
        caso{
            "lo_stesso_indicatore_al_metro_0",
            linea_di("", "indicatori_vmax, 0, 0, 1639, 0, 0, 100, 0, 0, 0\r\n"),
            "", 2, 25,
            [](banco& b) {
              // The kind and the first value stay in cell 1: the reserved
              // value finds it taken.
              EXPECT_EQ(b.cel(1).tipo, cella_indicatore_vmax);
              EXPECT_EQ(b.cel(1).dato1, 20);
            }},
        caso{"segnale_con_s1_per_10_oltre_32_bit", linea_di("", ""),
             "segnale, 1000, 1, 300000000, 0, 0, 0, 0, 0, 0, 0, 0\r\n", 1, 25,
             [](banco& b) {
               EXPECT_EQ(b.cel(21).tipo, cella_segnale);
               EXPECT_EQ(b.cel(21).dato4, 3);
               EXPECT_EQ(b.cel(21).dato1, 0);
               EXPECT_EQ(b.cel(19).avvicinamento, 0);  // marks come later
             }},
        caso{"stazione_con_inizio_oltre_32_bit", linea_di("", ""),
             "stazione, -2147483000, 5, 1000, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, "
             "0, 0, X\r\n",
             1, 25,
             [](banco& b) {
               // Step by step: the end is stored, the start does not fit,
               // campo6 is not yet cleared.
               EXPECT_EQ(b.rec(1).fine, -2147482850);
               EXPECT_EQ(b.rec(1).inizio, 0);
               EXPECT_EQ(b.rec(1).campo6, 2);
               EXPECT_EQ(b.rec(1).nome, "X");
             }},
        caso{"ore_per_60_oltre_32_bit", linea_di("", ""),
             "stazione, 1000, 12, 200, 0,0,0,0,0,0,0,0,0,0, 35791395, "
             "-2147483000, 0, X\r\n",
             1, 25,
             [](banco& b) {
               // The whole time would fit, its first step does not: no stop
               // cell and no approach marks.
               for (int i = 15; i <= 25; ++i) {
                 EXPECT_EQ(b.cel(i).tipo, 0) << i;
                 EXPECT_EQ(b.cel(i).avvicinamento, 0) << i;
               }
               EXPECT_EQ(b.rec(1).orario, 0);
             }},
        caso{"rapp_per_10_oltre_32_bit", linea_di("", ""),
             "segnale, 1000, -4, 0, 0, 0, 214748365, 2, 0, 0, 0, 0\r\n", 1, 25,
             [](banco& b) { EXPECT_EQ(b.cel(21).tipo, cella_segnale); }},
        caso{"somma_degli_inizi_delle_progressive_oltre_32_bit",
             linea_di("progressiva chilometrica uno, 2000000000, 0, 0\r\n"
                      "progressiva chilometrica due, 2000000000, 0, 0\r\n",
                      "pendenza, 1000, 2\r\n"),
             "velocita, 0, 100\r\n", 1, 25,
             [](banco& b) {
               // The reading stops in the general section: neither the
               // gradient nor the speed fill runs.
               EXPECT_EQ(b.cel(5).pendenza, 0);
               EXPECT_EQ(b.cel(5).velocita, 0);
             }},
        caso{"segni_di_avvicinamento_fuori_tabella_non_calcolati",
             linea_di("", ""),
             "segnale, -50, 0, 4, 0, 0, 0, -1073741824, 3, 0, 0, 0\r\n", 0, 0,
             [](banco& b) {
               EXPECT_EQ(b.cel(0).tipo, cella_segnale);
               EXPECT_EQ(b.cel(0).dato1, 43);
             }}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
