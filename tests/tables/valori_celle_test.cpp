// The codecs of a cell's values: what each value becomes in the file's bytes,
// and what the bytes read back as. Negative values and the edges of each
// field are where truncating division or an off-by-one rule would show.
#include "tables/valori_celle.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "esadecimale.h"
#include "tables/formato.h"

namespace {

std::string byte_di(int16_t dato) {
  const auto u = static_cast<uint16_t>(dato);
  return esadecimale(
      std::string{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)});
}

// A signal cell as the compiler fills it, from the codecs.
cella cella_di_segnale(const valori_segnale& v, int32_t tempo) {
  const auto stretto = [](int64_t x) { return static_cast<int32_t>(x); };
  int32_t d1, d2, d3, d4;
  EXPECT_TRUE(coppia_segnale(stretto(v.s1), stretto(v.d1), d1));
  EXPECT_TRUE(coppia_segnale(stretto(v.s2), stretto(v.d2), d2));
  EXPECT_TRUE(coppia_segnale(stretto(v.s3), stretto(v.d3), d3));
  EXPECT_TRUE(
      quarto_dato_segnale(stretto(v.rapp), stretto(v.sx), stretto(v.dx), d4));
  cella c;
  c.tipo = cella_segnale;
  c.dato1 = static_cast<int16_t>(d1);
  c.dato2 = static_cast<int16_t>(d2);
  c.dato3 = static_cast<int16_t>(d3);
  c.dato4 = static_cast<int16_t>(d4);
  c.tempo = tempo_in_cella(stretto(v.sx), tempo_alzato(tempo));
  return c;
}

