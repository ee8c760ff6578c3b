#include "compiler/codici_gara.h"

#include <gtest/gtest.h>

namespace {

TEST(CodiciGara, EsempiLavorati) {
  struct caso {
    const char* treno;
    const char* linea;
    const char* testo;
    int32_t og;
    int32_t st;
  };
  const caso casi[] = {
      {"KT52806", "Valdora_Cesina", "kt52806valdora_cesinaaabb", 2341, 32008},
      {"Valdora_Cesina", "KT52806", "valdora_cesinakt52806aabb", 2341, 28515},
      {"A", "b", "abaabbccddeeffgghhiillmmn", 2557, 33957},
      {"a", "B", "abaabbccddeeffgghhiillmmn", 2557, 33957},
      {"b", "A", "baaabbccddeeffgghhiillmmn", 2557, 33956},
      {"", "", "aabbccddeeffgghhiillmmnno", 2583, 34355},
      {"ABCDEFGHIJKLMNOPQRSTUVWXY", "Z", "abcdefghijklmnopqrstuvwxy", 2725,
       36725},
      // Accented capitals are lower-cased too: "À" counts as "à" (224).
      {"\xC0", "",
       "\xE0"
       "aabbccddeeffgghhiillmmnn",
       224 + 2583 - 'o', 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.treno) + " / " + c.linea);
    tabella_stazioni stazioni;
    stazioni[record_nome_treno].nome = c.treno;
    stazioni[record_linea].nome = c.linea;
    EXPECT_EQ(testo_codice_gara(stazioni), c.testo);
    EXPECT_EQ(codice_gara_og(stazioni), c.og);
    if (c.st != 0) {
      EXPECT_EQ(codice_gara_st(stazioni), c.st);
    }
  }
}

TEST(CodiciGara, IlMassimoPesatoSupera16Bit) {
  tabella_stazioni stazioni;
  stazioni[record_nome_treno].nome = std::string(25, '\xFF');
  EXPECT_EQ(codice_gara_og(stazioni), 25 * 255);
  EXPECT_EQ(codice_gara_st(stazioni), 82875);
}

}  // namespace
