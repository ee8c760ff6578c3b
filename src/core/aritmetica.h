// Long (32-bit signed) arithmetic on the values of the descriptions: a result
// that does not fit 32 bits is refused, never wrapped.
#ifndef CORE_ARITMETICA_H_
#define CORE_ARITMETICA_H_

#include <cmath>
#include <cstdint>
#include <limits>

// True when `x` fits 32 bits; it is then stored in `risultato`.
inline bool entra_in_32(int64_t x, int32_t& risultato) {
  if (x < std::numeric_limits<int32_t>::min() ||
      x > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  risultato = static_cast<int32_t>(x);
  return true;
}

// a + b, a - b and a * b, each refused when it does not fit 32 bits; a refused
// operation leaves `risultato` as it was.
inline bool somma_32(int32_t a, int32_t b, int32_t& risultato) {
  return entra_in_32(int64_t{a} + b, risultato);
}
inline bool differenza_32(int32_t a, int32_t b, int32_t& risultato) {
  return entra_in_32(int64_t{a} - b, risultato);
}
inline bool prodotto_32(int32_t a, int32_t b, int32_t& risultato) {
  return entra_in_32(int64_t{a} * b, risultato);
}

// Rounding to the nearest whole number, halves to the even neighbour (212.5
// gives 212, 213.5 gives 214).
inline double arrotonda(double x) { return std::nearbyint(x); }

#endif  // CORE_ARITMETICA_H_
