// Bytes written as hexadecimal pairs, for exact-byte expectations.
#ifndef TESTS_ESADECIMALE_H_
#define TESTS_ESADECIMALE_H_

#include <cstdio>
#include <string>

inline std::string esadecimale(const std::string& byte) {
  std::string testo;
  char cifre[4];
  for (unsigned char b : byte) {
    std::snprintf(cifre, sizeof cifre, "%02X ", b);
    testo += cifre;
  }
  if (!testo.empty()) testo.pop_back();
  return testo;
}

#endif  // TESTS_ESADECIMALE_H_
