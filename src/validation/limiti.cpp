#include "validation/limiti.h"

#include <algorithm>
#include <limits>
#include <string>

#include "tables/metri.h"
#include "validation/problemi_di_voce.h"

namespace {

// A warning at a value, placed on the metre where the item stands.
problema avviso_a_valore(const voce& v, const valore_letto& val, messaggio m) {
  problema p = a_valore(v, val, gravita::avviso, std::move(m));
  p.metro = static_cast<int32_t>(v.numero(0));
  return p;
}

bool posizione_letta(const voce& v) {
  return v.completa() && v.valori[0].numerico && v.numero(0) >= 0;
}

// A speed board that sets a limit: its cell and the values that hold a speed
// (0 shows none). A board with stripes only announces the board ahead, as
// the train sheet reads it, and sets no limit of its own.
struct cartello {
  const voce* v = nullptr;
  int64_t cella = 0;
  std::vector<std::size_t> velocita;

  int64_t piu_alta() const { return v->numero(estremo(true)); }
  // The value that holds the highest speed, or the lowest.
  std::size_t estremo(bool alta) const {
    return *std::max_element(velocita.begin(), velocita.end(),
                             [&](std::size_t a, std::size_t b) {
                               return alta ? v->numero(a) < v->numero(b)
                                           : v->numero(a) > v->numero(b);
                             });
  }
};

// The boards that set a limit, in the order of their cells (a later line
// after an earlier one at the same cell).
std::vector<cartello> cartelli_di(const descrizione_letta& linea) {
  std::vector<cartello> cartelli;
  for (const voce& v : linea.voci) {
    if (v.chiave != parola::indicatori_vmax || !posizione_letta(v)) continue;
    if (v.numero(4) != 0 || v.numero(8) != 0) continue;  // stripes
    cartello c;
    c.v = &v;
    c.cella =
        cella_del_metro(static_cast<double>(v.numero(0)), aggancio::punto);
    for (std::size_t n : {1, 2, 3, 5, 6, 7})
      if (v.numero(n) > 0) c.velocita.push_back(n);
    if (!c.velocita.empty()) cartelli.push_back(std::move(c));
  }
  std::stable_sort(
      cartelli.begin(), cartelli.end(),
      [](const cartello& a, const cartello& b) { return a.cella < b.cella; });
  return cartelli;
}

// The board in force at cell `cella`: the last at or before it, or null.
const cartello* cartello_in_vigore(const std::vector<cartello>& cartelli,
                                   int64_t cella) {
  const auto dopo = std::upper_bound(
      cartelli.begin(), cartelli.end(), cella,
      [](int64_t c, const cartello& x) { return c < x.cella; });
  return dopo == cartelli.begin() ? nullptr : &*(dopo - 1);
}

bool velocita_letta(const voce& v) {
  return v.chiave == parola::velocita && posizione_letta(v) &&
         v.valori[1].numerico;
}

// The line of the higher limit; either may be null.
const voce* piu_alta(const voce* a, const voce* b) {
  return a == nullptr || (b != nullptr && b->numero(1) > a->numero(1)) ? b : a;
}

constexpr int64_t oltre = std::numeric_limits<int64_t>::max();

// The train's own limit cell by cell, as the compiler fills the cells: each
// `velocita` line's speed holds from the cell round(P / 50) on, the cells
// before it keep the speed before, a line whose cell is not past the cells
// already filled still fills one more with the speed before, and the end of
// the reading fills the rest with the last one.
class limiti_del_treno {
 public:
  explicit limiti_del_treno(const descrizione_letta& treno) {
    const voce* in_vigore = nullptr;  // nothing before the first line
    int64_t riempite = 0;             // the cells below this one are filled
    for (const voce& v : treno.voci) {
      if (!velocita_letta(v)) continue;
      const int64_t n =
          cella_del_metro(static_cast<double>(v.numero(0)), aggancio::tratto);
      if (n > 0) {
        const int64_t fino = std::max(n, riempite + 1);
        tratti_.push_back({riempite, fino, in_vigore});
        riempite = fino;
      }
      in_vigore = &v;
    }
    tratti_.push_back({riempite, oltre, in_vigore});
  }

  // The line of the highest limit over cells `da` to `a` - 1, or null when
  // none is in force there (nothing, or a limit of 0).
  const voce* massima(int64_t da, int64_t a) const {
    auto t =
        std::partition_point(tratti_.begin(), tratti_.end(),
                             [da](const tratto& x) { return x.fino <= da; });
    const voce* trovata = nullptr;
    for (; t != tratti_.end() && t->da < a; ++t)
      trovata = piu_alta(trovata, t->v);
    return trovata != nullptr && trovata->numero(1) > 0 ? trovata : nullptr;
  }

