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

std::string nome_vicino(std::string_view dato,
                        const std::vector<std::string>& nomi) {
  std::string migliore;
  std::size_t minima = std::numeric_limits<std::size_t>::max();
  for (const std::string& nome : nomi) {
    const std::size_t distanza = distanza_modifica(dato, nome);
    if (distanza < minima) {
      minima = distanza;
      migliore = nome;
    }
  }
  if (!migliore.empty() && abbastanza_vicina(dato, minima)) return migliore;
  const auto iniziano = std::count_if(
      nomi.begin(), nomi.end(),
      [&](const std::string& nome) { return inizio_di(dato, nome); });
  if (iniziano != 1) return "";
  return *std::find_if(nomi.begin(), nomi.end(), [&](const std::string& nome) {
    return inizio_di(dato, nome);
  });
}
