#include "page/pagina_disegno.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "cli/formati.h"
#include "page/html.h"
#include "page/pagina_testi.h"

namespace {

constexpr double altezza_mappa = 432;  // as the script's for this width
constexpr double margine_mappa = 36;

const char* ancora_svg(int ancora) {
  return ancora == 0 ? "start" : ancora == 1 ? "middle" : "end";
}

// How many items of each detail kind stand on the route.
std::map<genere_voce, std::size_t> conta_generi(
    const std::vector<voce_disegno>& voci) {
  std::map<genere_voce, std::size_t> conti;
  for (const voce_disegno& v : voci) ++conti[v.g];
  return conti;
}

struct voce_posta {
  const voce_disegno* v;
  punto_piano p;
  bool visibile;
};

void scrivi_voce(std::ostream& o, const voce_posta& q, const aspetto_voce& a,
                 const segni_voce& s,
                 const std::optional<posto_etichetta>& dove) {
  const voce_disegno& v = *q.v;
  o << "<g class=\"v " << classe_del_genere(v.g) << (q.visibile ? "" : " fuori")
    << "\" data-k=\"" << v.chiave << "\" data-m=\"" << v.metro
    << "\" transform=\"translate(" << numero_1(q.p.x) << ',' << numero_1(q.p.y)
    << ")\">" << s.segno(v, q.p);
  // A label left out keeps no place: the script finds one for it.
  if (!v.etichetta.empty() && !a.posti.empty()) {
    if (dove) {
      o << "<text class=\"et\" x=\"" << dove->dx << "\" y=\"" << dove->dy
        << "\" text-anchor=\"" << ancora_svg(dove->ancora) << "\">";
    } else {
      o << "<text class=\"et muta\">";
    }
    o << xml(v.etichetta) << "</text>";
  }
  if (s.con_descrizione) o << "<title>" << xml(v.descrizione) << "</title>";
  o << "</g>\n";
}

}  // namespace

void scrivi_voci(std::ostream& o, const contenuto_disegni& c,
                 std::span<const aspetto_voce> aspetti, const segni_voce& s,
                 collocatore_etichette& etichette, double larghezza) {
  const auto conti = conta_generi(c.voci);
  const bool dettagli = c.v.lunghezza / larghezza <= metri_per_pixel_dettagli;
  std::vector<voce_posta> poste;
  for (const voce_disegno& v : c.voci) {
    const std::optional<punto_piano> p = s.posizione(v);
    if (!p) continue;
    const aspetto_voce& a = aspetto_di(aspetti, v.g);
    const bool visibile =
        !a.dettaglio || (dettagli && static_cast<double>(conti.at(v.g)) *
                                             spazio_per_dettaglio <=
                                         larghezza);
    poste.push_back({&v, *p, visibile});
    if (visibile && a.raggio > 0) {
      const double y = p->y + a.marca_dy;
      etichette.occupa(
          {p->x - a.raggio, y - a.raggio, p->x + a.raggio, y + a.raggio});
    }
  }
  o << "<g class=\"voci\">\n";
  for (const voce_posta& q : poste) {
    const aspetto_voce& a = aspetto_di(aspetti, q.v->g);
    std::optional<posto_etichetta> dove;
    if (q.visibile && !q.v->etichetta.empty())
      dove = etichette.colloca(q.p.x, q.p.y, q.v->etichetta, a.corpo, a.posti);
    scrivi_voce(o, q, a, s, dove);
  }
  o << "</g>\n";
}

double passo_tondo(double minimo) {
  // A scale from a damaged plan may be no number at all.
  if (!(minimo < 1e300)) return 1e300;
  double decade = std::pow(10.0, std::floor(std::log10(std::max(minimo, 1.0))));
  for (;; decade *= 10) {
    for (double f : {1.0, 2.0, 5.0}) {
      if (f * decade >= minimo) return f * decade;
    }
  }
}

std::string distanza(double metri) {
  if (std::fabs(metri) < 1000) return numero_breve(metri) + " m";
  return numero_breve(metri / 1000) + " " + parole::km();
}

namespace {

// --- The map --------------------------------------------------------------

// Turned metres to the page: one scale and a shift that fit the route into
// the drawing, as the script does for any range of it.
struct inquadratura {
  double scala = 1, dx = 0, dy = 0;

