// The plan of the track as the page draws it: turned so that the route runs
// from left to right, in metres, y growing downwards as on the page; and the
// few points of it that a screen can show.
#ifndef PAGE_PAGINA_PIANO_H_
#define PAGE_PAGINA_PIANO_H_

#include <cstdint>
#include <map>
#include <vector>

#include "tables/tabelle.h"

struct punto_piano {
  double x, y;
};

class piano_pagina {
 public:
  // The turn takes the route's start to its end (`lunghezza`) as the x axis.
  piano_pagina(const coordinate_piano& p, int32_t lunghezza);

  // Whether there are at least two metres to draw.
  bool presente() const { return ultimo_ >= 1; }
  // The last metre with both coordinates (finite) in a row from metre 0.
  int32_t ultimo() const { return ultimo_; }
  // The turned point of a metre, clamped to 0 .. ultimo().
  punto_piano in_metri(int32_t metro) const;

  // The metres of the points that draw the track from `da` to `a` within
  // `tolleranza` metres of every metre of it, both ends included, in order.
  std::vector<int32_t> semplifica(int32_t da, int32_t a,
                                  double tolleranza) const;

 private:
  punto_piano dal_piano(int32_t metro) const;

  const coordinate_piano& p_;
  int32_t ultimo_ = -1;
  double coseno_ = 1, seno_ = 0;
  double x0_ = 0, y0_ = 0;  // metre 0, which every turned point is taken from
  // The points of the metres that semplifica kept, which the drawings ask for
  // again: so they are not read from the plan a second time.
  mutable std::map<int32_t, punto_piano> tenuti_;
};

// The tolerance of the drawn track: a fraction of a metre on a short route,
// a few metres on a long one, so that its points stay a few thousand.
double tolleranza_del_tracciato(int32_t lunghezza);

#endif  // PAGE_PAGINA_PIANO_H_
