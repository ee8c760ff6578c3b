#include "page/pagina_etichette.h"

#include <algorithm>

namespace {

// Characters, not bytes: a UTF-8 continuation byte adds no width.
std::size_t caratteri(const std::string& utf8) {
  return static_cast<std::size_t>(std::count_if(
      utf8.begin(), utf8.end(),
      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A margin kept around every label, so that estimated and measured boxes
// agree on what touches.
constexpr double aria = 1.5;

}  // namespace

bool si_sovrappongono(const scatola_etichetta& a, const scatola_etichetta& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

scatola_etichetta riquadro_etichetta(double x, double y,
                                     const std::string& testo, double corpo,
                                     const posto_etichetta& p) {
  // A generous average advance of a sans-serif face, capitals included.
  const double larghezza = 0.64 * corpo * static_cast<double>(caratteri(testo));
  const double ax = x + p.dx - larghezza * p.ancora / 2.0;
  const double ay = y + p.dy;
  return {ax - aria, ay - 0.82 * corpo - aria, ax + larghezza + aria,
          ay + 0.25 * corpo + aria};
}

std::optional<posto_etichetta> collocatore_etichette::colloca(
    double x, double y, const std::string& testo, double corpo,
    const std::vector<posto_etichetta>& posti) {
  for (const posto_etichetta& p : posti) {
    const scatola_etichetta r = riquadro_etichetta(x, y, testo, corpo, p);
    if (r.x0 < area_.x0 || r.x1 > area_.x1 || r.y0 < area_.y0 ||
        r.y1 > area_.y1)
      continue;
    const bool libero = std::none_of(
        presi_.begin(), presi_.end(),
        [&r](const scatola_etichetta& q) { return si_sovrappongono(r, q); });
    if (libero) {
      presi_.push_back(r);
      return p;
    }
  }
  return std::nullopt;
}
