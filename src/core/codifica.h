// Explicit little-endian byte order for the binary files: every multi-byte
// value is stored low byte first, whatever the machine's own byte order: on
// a little-endian machine a plain copy of the value's bytes, elsewhere by
// shifts. (A loop of shifts is not merged into one store by the compiler, and
// it was three quarters of the time of encoding a long route's plan.)
// `metti_*` store into a buffer and return the position after the value;
// `aggiungi_*` append to a string; `prendi_*` load.
#ifndef CORE_CODIFICA_H_
#define CORE_CODIFICA_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <typename U>
inline char* metti_senza_segno(char* p, U u) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &u, sizeof u);
  } else {
    for (std::size_t i = 0; i < sizeof u; ++i)
      p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  }
  return p + sizeof u;
}

inline char* metti_i16(char* p, int16_t v) {
  return metti_senza_segno(p, static_cast<uint16_t>(v));
}
inline char* metti_i32(char* p, int32_t v) {
  return metti_senza_segno(p, static_cast<uint32_t>(v));
}
inline char* metti_f64(char* p, double v) {
  return metti_senza_segno(p, std::bit_cast<uint64_t>(v));
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

template <typename U>
inline U prendi_senza_segno(const char* p) {
  U valore = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&valore, p, sizeof valore);
  } else {
    for (std::size_t i = 0; i < sizeof valore; ++i)
      valore |= static_cast<U>(U{static_cast<uint8_t>(p[i])} << (8 * i));
  }
  return valore;
}
inline uint8_t prendi_u8(const char* p) { return static_cast<uint8_t>(*p); }
inline int16_t prendi_i16(const char* p) {
  return static_cast<int16_t>(prendi_senza_segno<uint16_t>(p));
}
inline int32_t prendi_i32(const char* p) {
  return static_cast<int32_t>(prendi_senza_segno<uint32_t>(p));
}
inline double prendi_f64(const char* p) {
  return std::bit_cast<double>(prendi_senza_segno<uint64_t>(p));
}

#endif  // CORE_CODIFICA_H_