 private:
  // Cells `da` to `fino` - 1 hold the limit of `v`.
  struct tratto {
    int64_t da, fino;
    const voce* v;
  };
  std::vector<tratto> tratti_;
};

void rallentamento_troppo_veloce(const voce& r,
                                 const std::vector<cartello>& cartelli,
                                 const limiti_del_treno& treno,
                                 std::vector<problema>& p) {
  const int64_t velocita = r.numero(1);
  const int64_t cella =
      cella_del_metro(static_cast<double>(r.numero(0)), aggancio::punto);
  const voce* proprio = treno.massima(cella, cella + 1);
  const cartello* c = cartello_in_vigore(cartelli, cella);
  if (proprio == nullptr && c == nullptr) return;
  const int64_t del_treno = proprio != nullptr ? proprio->numero(1) : 0;
  const int64_t del_cartello = c != nullptr ? c->piu_alta() : 0;
  const bool dal_treno =
      proprio != nullptr && (c == nullptr || del_treno <= del_cartello);
  const int64_t in_forza = dal_treno ? del_treno : del_cartello;
  if (velocita <= in_forza) return;
  messaggio m =
      dal_treno
          ? messaggio{N_("{0} at {1} m: {2} km/h is above the train's own "
                         "limit in force there, {3} km/h (velocita, line "
                         "{4}): a slowdown can only lower the speed"),
                      {r.scritta, r.valori[0].testo, r.valori[1].testo,
                       numero(in_forza), numero(proprio->riga)}}
          : messaggio{
                N_("{0} at {1} m: {2} km/h is above every speed of "
                   "the speed board in force there, {3} km/h "
                   "(indicatori_vmax at {4} m, line description line "
                   "{5}): a slowdown can only lower the speed"),
                {r.scritta, r.valori[0].testo, r.valori[1].testo,
                 numero(in_forza), c->v->valori[0].testo, numero(c->v->riga)}};
  p.push_back(avviso_a_valore(r, r.valori[1], std::move(m)));
}

}  // namespace

void controlla_limiti_in_vigore(const descrizione_letta& linea,
                                const descrizione_letta& treno,
                                std::vector<problema>& p) {
  const std::vector<cartello> cartelli = cartelli_di(linea);
  const limiti_del_treno limiti(treno);
  for (const voce& r : treno.voci) {
    if (r.chiave == parola::rallentamento && posizione_letta(r) &&
        r.valori[1].numerico)
      rallentamento_troppo_veloce(r, cartelli, limiti, p);
  }
}

void controlla_cartelli_nascosti(const descrizione_letta& linea,
                                 const descrizione_letta& treno,
                                 std::vector<problema>& p) {
  const limiti_del_treno limiti(treno);
  const voce* massima = limiti.massima(0, oltre);
  if (massima == nullptr) return;
  const std::vector<cartello> cartelli = cartelli_di(linea);
  // Each board holds up to the cell of the next one at another cell.
  std::vector<int64_t> fine(cartelli.size() + 1, oltre);
  for (std::size_t k = cartelli.size(); k-- > 1;) {
    fine[k - 1] = cartelli[k].cella != cartelli[k - 1].cella ? cartelli[k].cella
                                                             : fine[k];
  }
  for (std::size_t k = 0; k < cartelli.size(); ++k) {
    const cartello& c = cartelli[k];
    const voce* proprio = limiti.massima(c.cella, fine[k]);
    const std::size_t bassa = c.estremo(false);
    const int64_t piu_bassa = c.v->numero(bassa);
    // A train slower than the board everywhere is not hidden from it: the
    // board is simply not for it.
    if (proprio == nullptr || piu_bassa <= proprio->numero(1) ||
        piu_bassa > massima->numero(1))
      continue;
    p.push_back(avviso_a_valore(
        *c.v, c.v->valori[bassa],
        {N_("{0} at {1} m: every speed on the board, the lowest {2} km/h, is "
            "above the train's own limit all along the stretch that the "
            "board governs, {3} km/h at most (velocita, line {4}), though "
            "that limit reaches {5} km/h elsewhere (line {6}): it hides the "
            "board; a velocita line at {1} m raises it if the board is meant "
            "for this train"),
         {c.v->scritta, c.v->valori[0].testo, c.v->valori[bassa].testo,
          proprio->valori[1].testo, numero(proprio->riga),
          massima->valori[1].testo, numero(massima->riga)}}));
  }
}
