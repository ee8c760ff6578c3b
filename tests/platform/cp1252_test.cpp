#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <string>

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

// Every byte of 0x80 to 0x9F, the block where the code page leaves Latin-1:
// each has its own character, and the five undefined bytes stay the control
// characters of the same number.
TEST(Cp1252, OgniByteDa80A9F) {
  const std::pair<unsigned char, const char*> casi[] = {
      {0x80, "\xE2\x82\xAC"},  // euro
      {0x81, "\xC2\x81"},      // (undefined)
      {0x82, "\xE2\x80\x9A"},  // low single quote
      {0x83, "\xC6\x92"},      // f with hook
      {0x84, "\xE2\x80\x9E"},  // low double quote
      {0x85, "\xE2\x80\xA6"},  // ellipsis
      {0x86, "\xE2\x80\xA0"},  // dagger
      {0x87, "\xE2\x80\xA1"},  // double dagger
      {0x88, "\xCB\x86"},      // circumflex
      {0x89, "\xE2\x80\xB0"},  // per mille
      {0x8A, "\xC5\xA0"},      // S caron
      {0x8B, "\xE2\x80\xB9"},  // left angle quote
      {0x8C, "\xC5\x92"},      // OE
      {0x8D, "\xC2\x8D"},      // (undefined)
      {0x8E, "\xC5\xBD"},      // Z caron
      {0x8F, "\xC2\x8F"},      // (undefined)
      {0x90, "\xC2\x90"},      // (undefined)
      {0x91, "\xE2\x80\x98"},  // left single quote
      {0x92, "\xE2\x80\x99"},  // right single quote
      {0x93, "\xE2\x80\x9C"},  // left double quote
      {0x94, "\xE2\x80\x9D"},  // right double quote
      {0x95, "\xE2\x80\xA2"},  // bullet
      {0x96, "\xE2\x80\x93"},  // en dash
      {0x97, "\xE2\x80\x94"},  // em dash
      {0x98, "\xCB\x9C"},      // small tilde
      {0x99, "\xE2\x84\xA2"},  // trade mark
      {0x9A, "\xC5\xA1"},      // s caron
      {0x9B, "\xE2\x80\xBA"},  // right angle quote
      {0x9C, "\xC5\x93"},      // oe
      {0x9D, "\xC2\x9D"},      // (undefined)
      {0x9E, "\xC5\xBE"},      // z caron
      {0x9F, "\xC5\xB8"},      // Y diaeresis
  };
  for (auto [byte, utf8] : casi) {
    SCOPED_TRACE(static_cast<int>(byte));
    const std::string uno(1, static_cast<char>(byte));
    EXPECT_EQ(cp1252_a_utf8(uno), utf8);
    std::string indietro;
    ASSERT_TRUE(utf8_a_cp1252(utf8, indietro));
    EXPECT_EQ(indietro, uno);
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

TEST(Cp1252, Maiuscole) {
  const std::pair<unsigned char, unsigned char> casi[] = {
      {'a', 'A'},           {'z', 'Z'},           {'A', 'A'},
      {'7', '7'},           {'/', '/'},           {0xE0, 0xC0},  // à
      {0xE8, 0xC8},         {0xF7, 0xF7} /* ÷ */, {0xFE, 0xDE},
      {0xDF, 0xDF} /* ß */, {0x9A, 0x8A},         {0x9C, 0x8C},
      {0x9E, 0x8E},         {0xFF, 0x9F},         {0xC0, 0xC0}};
  for (auto [piccola, grande] : casi)
    EXPECT_EQ(maiuscola_cp1252(piccola), grande) << int(piccola);
}

TEST(Cp1252, DoveLaConversioneSiFerma) {
  struct caso {
    const char* nome;
    std::string utf8;
    std::size_t dove;
    char32_t codice;  // 0: bytes that are not UTF-8
  };
  const caso casi[] = {
      {"lettera_senza_posto", "l\xC3\xA0 \xC5\x81odz", 4, U'\u0141'},
      {"emoji", "ab\xF0\x9F\x9A\x82", 2, U'\U0001F682'},
      {"seguito_isolato", "a\x80", 1, 0},
      {"tagliato", "\xE2\x82", 0, 0},
      {"troppo_lungo", "\xE0\x80\xAF", 0, 0},
      {"surrogato", "x\xED\xA0\x80", 1, 0},
      {"oltre_10ffff", "\xF4\x90\x80\x80", 0, 0},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string risultato;
    std::size_t dove = 99;
    char32_t codice = 99;
    EXPECT_FALSE(utf8_a_cp1252(c.utf8, risultato, dove, codice));
    EXPECT_EQ(dove, c.dove);
    EXPECT_EQ(codice, c.codice);
    EXPECT_EQ(utf8_valido(c.utf8), c.codice != 0);
  }
}

}  // namespace
