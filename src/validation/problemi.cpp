#include "validation/problemi.h"

#include <algorithm>
#include <tuple>

void ordina_problemi(std::vector<problema>& problemi) {
  auto chiave = [](const problema& p) {
    const int file = p.fonte == fonte_lettura::descrizione_linea   ? 0
                     : p.fonte == fonte_lettura::descrizione_treno ? 1
                                                                   : 2;
    return std::make_tuple(file, p.riga, p.colonna);
  };
  std::stable_sort(problemi.begin(), problemi.end(),
                   [&](const problema& a, const problema& b) {
                     return chiave(a) < chiave(b);
                   });
}

std::size_t conta(const std::vector<problema>& problemi, gravita g) {
  std::size_t quanti = 0;
  for (const problema& p : problemi) {
    if (p.g == g) quanti += p.quanti;
  }
  return quanti;
}

std::size_t conta_oltre(const std::vector<problema>& problemi,
                        std::size_t primi) {
  std::size_t quanti = 0;
  for (std::size_t i = primi; i < problemi.size(); ++i)
    quanti += problemi[i].quanti;
  return quanti;
}

void limita_problemi(std::vector<problema>& problemi, std::size_t massimo) {
  if (problemi.size() <= massimo) return;
  std::size_t oltre[2] = {0, 0};
  for (std::size_t i = massimo; i < problemi.size(); ++i)
    oltre[problemi[i].g == gravita::errore ? 0 : 1] += problemi[i].quanti;
  problemi.resize(massimo);
  for (gravita g : {gravita::errore, gravita::avviso}) {
    const std::size_t n = oltre[g == gravita::errore ? 0 : 1];
    if (n == 0) continue;
    problema resto;
    resto.g = g;
    resto.quanti = n;
    resto.testo =
        g == gravita::errore
            ? plurale("{0} more error not listed", "{0} more errors not listed",
                      n, {std::to_string(n)})
            : plurale("{0} more warning not listed",
                      "{0} more warnings not listed", n, {std::to_string(n)});
    problemi.push_back(std::move(resto));
  }
}
