// The order of the stations and the signals in the train-run description.
// Both write approach marks without looking at the cell, so where marks fall
// on one cell the last line's stays. The order is built from its end: a line
// may follow all the lines not yet placed when every cell it marks either
// shows its mark or is marked by a line already placed after it. Placing a
// line only settles cells, so it never keeps another from being placed, and
// this finds an order whenever there is one. Stations keep the order of their
// records, and a signal that a stop cell covers goes before its station;
// among the lines free to go last, signals go after stations, and a higher
// cell or record after a lower one.
#include <algorithm>
#include <queue>
#include <span>
#include <string>
#include <tuple>

#include "decompiler/passi.h"

namespace {

struct costruzione {
  const tabelle_lette& t;
  const std::vector<nodo_treno>& nodi;
  int32_t numero_stazioni;
  // The marks of each line, and every mark by its cell (few cells have one:
  // a list per cell of a long route would cost more than the marks).
  std::vector<std::vector<const scrittore_avvicinamento*>> segni_del_nodo;
  std::vector<const scrittore_avvicinamento*> segni_per_cella;
  // Cells whose mark a line already placed decides; for each line, its marks
  // that differ from what their cells show there and are not yet decided.
  std::vector<bool> decisa;
  std::vector<int> contrari;
  std::vector<bool> posto;
  // The covered signals of each station record.
  std::vector<std::vector<int32_t>> coperti;
  // Stations before signals, then by record or cell; the greatest goes last.
  using chiave = std::tuple<bool, int32_t, int32_t>;
  std::priority_queue<chiave> pronti;

  costruzione(const tabelle_lette& tavole, const std::vector<nodo_treno>& n,
              const std::vector<scrittore_avvicinamento>& scrittori,
              int32_t stazioni)
      : t(tavole),
        nodi(n),
        numero_stazioni(stazioni),
        segni_del_nodo(n.size()),
        decisa(tavole.numero_celle(), false),
        contrari(n.size(), 0),
        posto(n.size(), false),
        coperti(static_cast<std::size_t>(stazioni) + 1) {
    for (std::size_t k = 0; k < nodi.size(); ++k)
      if (nodi[k].prima_di > 0)
        coperti[static_cast<std::size_t>(nodi[k].prima_di)].push_back(
            static_cast<int32_t>(k));
    for (const scrittore_avvicinamento& s : scrittori) {
      segni_del_nodo[static_cast<std::size_t>(s.nodo)].push_back(&s);
      segni_per_cella.push_back(&s);
      if (s.valore != t.c(s.cella).avvicinamento)
        ++contrari[static_cast<std::size_t>(s.nodo)];
    }
    std::stable_sort(segni_per_cella.begin(), segni_per_cella.end(),
                     [](auto* a, auto* b) { return a->cella < b->cella; });
  }

  std::span<const scrittore_avvicinamento* const> segni_della_cella(
      int32_t cella) const {
    const auto fine = segni_per_cella.end();
    const auto da =
        std::partition_point(segni_per_cella.begin(), fine,
                             [cella](auto* s) { return s->cella < cella; });
    const auto a = std::partition_point(
        da, fine, [cella](auto* s) { return s->cella == cella; });
    return {da, a};
  }

  // A station goes only before the stations of later records, a covered
  // signal only before its station (the station of record r is line r - 1).
  bool libero(int32_t n) const {
    const auto k = static_cast<std::size_t>(n);
    if (posto[k] || contrari[k] > 0) return false;
    const nodo_treno& x = nodi[k];
    if (x.prima_di > 0) return posto[static_cast<std::size_t>(x.prima_di - 1)];
    return !x.stazione || x.indice == numero_stazioni ||
           posto[static_cast<std::size_t>(x.indice)];
  }
  void proponi(int32_t n) {
    if (!libero(n)) return;
    const nodo_treno& x = nodi[static_cast<std::size_t>(n)];
    pronti.emplace(!x.stazione, x.indice, n);
  }
  void poni(int32_t n) {
    posto[static_cast<std::size_t>(n)] = true;
    for (const scrittore_avvicinamento* s :
         segni_del_nodo[static_cast<std::size_t>(n)]) {
      const auto c = static_cast<std::size_t>(s->cella);
      if (decisa[c]) continue;
      decisa[c] = true;
      const uint8_t visto = t.c(s->cella).avvicinamento;
      for (const scrittore_avvicinamento* altro : segni_della_cella(s->cella)) {
        if (altro->valore == visto) continue;
        --contrari[static_cast<std::size_t>(altro->nodo)];
        proponi(altro->nodo);
      }
    }
    const nodo_treno& x = nodi[static_cast<std::size_t>(n)];
    if (!x.stazione) return;
    if (x.indice > 1) proponi(x.indice - 2);
    for (int32_t coperto : coperti[static_cast<std::size_t>(x.indice)])
      proponi(coperto);
  }
};

}  // namespace

esito_ordine ordine_treno(const tabelle_lette& t,
                          const std::vector<nodo_treno>& nodi,
                          const std::vector<scrittore_avvicinamento>& scrittori,
                          int32_t numero_stazioni) {
  costruzione k(t, nodi, scrittori, numero_stazioni);
  for (std::size_t n = 0; n < nodi.size(); ++n)
    k.proponi(static_cast<int32_t>(n));
  std::vector<int32_t> dalla_fine;
  while (!k.pronti.empty()) {
    const int32_t n = std::get<2>(k.pronti.top());
    k.pronti.pop();
    if (k.posto[static_cast<std::size_t>(n)]) continue;
    k.poni(n);
    dalla_fine.push_back(n);
  }
  esito_ordine e{{dalla_fine.rbegin(), dalla_fine.rend()}, {}};
  if (e.ordine.size() != nodi.size()) {
    e.r.segnala(voce_inspiegata::tabella::celle, -1,
                {N_("approach marks that no order of the lines leaves")});
    for (std::size_t n = nodi.size(); n-- > 0;)
      if (!k.posto[n])
        e.ordine.insert(e.ordine.begin(), static_cast<int32_t>(n));
  }
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const uint8_t visto = t.c(i).avvicinamento;
    if (visto != 0 && !k.decisa[static_cast<std::size_t>(i)])
      e.r.segnala(voce_inspiegata::tabella::celle, i,
                  {N_("approach mark {0} that no line leaves"),
                   {std::to_string(visto)}});
  }
  return e;
}