  punto_piano in_pagina(const punto_piano& q) const {
    return {q.x * scala + dx, q.y * scala + dy};
  }
};

inquadratura inquadra(const piano_pagina& piano,
                      const std::vector<int32_t>& metri) {
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
  for (int32_t m : metri) {
    const punto_piano q = piano.in_metri(m);
    x0 = std::min(x0, q.x);
    x1 = std::max(x1, q.x);
    y0 = std::min(y0, q.y);
    y1 = std::max(y1, q.y);
  }
  inquadratura i;
  i.scala = std::min(
      (larghezza_nominale - 2 * margine_mappa) / std::max(1.0, x1 - x0),
      (altezza_mappa - 2 * margine_mappa) / std::max(1.0, y1 - y0));
  i.dx = larghezza_nominale / 2 - (x0 + x1) / 2 * i.scala;
  i.dy = altezza_mappa / 2 - (y0 + y1) / 2 * i.scala;
  return i;
}

// Turned metres in the drawing's markup: tenths on a short route, whole metres
// on a long one, where a tenth is far below a pixel at any zoom.
std::string coordinata(double metri, int32_t lunghezza) {
  if (lunghezza > 200000) return std::to_string(std::lround(metri));
  return numero_1(metri);
}

void scrivi_punti(std::ostream& o, const piano_pagina& piano,
                  const std::vector<int32_t>& metri, int32_t lunghezza) {
  o << " points=\"";
  for (std::size_t i = 0; i < metri.size(); ++i) {
    const punto_piano q = piano.in_metri(metri[i]);
    o << (i ? " " : "") << coordinata(q.x, lunghezza) << ','
      << coordinata(q.y, lunghezza);
  }
  o << '"';
}

// The metres of the drawn track between `da` and `a`, both included.
std::vector<int32_t> metri_tra(const std::vector<int32_t>& tracciato,
                               int32_t da, int32_t a) {
  std::vector<int32_t> metri{da};
  for (int32_t m : tracciato) {
    if (m > da && m < a) metri.push_back(m);
  }
  metri.push_back(a);
  return metri;
}

void disegna_tracciato(std::ostream& o, const piano_pagina& piano,
                       const contenuto_disegni& c,
                       const std::vector<int32_t>& tracciato) {
  const int32_t l = c.v.lunghezza;
  o << "<polyline id=\"binario\" class=\"binario\" data-m=\"";
  for (std::size_t i = 0; i < tracciato.size(); ++i)
    o << (i ? " " : "") << tracciato[i];
  o << '"';
  scrivi_punti(o, piano, tracciato, l);
  o << "/>\n";
  const int32_t fine = std::min(l, piano.ultimo());
  if (fine < piano.ultimo()) {
    o << "<polyline class=\"oltre\"";
    scrivi_punti(o, piano, piano.semplifica(fine, piano.ultimo(), 1.0), l);
    o << "><title>" << parole::legenda_oltre() << "</title></polyline>\n";
  }
  for (const voce_tratto& t : c.tratti) {
    o << "<polyline class=\"tr " << classe_del_tratto(t.g) << "\" data-k=\""
      << t.chiave << '"';
    scrivi_punti(o, piano, metri_tra(tracciato, t.da, t.a), l);
    o << "><title>" << xml(t.descrizione) << "</title></polyline>\n";
  }
}

// clang-format off
const std::vector<aspetto_voce>& aspetti_mappa() {
  static const std::vector<aspetto_voce> aspetti = {
      {genere_voce::errore, 11, 8, 0, false, {{0, -12, 1}, {0, 21, 1}, {11, 4, 0}, {-11, 4, 2}}},
      {genere_voce::avviso, 10, 7, 0, false, {{0, -10, 1}, {0, 19, 1}, {10, 4, 0}, {-10, 4, 2}}},
      {genere_voce::stazione, 12, 7, 0, false, {{0, -11, 1}, {0, 21, 1}, {10, 4, 0}, {-10, 4, 2}, {-4, -11, 0}, {4, -11, 2},
                                           {-4, 21, 0}, {4, 21, 2}, {0, -25, 1}, {0, 35, 1}}},
      {genere_voce::segnale, 9, 4, 0, true, {{0, -7, 1}, {0, 14, 1}, {6, 3, 0}, {-6, 3, 2}}},
      {genere_voce::indicatore, 9, 4, 0, true, {{0, 14, 1}, {0, -7, 1}, {6, 3, 0}, {-6, 3, 2}}},
      {genere_voce::cartello, 9, 3.5, 0, true, {{0, -7, 1}, {0, 14, 1}, {6, 3, 0}, {-6, 3, 2}, {0, -19, 1}, {0, 26, 1}}},
      {genere_voce::codice, 8, 2.5, 0, true, {}},
  };
  return aspetti;
}
// clang-format on

std::string segno_mappa(const voce_disegno& v, const punto_piano&) {
  switch (v.g) {
    case genere_voce::errore:
      return "<circle r=\"7\"/><path d=\"M-4,-4L4,4M-4,4L4,-4\"/>";
    case genere_voce::avviso:
      return "<path d=\"M0,-7L6.5,5H-6.5Z\"/>";
    case genere_voce::stazione:
      return "<circle r=\"6\"/>";
    case genere_voce::segnale:
      return "<circle r=\"3.5\"/>";
    case genere_voce::indicatore:
      return "<rect x=\"-3\" y=\"-3\" width=\"6\" height=\"6\"/>";
    case genere_voce::cartello:
      return "<rect x=\"-2.5\" y=\"-2.5\" width=\"5\" height=\"5\"/>";
    case genere_voce::codice:
      break;
  }
  return "<circle r=\"2\"/>";
}

// Kilometre posts along the track, a round distance apart that leaves room for
// their labels; the labels go where the items left room.
void scrivi_chilometri(std::ostream& o, const piano_pagina& piano,
                       const inquadratura& i, const contenuto_disegni& c,
                       collocatore_etichette& etichette) {
  const double passo = passo_tondo(std::max(100.0, 70 / i.scala));
  static const std::vector<posto_etichetta> posti = {
      {0, 13, 1}, {0, -5, 1}, {5, 3, 0}, {-5, 3, 2}};
  o << "<g id=\"mappa-km\">\n";
  for (double m = passo; m < c.v.lunghezza; m += passo) {
    const punto_piano p = i.in_pagina(piano.in_metri(static_cast<int32_t>(m)));
    const std::string testo = distanza(m);
    const std::optional<posto_etichetta> dove =
        etichette.colloca(p.x, p.y, testo, 9, posti);
    o << "<g class=\"km\" transform=\"translate(" << numero_1(p.x) << ','
      << numero_1(p.y) << ")\"><circle r=\"2\"/>";
    if (dove) {
      o << "<text class=\"et\" x=\"" << dove->dx << "\" y=\"" << dove->dy
        << "\" text-anchor=\"" << ancora_svg(dove->ancora) << "\">" << testo
        << "</text>";
    }
    o << "</g>\n";
  }
  o << "</g>\n";
}

// A scale bar of a round length near 120 pixels, at the bottom left.
void scrivi_scala(std::ostream& o, const inquadratura& i,
                  collocatore_etichette& etichette) {
  const double metri = passo_tondo(90 / i.scala);
  const double px = metri * i.scala, x = 12, y = altezza_mappa - 12;
  etichette.occupa({x - 2, y - 20, x + std::max(px, 40.0) + 2, y + 4});
  o << "<g id=\"scala\" transform=\"translate(" << x << ',' << y
    << ")\"><path d=\"M0,-4V0H" << numero_1(px) << "V-4\"/><text class=\"et\" "
    << "x=\"0\" y=\"-7\">" << distanza(metri) << "</text></g>\n";
}

}  // namespace

