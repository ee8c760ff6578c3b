// The text pieces of the author's documents: the author's UTF-8 brought into
// Windows-1252, wrapping, capitals, kilometres and times.
#include "documents/testo_autore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct caso_conversione {
  const char* nome;
  std::string utf8;
  bool voce;  // a one-line value instead of a text
  std::vector<std::string> righe;
  std::optional<rifiuto_testo> rifiuto;
};

void PrintTo(const caso_conversione& c, std::ostream* uscita) {
  *uscita << c.nome;
}

class Conversione : public ::testing::TestWithParam<caso_conversione> {};

TEST_P(Conversione, RigheOppureRifiutoConIlPosto) {
  const caso_conversione& c = GetParam();
  const testo_convertito t =
      c.voce ? converti_voce(c.utf8) : converti_testo(c.utf8);
  ASSERT_EQ(t.rifiuto.has_value(), c.rifiuto.has_value());
  if (!c.rifiuto) {
    EXPECT_EQ(t.righe, c.righe);
    return;
  }
  EXPECT_EQ(t.rifiuto->perche, c.rifiuto->perche);
  EXPECT_EQ(t.rifiuto->riga, c.rifiuto->riga);
  EXPECT_EQ(t.rifiuto->colonna, c.rifiuto->colonna);
  EXPECT_EQ(t.rifiuto->codice, c.rifiuto->codice);
}

using r = rifiuto_testo;

INSTANTIATE_TEST_SUITE_P(
    TestoDellAutore, Conversione,
    ::testing::Values(
        caso_conversione{"accenti_e_euro",
                         "Magr\xC3\xA8 \xE2\x82\xAC 5",
                         false,
                         {"Magr\xE8 \x80 5"},
                         {}},
        caso_conversione{"tre_modi_di_andare_a_capo",
                         "uno\r\ndue\ntre\rquattro\n",
                         false,
                         {"uno", "due", "tre", "quattro", ""},
                         {}},
        caso_conversione{"segno_d_ordine_dei_byte_tolto_e_tab",
                         "\xEF\xBB\xBF"
                         "a\tb",
                         false,
                         {"a b"},
                         {}},
        caso_conversione{"lettera_senza_posto_contata_in_caratteri",
                         "riga uno\nl\xC3\xA0 \xC5\x81odz",
                         false,
                         {},
                         r{r::non_rappresentabile, 2, 4, U'\u0141'}},
        caso_conversione{"emoji",
                         "\xF0\x9F\x9A\x82",
                         false,
                         {},
                         r{r::non_rappresentabile, 1, 1, U'\U0001F682'}},
        caso_conversione{
            "byte_non_utf8", "ab\xE8", false, {}, r{r::non_utf8, 1, 3, 0}},
        caso_conversione{
            "surrogato", "a\xED\xA0\x80", false, {}, r{r::non_utf8, 1, 2, 0}},
        caso_conversione{
            "controllo", "a\x07", false, {}, r{r::controllo, 1, 2, 7}},
        caso_conversione{
            "controllo_c1", "\xC2\x81", false, {}, r{r::controllo, 1, 1, 0x81}},
        caso_conversione{
            "voce_con_accento", "Nicol\xC3\xB2", true, {"Nicol\xF2"}, {}},
        caso_conversione{"voce_su_due_righe",
                         "Ugo\nBassi",
                         true,
                         {},
                         r{r::controllo, 1, 4, U'\n'}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(ACapo, RigheEntroLaLarghezza) {
  struct caso {
    const char* paragrafo;
    std::vector<std::string> righe;
  };
  const caso casi[] = {
      {"", {""}},
      {"   ", {""}},
      {"uno due tre", {"uno due", "tre"}},
      {"uno   due\t", {"uno due\t"}},  // only blanks separate words
      {"  aaaa bbbb  cc", {"aaaa bbbb", "cc"}},
      {"abcdefghijklmnopqrstu", {"abcdefghij", "klmnopqrst", "u"}},
      {"ab abcdefghijklm", {"ab", "abcdefghij", "klm"}},
      {"abcdefghij abcdefghij", {"abcdefghij", "abcdefghij"}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.paragrafo);
    EXPECT_EQ(a_capo(c.paragrafo, 10), c.righe);
  }
}

TEST(TestoAutore, MaiuscoleDiUnTesto) {
  EXPECT_EQ(maiuscole_cp1252("Magr\xE8/ Magreid 7"), "MAGR\xC8/ MAGREID 7");
}

TEST(TestoAutore, ColonneDiLarghezzaFissa) {
  EXPECT_EQ(a_sinistra("abc", 5), "abc  ");
  EXPECT_EQ(a_sinistra("abcdef", 4), "abcd");
  EXPECT_EQ(a_destra("55", 4), "  55");
  EXPECT_EQ(a_destra("abcdef", 4), "abcd");
  EXPECT_EQ(al_centro("V200 C", 14), "    V200 C    ");
  EXPECT_EQ(al_centro("130%", 14), "     130%     ");
  EXPECT_EQ(al_centro("abc", 6), " abc  ");
}

TEST(TestoAutore, ChilometriEOrari) {
  const std::pair<int64_t, const char*> chilometri_attesi[] = {
      {150300, "150.300"}, {97350, "97.350"}, {5, "0.005"},
      {0, "0.000"},        {-50, "-0.050"},   {-1250, "-1.250"}};
  for (auto [metri, testo] : chilometri_attesi)
    EXPECT_EQ(chilometri(metri), testo) << metri;
  const std::pair<int64_t, const char*> orari_attesi[] = {
      {35820, "09.57"},  {35849, "09.57"}, {35850, "09.57+"},
      {35879, "09.57+"}, {0, "00.00"},     {86400 + 60, "00.01"},
      {-30, "23.59+"},   {-86400, "00.00"}};
  for (auto [secondi, testo] : orari_attesi)
    EXPECT_EQ(ora_minuti(secondi), testo) << secondi;
}

}  // namespace
