#include "tables/piano_steso.h"

#include <algorithm>

#include "tables/blocchi_piano.h"

cammino_piano::cammino_piano(const piano_steso& p) : p_(&p) {
  // Metre 1 as seeded (0, 1), or Empty (0, 0); the first step goes on from
  // it along the difference from metre 0.
  y_ = p.seminato ? 1.0 : 0.0;
  dy_ = y_;
}

coordinate_piano coordinate_del_piano(const piano_steso& p) {
  coordinate_piano c;
  if (!p.presente()) return c;
  c.alloca(p.ultimo_metro);
  cammino_piano cammino(p);
  for (int32_t m = 0; m <= p.ultimo_metro; ++m) {
    const metro_piano e = cammino.prossimo();
    if (e.tipo == tipo_variante::vuoto) continue;
    for (int asse = 0; asse < 2; ++asse) {
      const double v = asse == 0 ? e.x : e.y;
      if (e.tipo == tipo_variante::intero) {
        c.poni_intero(m, asse, static_cast<int16_t>(v));
      } else {
        c.poni_doppio(m, asse, v);
      }
    }
  }
  return c;
}

namespace {

class blocchi_stesi : public blocchi_piano {
 public:
  explicit blocchi_stesi(const piano_steso& p)
      : blocchi_piano(p.ultimo_metro + 1), p_(p) {
    cammino_piano cammino(p_);
    for (int32_t m = 0; m < metri(); ++m) {
      if (m % metri_per_blocco == 0) inizi_.push_back(cammino);
      cammino.prossimo();
    }
  }

 private:
  void leggi_blocco(blocco_letto& b) const override {
    cammino_piano cammino = inizi_[static_cast<std::size_t>(b.numero)];
    const int32_t quanti =
        std::min(metri_per_blocco, metri() - b.numero * metri_per_blocco);
    b.tipi.fill(tipo_variante::vuoto);
    b.valori.fill(0.0);
    for (int32_t i = 0; i < quanti; ++i) {
      const metro_piano e = cammino.prossimo();
      const double v = b.asse == 0 ? e.x : e.y;
      const auto k = static_cast<std::size_t>(i);
      b.tipi[k] = e.tipo;
      // As coordinate_del_piano stores it.
      if (e.tipo == tipo_variante::intero) {
        b.valori[k] = static_cast<int16_t>(v);
      } else if (e.tipo == tipo_variante::doppio) {
        b.valori[k] = v;
      }
    }
  }

  const piano_steso p_;  // a copy: the stretches are a few bytes a curve
  std::vector<cammino_piano> inizi_;  // the walk at each block's first metre
};

}  // namespace

coordinate_piano coordinate_a_blocchi(const piano_steso& p) {
  coordinate_piano c;
  if (p.presente()) c.da_blocchi(std::make_shared<blocchi_stesi>(p));
  return c;
}
