#include "cli/suggerimento.h"

#include <algorithm>
#include <limits>

namespace {

char minuscola(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool stessa_lettera(char a, char b) { return minuscola(a) == minuscola(b); }

// `dato` begins `nome` and is long enough to mean something.
bool inizio_di(std::string_view dato, std::string_view nome) {
  return dato.size() >= 2 && dato.size() < nome.size() &&
         std::equal(dato.begin(), dato.end(), nome.begin(), stessa_lettera);
}

}  // namespace

std::size_t distanza_modifica(std::string_view a, std::string_view b) {
  // Three rows of the optimal-string-alignment table are enough.
  std::vector<std::size_t> due_fa(b.size() + 1), prima(b.size() + 1),
      ora(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) prima[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    ora[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t diversa = stessa_lettera(a[i - 1], b[j - 1]) ? 0 : 1;
      ora[j] = std::min({prima[j] + 1, ora[j - 1] + 1, prima[j - 1] + diversa});
      if (i > 1 && j > 1 && stessa_lettera(a[i - 1], b[j - 2]) &&
          stessa_lettera(a[i - 2], b[j - 1])) {
        ora[j] = std::min(ora[j], due_fa[j - 2] + 1);
      }
    }
    std::swap(due_fa, prima);
    std::swap(prima, ora);
  }
  return prima[b.size()];
}

std::string nome_vicino(std::string_view dato,
                        const std::vector<std::string>& nomi) {
  std::string migliore;
  std::size_t minima = std::numeric_limits<std::size_t>::max();
  for (const std::string& nome : nomi) {
    const std::size_t d = distanza_modifica(dato, nome);
    if (d < minima) {
      minima = d;
      migliore = nome;
    }
  }
  if (!migliore.empty() &&
      minima <= std::max<std::size_t>(1, migliore.size() / 3))
    return migliore;
  const auto iniziano = std::count_if(
      nomi.begin(), nomi.end(),
      [&](const std::string& nome) { return inizio_di(dato, nome); });
  if (iniziano != 1) return "";
  return *std::find_if(nomi.begin(), nomi.end(), [&](const std::string& nome) {
    return inizio_di(dato, nome);
  });
}
