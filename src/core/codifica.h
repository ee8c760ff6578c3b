// Explicit little-endian byte order for the binary files: every multi-byte
// value is stored low byte first, by shifts, whatever the machine's own byte
// order. `metti_*` store into a buffer and return the position after the
// value; `aggiungi_*` append to a string; `prendi_*` load.
#ifndef CORE_CODIFICA_H_
#define CORE_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

inline char* metti_i16(char* p, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  p[0] = static_cast<char>(u & 0xFF);
  p[1] = static_cast<char>(u >> 8);
  return p + 2;
}

inline char* metti_i32(char* p, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  return p + 4;
}

inline char* metti_f64(char* p, double v) {
  const auto u = std::bit_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  return p + 8;
}

inline void aggiungi_u8(std::string& d, uint8_t v) {
  d += static_cast<char>(v);
}
inline void aggiungi_i16(std::string& d, int16_t v) {
  char b[2];
  d.append(b, metti_i16(b, v));
}
inline void aggiungi_i32(std::string& d, int32_t v) {
  char b[4];
  d.append(b, metti_i32(b, v));
}
inline void aggiungi_f64(std::string& d, double v) {
  char b[8];
  d.append(b, metti_f64(b, v));
}

// A text: its byte count as 16 bits, then its bytes, no terminator. Callers
// never pass a text longer than 65535 bytes.
inline void aggiungi_testo(std::string& d, std::string_view testo) {
  aggiungi_i16(d, static_cast<int16_t>(testo.size()));
  d += testo;
}

inline uint64_t prendi_senza_segno(const char* p, int byte) {
  uint64_t valore = 0;
  for (int i = 0; i < byte; ++i)
    valore |= uint64_t{static_cast<uint8_t>(p[i])} << (8 * i);
  return valore;
}
inline uint8_t prendi_u8(const char* p) { return static_cast<uint8_t>(*p); }
inline int16_t prendi_i16(const char* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(prendi_senza_segno(p, 2)));
}
inline int32_t prendi_i32(const char* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(prendi_senza_segno(p, 4)));
}
inline double prendi_f64(const char* p) {
  return std::bit_cast<double>(prendi_senza_segno(p, 8));
}

#endif  // CORE_CODIFICA_H_
