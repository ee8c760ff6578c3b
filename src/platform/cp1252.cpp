#include "platform/cp1252.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> alti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codice_di(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F) return alti[c - 0x80];
  return c;
}

bool byte_di(char32_t codice, unsigned char& byte) {
  if (codice < 0x80 || (codice >= 0xA0 && codice <= 0xFF)) {
    byte = static_cast<unsigned char>(codice);
    return true;
  }
  for (std::size_t i = 0; i < alti.size(); ++i) {
    if (alti[i] == codice) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

void aggiungi_utf8(std::string& uscita, char32_t codice) {
  if (codice < 0x80) {
    uscita += static_cast<char>(codice);
  } else if (codice < 0x800) {
    uscita += static_cast<char>(0xC0 | (codice >> 6));
    uscita += static_cast<char>(0x80 | (codice & 0x3F));
  } else {
    uscita += static_cast<char>(0xE0 | (codice >> 12));
    uscita += static_cast<char>(0x80 | ((codice >> 6) & 0x3F));
    uscita += static_cast<char>(0x80 | (codice & 0x3F));
  }
}

}  // namespace

unsigned char minuscola_cp1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A:
      return 0x9A;  // Š
    case 0x8C:
      return 0x9C;  // Œ
    case 0x8E:
      return 0x9E;  // Ž
    case 0x9F:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

unsigned char maiuscola_cp1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return c;
  }
}

namespace {

// The code point of the UTF-8 sequence at `i` and its length; false for a
// sequence that is not well-formed.
bool sequenza_utf8(std::string_view utf8, std::size_t i, char32_t& codice,
                   std::size_t& lunghezza) {
  const auto primo = static_cast<unsigned char>(utf8[i]);
  if (primo < 0x80) {
    codice = primo;
    lunghezza = 1;
  } else if ((primo & 0xE0) == 0xC0) {
    codice = primo & 0x1F;
    lunghezza = 2;
  } else if ((primo & 0xF0) == 0xE0) {
    codice = primo & 0x0F;
    lunghezza = 3;
  } else if ((primo & 0xF8) == 0xF0) {
    codice = primo & 0x07;
    lunghezza = 4;
  } else {
    return false;
  }
  if (i + lunghezza > utf8.size()) return false;
  for (std::size_t k = 1; k < lunghezza; ++k) {
    const auto seguito = static_cast<unsigned char>(utf8[i + k]);
    if ((seguito & 0xC0) != 0x80) return false;
    codice = (codice << 6) | (seguito & 0x3F);
  }
  // Overlong forms are not valid UTF-8, nor are surrogates and code points
  // beyond U+10FFFF, which no character has.
  return !((lunghezza == 2 && codice < 0x80) ||
           (lunghezza == 3 && codice < 0x800) ||
           (lunghezza == 4 && codice < 0x10000) ||
           (codice >= 0xD800 && codice <= 0xDFFF) || codice > 0x10FFFF);
}

}  // namespace

bool utf8_valido(std::string_view testo) {
  char32_t codice;
  std::size_t lunghezza;
  for (std::size_t i = 0; i < testo.size(); i += lunghezza) {
    if (!sequenza_utf8(testo, i, codice, lunghezza)) return false;
  }
  return true;
}

bool utf8_a_cp1252(std::string_view utf8, std::string& risultato,
                   std::size_t& dove, char32_t& codice) {
  risultato.clear();
  std::size_t lunghezza;
  for (std::size_t i = 0; i < utf8.size(); i += lunghezza) {
    unsigned char byte;
    if (!sequenza_utf8(utf8, i, codice, lunghezza)) {
      dove = i;
      codice = 0;
      return false;
    }
    if (!byte_di(codice, byte)) {
      dove = i;
      return false;
    }
    risultato += static_cast<char>(byte);
  }
  return true;
}

bool utf8_a_cp1252(std::string_view utf8, std::string& risultato) {
  std::size_t dove;
  char32_t codice;
  return utf8_a_cp1252(utf8, risultato, dove, codice);
}

std::string cp1252_a_utf8(std::string_view testo) {
  std::string uscita;
  uscita.reserve(testo.size());
  for (char c : testo)
    aggiungi_utf8(uscita, codice_di(static_cast<unsigned char>(c)));
  return uscita;
}
