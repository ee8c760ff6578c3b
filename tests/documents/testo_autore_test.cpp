// The text pieces of the author's documents: the author's UTF-8 brought into
// Windows-1252, wrapping, capitals, kilometres and times.
#include "documents/testo_autore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct caso_conversione {
  const char* nome;
  std::string utf8;
  bool voce;  // a one-line option instead of a text
  std::vector<std::string> righe;
  std::string errore;
};

void PrintTo(const caso_conversione& c, std::ostream* uscita) {
  *uscita << c.nome;
}

class Conversione : public ::testing::TestWithParam<caso_conversione> {};

TEST_P(Conversione, RigheOppureRifiutoConIlPosto) {
  const caso_conversione& c = GetParam();
  const testo_convertito t = c.voce ? converti_voce(c.utf8, "autore")
                                    : converti_testo(c.utf8, "testo");
  EXPECT_EQ(t.errore, c.errore);
  if (c.errore.empty()) {
    EXPECT_EQ(t.righe, c.righe);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TestoDellAutore, Conversione,
    ::testing::Values(
        caso_conversione{"accenti_e_euro",
                         "Magr\xC3\xA8 \xE2\x82\xAC 5",
                         false,
                         {"Magr\xE8 \x80 5"},
                         ""},
        caso_conversione{"tre_modi_di_andare_a_capo",
                         "uno\r\ndue\ntre\rquattro\n",
                         false,
                         {"uno", "due", "tre", "quattro", ""},
                         ""},
        caso_conversione{"segno_d_ordine_dei_byte_tolto_e_tab",
                         "\xEF\xBB\xBF"
                         "a\tb",
                         false,
                         {"a b"},
                         ""},
        caso_conversione{"lettera_senza_posto",
                         "riga uno\nla \xC5\x81odz",
                         false,
                         {},
                         "testo: la lettera U+0141 alla riga 2, colonna 4 non "
                         "ha posto in Windows-1252"},
        caso_conversione{"emoji",
                         "\xF0\x9F\x9A\x82",
                         false,
                         {},
                         "testo: la lettera U+1F682 alla riga 1, colonna 1 non "
                         "ha posto in Windows-1252"},
        caso_conversione{"byte_non_utf8",
                         "ab\xE8",
                         false,
                         {},
                         "testo: byte non UTF-8 alla riga 1, colonna 3"},
        caso_conversione{"surrogato",
                         "a\xED\xA0\x80",
                         false,
                         {},
                         "testo: byte non UTF-8 alla riga 1, colonna 2"},
        caso_conversione{"controllo",
                         "a\x07",
                         false,
                         {},
                         "testo: carattere di controllo U+0007 alla riga 1, "
                         "colonna 2 non ammesso"},
        caso_conversione{"controllo_c1",
                         "\xC2\x81",
                         false,
                         {},
                         "testo: carattere di controllo U+0081 alla riga 1, "
                         "colonna 1 non ammesso"},
        caso_conversione{
            "voce_con_accento", "Nicol\xC3\xB2", true, {"Nicol\xF2"}, ""},
        caso_conversione{"voce_su_due_righe",
                         "Ugo\nBassi",
                         true,
                         {},
                         "autore: carattere di controllo U+000A alla colonna "
                         "4 non ammesso"}),
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

TEST(TestoAutore, MaiuscoleDiWindows1252) {
  EXPECT_EQ(maiuscole_cp1252("Magr\xE8/ Magreid \x9A\x9C\x9E\xFF \xDF\xF7 7"),
            "MAGR\xC8/ MAGREID \x8A\x8C\x8E\x9F \xDF\xF7 7");
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
