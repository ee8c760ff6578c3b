#include "decompiler/profili.h"

#include <algorithm>

namespace {

// The first cell after `da` whose byte differs, or `fine`.
int32_t fine_serie(const std::vector<uint8_t>& valori, int32_t da,
                   int32_t fine) {
  int32_t a = da + 1;
  while (a < fine && valori[static_cast<std::size_t>(a)] ==
                         valori[static_cast<std::size_t>(da)])
    ++a;
  return a;
}

// How far the fill must reach: cells from N - 2 on are filled only up to the
// last one that is not 0 (the reader would leave the others at 0 anyway).
int32_t estensione(const std::vector<uint8_t>& valori, int32_t ultima) {
  int32_t fine = ultima + 1;
  while (fine > ultima - 2 && valori[static_cast<std::size_t>(fine - 1)] == 0)
    --fine;
  return fine;
}

}  // namespace

std::vector<passo_profilo> righe_profilo(const std::vector<uint8_t>& valori) {
  const auto ultima = static_cast<int32_t>(valori.size()) - 1;
  const int32_t fine = estensione(valori, ultima);
  std::vector<passo_profilo> righe;
  if (fine <= 0) return righe;
  // The last position that passes the range check is cell N - 2.
  const int32_t ultima_riga = ultima - 2;
  int32_t g = 0;
  uint8_t corrente = valori[0];
  righe.push_back({0, corrente});
  while (g < fine) {
    const int32_t a = fine_serie(valori, g, fine);
    // The end fill writes the last run up to N - 3, or one cell beyond that.
    const int32_t esplicite =
        a < fine ? a : (fine > ultima_riga ? fine - 1 : g);
    const uint8_t seguente =
        a < fine ? valori[static_cast<std::size_t>(a)] : corrente;
    while (g < esplicite) {
      const int32_t p = std::min(esplicite, ultima_riga);
      const int32_t dopo = std::max(g + 1, p);
      righe.push_back({p, dopo >= esplicite ? seguente : corrente});
      g = dopo;
    }
    if (a >= fine) break;
    corrente = seguente;
  }
  return righe;
}
