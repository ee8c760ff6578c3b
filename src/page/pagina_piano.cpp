#include "page/pagina_piano.h"

#include <algorithm>
#include <cmath>
#include <utility>

piano_pagina::piano_pagina(const coordinate_piano& p, int32_t lunghezza)
    : p_(p) {
  // The metres in a row from 0 that have both coordinates, finite.
  ultimo_ = p.metri_pieni() - 1;
  if (p.presente()) {
    x0_ = p.x(0);
    y0_ = p.y(0);
  }
  if (ultimo_ < 1) return;
  const int32_t fine = std::clamp(lunghezza, 1, ultimo_);
  const double dx = p.x(fine) - p.x(0), dy = p.y(fine) - p.y(0);
  const double lato = std::hypot(dx, dy);
  if (lato > 0 && std::isfinite(lato)) {
    coseno_ = dx / lato;
    seno_ = dy / lato;
  }
}

punto_piano piano_pagina::in_metri(int32_t metro) const {
  const int32_t m = std::clamp(metro, 0, std::max(0, ultimo_));
  const auto noto = tenuti_.find(m);
  return noto != tenuti_.end() ? noto->second : dal_piano(m);
}

punto_piano piano_pagina::dal_piano(int32_t m) const {
  const double x = p_.x(m) - x0_, y = p_.y(m) - y0_;
  // Turned by minus the chord's angle; the plan's y grows upwards, the page's
  // downwards.
  return {x * coseno_ + y * seno_, -(y * coseno_ - x * seno_)};
}

namespace {

constexpr int32_t pezzo = 10000;  // metres

// Squared, which is all a comparison needs and saves a root per metre.
double distanza2_dal_segmento(const punto_piano& q, const punto_piano& a,
                              const punto_piano& b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double lunghezza2 = vx * vx + vy * vy;
  double t = 0;
  if (lunghezza2 > 0)
    t = std::clamp(((q.x - a.x) * vx + (q.y - a.y) * vy) / lunghezza2, 0.0,
                   1.0);
  const double dx = q.x - (a.x + t * vx), dy = q.y - (a.y + t * vy);
  return dx * dx + dy * dy;
}

// Douglas and Peucker's method on the points of one piece, with a stack
// instead of recursion: a stretch whose farthest metre lies within the
// tolerance of its chord is drawn as the chord, any other is split there. The
// metres kept after the piece's first go to `tenuti`, in order.
void semplifica_pezzo(const std::vector<punto_piano>& punti, int32_t primo,
                      double tolleranza, std::vector<int32_t>& tenuti) {
  std::vector<std::pair<std::size_t, std::size_t>> da_fare{
      {0, punti.size() - 1}};
  while (!da_fare.empty()) {
    const auto [i, j] = da_fare.back();
    da_fare.pop_back();
    double peggiore = -1;
    std::size_t dove = i;
    for (std::size_t k = i + 1; k < j; ++k) {
      const double d = distanza2_dal_segmento(punti[k], punti[i], punti[j]);
      if (d > peggiore) {
        peggiore = d;
        dove = k;
      }
    }
    if (peggiore > tolleranza * tolleranza) {
      // The right half is done after the left one, so that the metres kept
      // come out in order.
      da_fare.push_back({dove, j});
      da_fare.push_back({i, dove});
    } else if (j > i) {
      tenuti.push_back(primo + static_cast<int32_t>(j));
    }
  }
}

}  // namespace

// Split first into pieces of a bounded length, so that the time grows with
// the route's length and not with the number of times it is split; each
// piece's points are read once, in order, and held only while it is
// simplified.
std::vector<int32_t> piano_pagina::semplifica(int32_t da, int32_t a,
                                              double tolleranza) const {
  da = std::clamp(da, 0, std::max(0, ultimo_));
  a = std::clamp(a, da, std::max(0, ultimo_));
  std::vector<int32_t> tenuti{da};
  // The pieces end a whole piece apart from `a`; the first one may be short.
  int32_t inizio = da;
  std::vector<punto_piano> punti;
  for (int32_t fine = a - (a - da - 1) / pezzo * pezzo; fine > da && fine <= a;
       inizio = fine, fine += pezzo) {
    punti.clear();
    for (int32_t m = inizio; m <= fine; ++m) punti.push_back(dal_piano(m));
    const std::size_t primo_nuovo = tenuti.size();
    semplifica_pezzo(punti, inizio, tolleranza, tenuti);
    if (inizio == da) tenuti_.emplace(da, punti.front());
    for (std::size_t k = primo_nuovo; k < tenuti.size(); ++k)
      tenuti_.emplace(tenuti[k],
                      punti[static_cast<std::size_t>(tenuti[k] - inizio)]);
  }
  return tenuti;
}

double tolleranza_del_tracciato(int32_t lunghezza) {
  return std::max(0.2, lunghezza / 250000.0);
}
