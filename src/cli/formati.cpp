#include "cli/formati.h"

#include <cstdio>

std::string ora_del_giorno(int32_t secondi) {
  if (secondi < 0) return "";
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600,
                secondi / 60 % 60, secondi % 60);
  return testo;
}

std::string numero_breve(double x) {
  char testo[64];
  std::snprintf(testo, sizeof testo, "%.6g", x);
  return testo;
}

std::string numero_1(double x) {
  char testo[48];
  std::snprintf(testo, sizeof testo, "%.1f", x);
  return testo;
}
