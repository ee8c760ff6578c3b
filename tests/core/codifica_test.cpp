// The little-endian encoding: exact bytes of every width.
#include "core/codifica.h"

#include <gtest/gtest.h>

#include <functional>

#include "esadecimale.h"

namespace {

TEST(Codifica, ByteEsattiLittleEndian) {
  struct caso {
    const char* nome;
    std::function<void(std::string&)> scrivi;
    const char* attesi;
  };
  const caso casi[] = {
      {"byte", [](std::string& d) { aggiungi_u8(d, 0xAB); }, "AB"},
      {"intero_5121", [](std::string& d) { aggiungi_i16(d, 5121); }, "01 14"},
      {"intero_negativo", [](std::string& d) { aggiungi_i16(d, -2); }, "FE FF"},
      {"long_46250", [](std::string& d) { aggiungi_i32(d, 46250); },
       "AA B4 00 00"},
      {"long_minimo", [](std::string& d) { aggiungi_i32(d, INT32_MIN); },
       "00 00 00 80"},
      {"doppio_2", [](std::string& d) { aggiungi_f64(d, 2.0); },
       "00 00 00 00 00 00 00 40"},
      {"doppio_negativo", [](std::string& d) { aggiungi_f64(d, -0.003); },
       "FA 7E 6A BC 74 93 68 BF"},
      {"testo", [](std::string& d) { aggiungi_testo(d, "Magr\xE8"); },
       "05 00 4D 61 67 72 E8"},
      {"testo_vuoto", [](std::string& d) { aggiungi_testo(d, ""); }, "00 00"},
  };
  for (const caso& c : casi) {
    std::string d;
    c.scrivi(d);
    EXPECT_EQ(esadecimale(d), c.attesi) << c.nome;
  }
}

}  // namespace
