#include "validation/limiti.h"

#include <algorithm>
#include <limits>
#include <string>

#include "tables/metri.h"

namespace {

std::string numero(int64_t n) { return std::to_string(n); }

problema a_valore(const voce& v, const valore_letto& val, messaggio m) {
  problema p;
  p.g = gravita::avviso;
  p.fonte = v.fonte;
  p.riga = val.riga;
  p.colonna = val.colonna;
  p.parola = v.scritta;
  p.testo = std::move(m);
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
  return cartelli;
}

// The board in force at cell `cella`: the nearest at or before it (two
// boards never share a cell; the later line wins if they do).
const cartello* cartello_in_vigore(const std::vector<cartello>& cartelli,
                                   int64_t cella) {
  const cartello* trovato = nullptr;
  for (const cartello& c : cartelli) {
    if (c.cella <= cella && (trovato == nullptr || c.cella >= trovato->cella))
      trovato = &c;
  }
  return trovato;
}

bool velocita_letta(const voce& v) {
  return v.chiave == parola::velocita && posizione_letta(v) &&
         v.valori[1].numerico;
}

// The line of the higher limit; either may be null.
const voce* piu_alta(const voce* a, const voce* b) {
  return a == nullptr || (b != nullptr && b->numero(1) > a->numero(1)) ? b : a;
}

// The train's own limit over cells `da` to `a` - 1, as the compiler fills the
// cells: each `velocita` line's speed holds from the cell round(P / 50) on,
// the cells before it keep the speed before, and a line whose cell is not
// past the cells already filled still fills one more with the speed before.
// The line of the highest limit in force there, or null when none is
// (nothing before the first line, or a limit of 0).
const voce* velocita_nel_tratto(const descrizione_letta& treno, int64_t da,
                                int64_t a) {
  const voce* in_vigore = nullptr;
  const voce* massima = nullptr;
  int64_t riempite = 0;  // the cells below this one are filled
  for (const voce& v : treno.voci) {
    if (!velocita_letta(v)) continue;
    const int64_t n =
        cella_del_metro(static_cast<double>(v.numero(0)), aggancio::tratto);
    if (n > 0) {
      const int64_t fino = std::max(n, riempite + 1);
      if (riempite < a && fino > da) massima = piu_alta(massima, in_vigore);
      riempite = fino;
    }
    in_vigore = &v;
  }
  // The end of the reading fills the rest with the last limit.
  if (riempite < a) massima = piu_alta(massima, in_vigore);
  return massima != nullptr && massima->numero(1) > 0 ? massima : nullptr;
}

void rallentamento_troppo_veloce(const voce& r,
                                 const std::vector<cartello>& cartelli,
                                 const descrizione_letta& treno,
                                 std::vector<problema>& p) {
  const int64_t velocita = r.numero(1);
  const int64_t cella =
      cella_del_metro(static_cast<double>(r.numero(0)), aggancio::punto);
  const voce* proprio = velocita_nel_tratto(treno, cella, cella + 1);
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
  p.push_back(a_valore(r, r.valori[1], std::move(m)));
}

}  // namespace

void controlla_limiti_in_vigore(const descrizione_letta& linea,
                                const descrizione_letta& treno,
                                std::vector<problema>& p) {
  const std::vector<cartello> cartelli = cartelli_di(linea);
  for (const voce& r : treno.voci) {
    if (r.chiave == parola::rallentamento && posizione_letta(r) &&
        r.valori[1].numerico)
      rallentamento_troppo_veloce(r, cartelli, treno, p);
  }
}

void controlla_cartelli_nascosti(const descrizione_letta& linea,
                                 const descrizione_letta& treno,
                                 std::vector<problema>& p) {
  constexpr int64_t oltre = std::numeric_limits<int64_t>::max();
  const voce* massima = velocita_nel_tratto(treno, 0, oltre);
  if (massima == nullptr) return;
  const std::vector<cartello> cartelli = cartelli_di(linea);
  for (const cartello& c : cartelli) {
    // The board holds up to the cell of the next one.
    int64_t fine = oltre;
    for (const cartello& d : cartelli)
      if (d.cella > c.cella) fine = std::min(fine, d.cella);
    const voce* proprio = velocita_nel_tratto(treno, c.cella, fine);
    const std::size_t bassa = c.estremo(false);
    const int64_t piu_bassa = c.v->numero(bassa);
    // A train slower than the board everywhere is not hidden from it: the
    // board is simply not for it.
    if (proprio == nullptr || piu_bassa <= proprio->numero(1) ||
        piu_bassa > massima->numero(1))
      continue;
    p.push_back(a_valore(
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