void disegna_mappa(std::ostream& o, const contenuto_disegni& c) {
  const piano_pagina piano(c.piano, c.v.lunghezza);
  if (!piano.presente()) {
    o << "<p id=\"mappa\" class=\"nota\">" << parole::senza_geometria()
      << "</p>\n";
    return;
  }
  const int32_t fine = std::min(c.v.lunghezza, piano.ultimo());
  const std::vector<int32_t> tracciato =
      piano.semplifica(0, fine, tolleranza_del_tracciato(c.v.lunghezza));
  const inquadratura i = inquadra(piano, tracciato);
  o << "<svg id=\"mappa\" class=\"disegno\" "
       "xmlns=\"http://www.w3.org/2000/svg\" "
       "viewBox=\"0 0 "
    << larghezza_nominale << ' ' << altezza_mappa << "\" data-voci='"
    << aspetti_json(aspetti_mappa()) << "'>\n<rect class=\"fondo\" "
    << "width=\"100%\" height=\"100%\"/>\n<g id=\"mappa-piano\" "
       "transform=\"matrix("
    << numero_breve(i.scala) << " 0 0 " << numero_breve(i.scala) << ' '
    << numero_breve(i.dx) << ' ' << numero_breve(i.dy) << ")\">\n";
  disegna_tracciato(o, piano, c, tracciato);
  o << "</g>\n";
  collocatore_etichette etichette({0, 0, larghezza_nominale, altezza_mappa});
  std::ostringstream voci, chilometri;
  scrivi_scala(o, i, etichette);
  const segni_voce segni{
      [&](const voce_disegno& v) -> std::optional<punto_piano> {
        return i.in_pagina(piano.in_metri(v.metro));
      },
      segno_mappa, false};
  scrivi_voci(voci, c, aspetti_mappa(), segni, etichette,
              larghezza_nominale - 24);
  scrivi_chilometri(chilometri, piano, i, c, etichette);
  o << chilometri.str() << voci.str() << "</svg>\n";
}
