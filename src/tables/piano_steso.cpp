#include "tables/piano_steso.h"

cammino_piano::cammino_piano(const piano_steso& p) : p_(p) {
  // Metre 1 as seeded (0, 1), or Empty (0, 0); the first step goes on from
  // it along the difference from metre 0.
  y_ = p.seminato ? 1.0 : 0.0;
  dy_ = y_;
}

metro_piano cammino_piano::prossimo() {
  const int32_t m = metro_++;
  if (m < 2) {
    if (!p_.seminato) return {tipo_variante::vuoto, 0.0, 0.0};
    return {tipo_variante::intero, 0.0, m == 0 ? 0.0 : 1.0};
  }
  if (m >= p_.raggiunto) return {tipo_variante::vuoto, 0.0, 0.0};
  while (p_.tratti[tratto_].fino < m) ++tratto_;
  const double k = p_.tratti[tratto_].k;
  const double nx = k == 0.0 ? x_ + dx_ : x_ + (dx_ + k * dy_);
  const double ny = k == 0.0 ? y_ + dy_ : y_ + (dy_ - k * dx_);
  dx_ = nx - x_;
  dy_ = ny - y_;
  x_ = nx;
  y_ = ny;
  return {tipo_variante::doppio, nx, ny};
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
