#include "platform/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, ConversioneDaUtf8) {
  struct caso {
    const char* utf8;
    bool valido;
    const char* atteso;
  };
  const caso casi[] = {
      {"Valdora_Cesina", true, "Valdora_Cesina"},
      {"Magr\xC3\xA8", true, "Magr\xE8"},  // è
      {"\xE2\x82\xAC"
       "5",
       true,
       "\x80"
       "5"},                               // the euro sign
      {"\xC5\xA0koda", true, "\x8Akoda"},  // Š
      {"\xE4\xB8\xAD", false, ""},         // a Chinese character
      {"\xF0\x9F\x9A\x82", false, ""},     // an emoji
      {"\xC3", false, ""},                 // cut short
      {"\xC0\xAF", false, ""},             // overlong
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.utf8);
    std::string risultato;
    EXPECT_EQ(utf8_a_cp1252(c.utf8, risultato), c.valido);
    if (c.valido) {
      EXPECT_EQ(risultato, c.atteso);
      EXPECT_EQ(cp1252_a_utf8(risultato), c.utf8);
    }
  }
}

TEST(Cp1252, OgniByteSiConverteInUtf8EIndietro) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::string indietro;
    ASSERT_TRUE(utf8_a_cp1252(cp1252_a_utf8(byte), indietro)) << b;
    EXPECT_EQ(indietro, byte) << b;
  }
}

TEST(Cp1252, Minuscole) {
  const std::pair<unsigned char, unsigned char> casi[] = {
      {'A', 'a'},           {'Z', 'z'},           {'a', 'a'},
      {'5', '5'},           {'_', '_'},           {0xC0, 0xE0},  // À
      {0xC8, 0xE8},         {0xD7, 0xD7} /* × */, {0xDE, 0xFE},
      {0xDF, 0xDF} /* ß */, {0x8A, 0x9A},         {0x8C, 0x9C},
      {0x8E, 0x9E},         {0x9F, 0xFF},         {0xE0, 0xE0}};
  for (auto [grande, piccola] : casi)
    EXPECT_EQ(minuscola_cp1252(grande), piccola) << int(grande);
}

}  // namespace
