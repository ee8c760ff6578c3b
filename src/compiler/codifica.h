// The little-endian encoding of the binary files: every multi-byte value is
// written low byte first, by shifts, whatever the machine's own byte order.
#ifndef COMPILER_CODIFICA_H_
#define COMPILER_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

inline void metti_byte(std::string& d, uint8_t v) { d += static_cast<char>(v); }

inline void metti_intero(std::string& d, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  d += static_cast<char>(u & 0xFF);
  d += static_cast<char>(u >> 8);
}

inline void metti_long(std::string& d, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int spostamento = 0; spostamento < 32; spostamento += 8) {
    d += static_cast<char>((u >> spostamento) & 0xFF);
  }
}

inline void metti_doppio(std::string& d, double v) {
  const auto u = std::bit_cast<uint64_t>(v);
  for (int spostamento = 0; spostamento < 64; spostamento += 8) {
    d += static_cast<char>((u >> spostamento) & 0xFF);
  }
}

// A text: its byte count as 16 bits, then its Windows-1252 bytes, no
// terminator. The reader never stores a text longer than 65535 bytes.
inline void metti_testo(std::string& d, std::string_view testo) {
  metti_intero(d, static_cast<int16_t>(static_cast<uint16_t>(testo.size())));
  d += testo;
}

#endif  // COMPILER_CODIFICA_H_
