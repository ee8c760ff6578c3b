#include "core/distanza_modifica.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

char minuscola(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool stessa_lettera(char a, char b) { return minuscola(a) == minuscola(b); }

// From seven characters on, a word may hold two slips.
constexpr std::size_t lunghezza_per_due_modifiche = 7;

}  // namespace

namespace {

// The optimal-string-alignment table, three rows at a time, in rows of
// b.size() + 1 that the caller provides. A row's least entry is at least the
// least of the row before or one more than the least of the one before that:
// once two rows in a row are all above `limite`, so is the distance.
std::size_t distanza_in(std::string_view a, std::string_view b,
                        std::size_t* due_fa, std::size_t* prima,
                        std::size_t* ora, std::size_t limite) {
  for (std::size_t j = 0; j <= b.size(); ++j) prima[j] = j;
  bool oltre_prima = false;  // every entry of the row before above `limite`
  for (std::size_t i = 1; i <= a.size(); ++i) {
    ora[0] = i;
    std::size_t minimo = ora[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t diversa = stessa_lettera(a[i - 1], b[j - 1]) ? 0 : 1;
      ora[j] = std::min({prima[j] + 1, ora[j - 1] + 1, prima[j - 1] + diversa});
      if (i > 1 && j > 1 && stessa_lettera(a[i - 1], b[j - 2]) &&
          stessa_lettera(a[i - 2], b[j - 1])) {
        ora[j] = std::min(ora[j], due_fa[j - 2] + 1);
      }
      minimo = std::min(minimo, ora[j]);
    }
    if (minimo > limite && oltre_prima) return limite + 1;
    oltre_prima = minimo > limite;
    std::swap(due_fa, prima);
    std::swap(prima, ora);
  }
  return prima[b.size()];
}

// Keywords are short: their rows fit on the stack.
constexpr std::size_t riga_corta = 64;

}  // namespace

std::size_t distanza_modifica(std::string_view a, std::string_view b) {
  return distanza_entro(a, b, static_cast<std::size_t>(-1) - 1);
}

std::size_t distanza_entro(std::string_view a, std::string_view b,
                           std::size_t limite) {
  if (b.size() < riga_corta) {
    // Not zeroed: every entry is written before it is read, and the checks
    // ask for a distance for each keyword of each unknown field.
    std::array<std::size_t, riga_corta> due_fa, prima, ora;
    return distanza_in(a, b, due_fa.data(), prima.data(), ora.data(), limite);
  }
  std::vector<std::size_t> due_fa(b.size() + 1), prima(b.size() + 1),
      ora(b.size() + 1);
  return distanza_in(a, b, due_fa.data(), prima.data(), ora.data(), limite);
}

bool abbastanza_vicina(std::string_view dato, std::size_t distanza) {
  return distanza <= (dato.size() >= lunghezza_per_due_modifiche ? 2 : 1);
}
