#include "validation/problemi.h"

#include <algorithm>
#include <tuple>

std::string componi(const messaggio& m) {
  std::string testo;
  for (std::size_t i = 0; i < m.formato.size(); ++i) {
    const char c = m.formato[i];
    const std::size_t chiusa = m.formato.find('}', i);
    if (c == '{' && chiusa != std::string::npos && chiusa - i == 2 &&
        m.formato[i + 1] >= '0' && m.formato[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(m.formato[i + 1] - '0');
      if (n < m.argomenti.size()) testo += m.argomenti[n];
      i = chiusa;
      continue;
    }
    testo += c;
  }
  return testo;
}

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
  return static_cast<std::size_t>(
      std::count_if(problemi.begin(), problemi.end(),
                    [g](const problema& p) { return p.g == g; }));
}
