// The order of the stations and the signals in the train-run description.
// Both write approach marks without looking at the cell, so where two marks
// fall on one cell the later line's stays: the line whose mark a cell shows
// goes after the others that mark it. Stations keep the order of their
// records; apart from that, stations come first, as an author writes them.
#include <queue>
#include <string>
#include <tuple>

#include "decompiler/lavoro.h"

namespace {

struct grafo {
  std::vector<std::vector<int32_t>> dopo;
  std::vector<int> prima;
  void arco(int32_t da, int32_t a) {
    dopo[static_cast<std::size_t>(da)].push_back(a);
    ++prima[static_cast<std::size_t>(a)];
  }
};

// For every cell: one line whose mark is the one it shows goes after every
// other line that marks it.
grafo precedenze(lavoro& l) {
  const std::size_t n = l.nodi.size();
  grafo g{std::vector<std::vector<int32_t>>(n), std::vector<int>(n, 0)};
  for (std::size_t r = 1; r < static_cast<std::size_t>(l.numero_stazioni); ++r)
    g.arco(static_cast<int32_t>(r - 1), static_cast<int32_t>(r));
  std::vector<std::vector<const scrittore_avvicinamento*>> per_cella(
      l.celle.size());
  for (const scrittore_avvicinamento& s : l.scrittori)
    per_cella[static_cast<std::size_t>(s.cella)].push_back(&s);
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const auto& scrittori = per_cella[static_cast<std::size_t>(i)];
    const uint8_t visto = l.c(i).avvicinamento;
    const scrittore_avvicinamento* ultimo = nullptr;
    for (const auto* s : scrittori)
      if (s->valore == visto) ultimo = s;
    if (ultimo == nullptr) {
      if (visto != 0 || !scrittori.empty())
        l.segnala(voce_inspiegata::tabella::celle, i,
                  "segno di avvicinamento " + std::to_string(visto) +
                      " che nessuna riga lascia");
      continue;
    }
    for (const auto* s : scrittori)
      if (s->valore != visto && s->nodo != ultimo->nodo)
        g.arco(s->nodo, ultimo->nodo);
  }
  return g;
}

}  // namespace

std::vector<int32_t> ordine_treno(lavoro& l) {
  grafo g = precedenze(l);
  // Stations before signals, then by record or cell.
  using chiave = std::tuple<bool, int32_t, int32_t>;
  std::priority_queue<chiave, std::vector<chiave>, std::greater<>> pronti;
  auto metti = [&](int32_t n) {
    const nodo_treno& x = l.nodi[static_cast<std::size_t>(n)];
    pronti.emplace(!x.stazione, x.indice, n);
  };
  for (std::size_t n = 0; n < l.nodi.size(); ++n)
    if (g.prima[n] == 0) metti(static_cast<int32_t>(n));
  std::vector<int32_t> ordine;
  while (!pronti.empty()) {
    const int32_t n = std::get<2>(pronti.top());
    pronti.pop();
    ordine.push_back(n);
    for (int32_t m : g.dopo[static_cast<std::size_t>(n)])
      if (--g.prima[static_cast<std::size_t>(m)] == 0) metti(m);
  }
  if (ordine.size() != l.nodi.size()) {
    l.segnala(voce_inspiegata::tabella::celle, -1,
              "segni di avvicinamento che nessun ordine delle righe lascia");
    for (std::size_t n = 0; n < l.nodi.size(); ++n)
      if (g.prima[n] > 0) ordine.push_back(static_cast<int32_t>(n));
  }
  return ordine;
}