TEST(ValoriCelle, SegnaliAlByteETornoIndietro) {
  struct caso {
    const char* nome;
    valori_segnale v;
    int32_t tempo;
    const char* byte;  // the whole cell, 15 bytes
  };
  const caso casi[] = {
      {"lati_diversi",
       {1, 4, 1, 0, 0, 2, 3, 1, 0},
       0,
       "01 2B 00 0B 00 00 00 05 00 00 00 00 00 00 00"},
      {"sinistro_2_con_tempo",
       {2, 4, 1, 0, 3, 0, 3, 2, 0},
       150,
       "01 2B 00 0C 00 00 00 24 00 96 00 00 00 00 00"},
      {"tempo_100_alzato_a_101",
       {2, 0, 0, 0, 0, 1, 0, 0, 0},
       100,
       "01 00 00 00 00 00 00 07 00 65 00 00 00 00 00"},
      {"tempo_356_resta_100",
       {2, 0, 0, 0, 0, 1, 0, 0, 0},
       356,
       "01 00 00 00 00 00 00 07 00 64 00 00 00 00 00"},
      {"valori_negativi",
       {0, -1, 0, 0, -1, 2, 3, 0, 0},
       0,
       "01 F9 FF 00 00 00 00 F8 FF 00 00 00 00 00 00"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    const cella c = cella_di_segnale(k.v, k.tempo);
    std::string d;
    codifica_cella(d, c);
    EXPECT_EQ(esadecimale(d), k.byte);
    const valori_segnale letto = decodifica_segnale(c);
    EXPECT_EQ(letto.sx, k.v.sx);
    EXPECT_EQ(letto.dx, k.v.dx);
    EXPECT_EQ(letto.s1, k.v.s1);
    EXPECT_EQ(letto.d1, k.v.d1);
    EXPECT_EQ(letto.s2, k.v.s2);
    EXPECT_EQ(letto.d2, k.v.d2);
    EXPECT_EQ(letto.s3, k.v.s3);
    EXPECT_EQ(letto.d3, k.v.d3);
    EXPECT_EQ(letto.rapp, k.v.rapp);
  }
}

TEST(ValoriCelle, SegniDiAvvicinamento) {
  EXPECT_EQ(segno_segnale(5, 1), uint8_t{51});
  EXPECT_EQ(segno_segnale(25, 4), uint8_t{254});
  EXPECT_EQ(segno_segnale(26, 1), uint8_t{5});  // 261, its low 8 bits
  EXPECT_EQ(segno_segnale(-1, 4), uint8_t{250});
  EXPECT_EQ(segno_segnale(int64_t{1} << 31, 1), std::nullopt);
  EXPECT_EQ(segno_segnale(214748365, 1), std::nullopt);  // × 10 overflows
}

// The time value that decompiling writes stores the same byte again, for
// every byte; 1 to 100 only come from a value 256 higher.
TEST(ValoriCelle, TempoScrittoRidaLoStessoByte) {
  const std::pair<int, int64_t> casi[] = {{0, 0},     {1, 257},   {99, 355},
                                          {100, 356}, {101, 101}, {255, 255}};
  for (auto [byte, scritto] : casi)
    EXPECT_EQ(tempo_scritto(static_cast<uint8_t>(byte)), scritto) << byte;
  for (int byte = 0; byte <= 255; ++byte) {
    const auto t =
        static_cast<int32_t>(tempo_scritto(static_cast<uint8_t>(byte)));
    EXPECT_EQ(tempo_in_cella(2, tempo_alzato(t)), byte) << byte;
  }
  EXPECT_EQ(tempo_in_cella(1, 150), 0);
  EXPECT_EQ(tempo_alzato(0), 0);
  EXPECT_EQ(tempo_alzato(1), 101);
  EXPECT_EQ(tempo_alzato(100), 101);
  EXPECT_EQ(tempo_alzato(101), 101);
  EXPECT_EQ(tempo_alzato(-5), -5);
}

// A time stored with the signal says its left side is 2, whatever the last
// digit of dato4 would suggest.
TEST(ValoriCelle, IlTempoDiceSinistro2) {
  EXPECT_EQ(lati_divisi(9, 0), (std::pair<int64_t, int64_t>{3, 0}));
  EXPECT_EQ(lati_divisi(9, 150), (std::pair<int64_t, int64_t>{2, 3}));
  EXPECT_EQ(lati_divisi(5, 0), (std::pair<int64_t, int64_t>{1, 2}));
  EXPECT_EQ(lati_divisi(7, 0), (std::pair<int64_t, int64_t>{2, 1}));
}

TEST(ValoriCelle, IndicatoriAlByteETornoIndietro) {
  struct caso {
    int32_t sinistra, destra;
    const char* byte;
  };
  const caso casi[] = {
      {100, 105, "E5 07"}, {150, 100, "CC 0B"}, {120, 130, "7A 09"},
      {0, 495, "63 00"},   {5, 0, "64 00"},     {0, 0, "00 00"},
      {-5, 5, "9D FF"},    {-5, 0, "9C FF"},    {1635, 335, "FF 7F"},
      {-1635, 0, "44 80"}, {95, 97, "7F 07"},  // 97 / 5 rounds to 19
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(std::to_string(k.sinistra) + "/" + std::to_string(k.destra));
    int16_t dato = 0;
    ASSERT_TRUE(codifica_velocita_cartello(k.sinistra, k.destra, dato));
    EXPECT_EQ(byte_di(dato), k.byte);
    if (k.destra % 5 != 0) continue;
    const velocita_lati v = decodifica_velocita_cartello(dato);
    EXPECT_EQ(v.sinistra, k.sinistra);
    EXPECT_EQ(v.destra, k.destra);
  }
  int16_t dato = 7;
  EXPECT_FALSE(codifica_velocita_cartello(1640, 0, dato));
  EXPECT_FALSE(codifica_velocita_cartello(-1640, -5, dato));
  EXPECT_EQ(dato, 7);
}

// Whatever an Integer holds, its decoded speeds encode to it again.
TEST(ValoriCelle, OgniValoreDiIndicatoreTornaUguale) {
  for (int32_t x = std::numeric_limits<int16_t>::min();
       x <= std::numeric_limits<int16_t>::max(); ++x) {
    const velocita_lati v =
        decodifica_velocita_cartello(static_cast<int16_t>(x));
    int16_t dato = 0;
    ASSERT_TRUE(codifica_velocita_cartello(
        static_cast<int32_t>(v.sinistra), static_cast<int32_t>(v.destra), dato))
        << x;
    ASSERT_EQ(dato, x);
  }
}

TEST(ValoriCelle, Strisce) {
  const std::tuple<int16_t, int16_t, const char*> casi[] = {
      {2, 1, "15 00"}, {0, 0, "00 00"}, {-1, 3, "F9 FF"}, {0, 9, "09 00"}};
  for (auto [sinistra, destra, byte] : casi) {
    const int16_t dato = codifica_strisce(sinistra, destra);
    EXPECT_EQ(byte_di(dato), byte);
    const velocita_lati v = decodifica_strisce(dato);
    EXPECT_EQ(v.sinistra, sinistra);
    EXPECT_EQ(v.destra, destra);
  }
}

TEST(ValoriCelle, VelocitaEPendenza) {
  const std::tuple<int32_t, std::optional<int>, int> velocita[] = {
      {0, 0, 0},   {100, 20, 100},          {12, 2, 10},
      {13, 3, 15}, {1275, 255, 1275},       {1277, 255, 1275},
      {-2, 0, 0},  {1278, std::nullopt, 0}, {-3, std::nullopt, 0}};
  for (auto [kmh, byte, letti] : velocita) {
    SCOPED_TRACE(kmh);
    uint8_t b = 0;
    ASSERT_EQ(codifica_velocita(kmh, b), byte.has_value());
    if (!byte) continue;
    EXPECT_EQ(b, *byte);
    EXPECT_EQ(decodifica_velocita(b), letti);
    EXPECT_EQ(velocita_tenuta(kmh), letti);
  }
  const std::tuple<int32_t, std::optional<int>, int> pendenze[] = {
      {0, 100, 0},
      {-100, 0, -100},
      {155, 255, 155},
      {156, 0, -100},
      {-101, 255, 155},
      {6, 106, 6},
      {std::numeric_limits<int32_t>::max(), std::nullopt, 0}};
  for (auto [per_mille, byte, letta] : pendenze) {
    SCOPED_TRACE(per_mille);
    uint8_t b = 0;
    ASSERT_EQ(codifica_pendenza(per_mille, b), byte.has_value());
    if (!byte) continue;
    EXPECT_EQ(b, *byte);
    EXPECT_EQ(decodifica_pendenza(b), letta);
    EXPECT_EQ(pendenza_tenuta(per_mille), letta);
  }
  EXPECT_EQ(pendenza_tenuta(int64_t{1} << 40), 0);  // only the low 8 bits
}

TEST(ValoriCelle, ProgressivaDecrescenteSopraDi100) {
  EXPECT_EQ(valore_progressiva(12000, 0), 12000);
  EXPECT_EQ(valore_progressiva(12000, 1), 11900);
  EXPECT_EQ(valore_progressiva(0, 1), -100);
}

// A board text's cell names its record in dato1; a number that no record of
// the table has names none, so that no reader looks past the table.
TEST(ValoriCelle, RecordDelCartello) {
  const std::tuple<int32_t, const char*> scritti[] = {
      {80, "50 00"}, {1, "01 00"}, {79, "4F 00"}};
  for (auto [record, byte] : scritti) {
    SCOPED_TRACE(record);
    const int16_t dato = codifica_record_cartello(record);
    EXPECT_EQ(byte_di(dato), byte);
    EXPECT_EQ(decodifica_record_cartello(dato), record);
  }
  const std::tuple<int16_t, std::optional<int32_t>> letti[] = {
      {0, 0},
      {86, 86},
      {87, std::nullopt},
      {-1, std::nullopt},
      {std::numeric_limits<int16_t>::min(), std::nullopt},
      {std::numeric_limits<int16_t>::max(), std::nullopt}};
  for (auto [dato, record] : letti) {
    SCOPED_TRACE(dato);
    EXPECT_EQ(decodifica_record_cartello(dato), record);
  }
}

std::string byte_di_32(int32_t valore) {
  const auto u = static_cast<uint32_t>(valore);
  std::string byte;
  for (int k = 0; k < 4; ++k) byte += static_cast<char>((u >> (8 * k)) & 0xFF);
  return esadecimale(byte);
}

// A station's time: what the reader keeps, its four bytes, and the hours,
// minutes and seconds that write it again (floor division: a negative time
// keeps its minutes and seconds from 0 to 59). A step that does not fit 32
// bits, the product as well as the sum, is refused: so the lowest time's
// parts by floor division do not write it again.
TEST(ValoriCelle, OrarioDellaStazione) {
  struct caso {
    int32_t ore, minuti, secondi;
    std::optional<int32_t> orario;
    const char* byte;
    ora_stazione letta;
    bool riscritta = true;  // the parts read encode to the same time
  };
  const caso casi[] = {
      {0, 0, 0, 0, "00 00 00 00", {0, 0, 0}},
      {8, 0, 0, 28800, "80 70 00 00", {8, 0, 0}},
      {23, 59, 59, 86399, "7F 51 01 00", {23, 59, 59}},
      {24, 0, 0, 86400, "80 51 01 00", {24, 0, 0}},
      {1, 90, 0, 9000, "28 23 00 00", {2, 30, 0}},
      {0, 0, -1, -1, "FF FF FF FF", {-1, 59, 59}},
      {0, -1, 0, -60, "C4 FF FF FF", {-1, 59, 0}},
      {-1, 0, 0, -3600, "F0 F1 FF FF", {-1, 0, 0}},
      {596523, 14, 7, 2147483647, "FF FF FF 7F", {596523, 14, 7}},
      {-596523,
       -14,
       -8,
       -2147483647 - 1,
       "00 00 00 80",
       {-596524, 45, 52},
       false},
      {596523, 14, 8, std::nullopt, "", {}},
      {596524, 0, 0, std::nullopt, "", {}},
      {35791395, 0, 0, std::nullopt, "", {}},  // h × 60 is past 32 bits
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(std::to_string(k.ore) + ":" + std::to_string(k.minuti) + ":" +
                 std::to_string(k.secondi));
    int32_t orario = 7;
    ASSERT_EQ(codifica_orario(k.ore, k.minuti, k.secondi, orario),
              k.orario.has_value());
    if (!k.orario) {
      EXPECT_EQ(orario, 7);
      continue;
    }
    EXPECT_EQ(orario, *k.orario);
    EXPECT_EQ(byte_di_32(orario), k.byte);
    const ora_stazione o = decodifica_orario(orario);
    EXPECT_EQ(o.ore, k.letta.ore);
    EXPECT_EQ(o.minuti, k.letta.minuti);
    EXPECT_EQ(o.secondi, k.letta.secondi);
    int32_t di_nuovo = 0;
    ASSERT_EQ(codifica_orario(static_cast<int32_t>(o.ore),
                              static_cast<int32_t>(o.minuti),
                              static_cast<int32_t>(o.secondi), di_nuovo),
              k.riscritta);
    if (k.riscritta) {
      EXPECT_EQ(di_nuovo, orario);
    }
  }
}

}  // namespace
