// Walking the plan that the compiler lays (piano_steso, in tabelle.h) metre by
// metre, as it is written.
#ifndef TABLES_PIANO_STESO_H_
#define TABLES_PIANO_STESO_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "tables/tabelle.h"

// One metre of the plan: each axis Empty, an Integer or a Double.
struct metro_piano {
  tipo_variante tipo;
  double x, y;
};

// Walks a laid plan from metre 0 on, computing each step with the same doubles
// in the same order as laying it metre by metre would.
class cammino_piano {
 public:
  explicit cammino_piano(const piano_steso& p);
  // The element of the current metre; then the walk moves to the next one.
  metro_piano prossimo();

 private:
  const piano_steso* p_;  // a pointer, so that a walk can be assigned
  int32_t metro_ = 0;
  std::size_t tratto_ = 0;
  double x_ = 0, y_ = 0, dx_ = 0, dy_ = 0;
};

// Inline: it runs for every metre of both axes as the plan is written.
inline metro_piano cammino_piano::prossimo() {
  const int32_t m = metro_++;
  if (m < 2) {
    if (!p_->seminato) return {tipo_variante::vuoto, 0.0, 0.0};
    return {tipo_variante::intero, 0.0, m == 0 ? 0.0 : 1.0};
  }
  if (m >= p_->raggiunto) return {tipo_variante::vuoto, 0.0, 0.0};
  while (p_->tratti[tratto_].fino < m) ++tratto_;
  const double k = p_->tratti[tratto_].k;
  const double nx = k == 0.0 ? x_ + dx_ : x_ + (dx_ + k * dy_);
  const double ny = k == 0.0 ? y_ + dy_ : y_ + (dy_ - k * dx_);
  dx_ = nx - x_;
  dy_ = ny - y_;
  x_ = nx;
  y_ = ny;
  return {tipo_variante::doppio, nx, ny};
}

// The whole plan as coordinates, for the few views that need every metre at
// once.
coordinate_piano coordinate_del_piano(const piano_steso& p);

// The same coordinates, laid a block of metres at a time as they are asked
// for: the walk is kept at the start of every block, so that a block is laid
// again from there with the same doubles, and the plan of a long route is
// never held whole.
coordinate_piano coordinate_a_blocchi(const piano_steso& p);

#endif  // TABLES_PIANO_STESO_H_
