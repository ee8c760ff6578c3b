#include "cli/formati.h"

#include <cstdio>

#include "tables/valori_celle.h"

std::string ora_del_giorno(int32_t secondi) {
  if (secondi < 0) return "";
  const ora_stazione ora = decodifica_orario(secondi);
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02lld:%02lld:%02lld",
                static_cast<long long>(ora.ore),
                static_cast<long long>(ora.minuti),
                static_cast<long long>(ora.secondi));
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
