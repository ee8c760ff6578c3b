// The profiles along the route: one drawing of three panels over a common
// axis of metres, the data in an inner SVG that the page's script stretches
// to any range of the route, the items' marks and labels outside it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>

#include "cli/formati.h"
#include "page/html.h"
#include "page/pagina_disegno.h"
#include "page/pagina_testi.h"
#include "tables/valori_celle.h"

namespace {

// The layout, in pixels: three rows of labels on top, three panels, the axis.
constexpr double sinistra = 56, destra = 14, altezza = 536;
constexpr double cima_aste = 52, asse = 492;

struct tela {
  double lunghezza = 1;
  double utile() const { return larghezza_nominale - sinistra - destra; }
  double x(double metro) const {
    return sinistra + metro / lunghezza * utile();
  }
};

struct pannello {
  const char* titolo;
  double alto, altezza;  // top and height on the page
  double minimo, massimo;

  double y(double valore) const {
    return alto + altezza * (1 - (valore - minimo) / (massimo - minimo));
  }
  double fondo() const { return alto + altezza; }
};

// The values drawn, as (metre, value) points.
using serie = std::vector<std::pair<double, double>>;

struct profili {
  serie quota;                      // metres, integrated from the gradients
  serie velocita;                   // km/h, the train's limit
  std::array<serie, 3> indicatori;  // the boards' A, B, C speeds (left)
  serie curvatura;                  // 1/km, right positive, from the plan
  serie efficace;  // km/h, the lowest of the limit, board A and slowdowns
};

// Drops the points that lie on the line through their neighbours, so that a
// long straight or level stretch costs two points. Fed a point at a time:
// a long route has a point every 50 m, and only the points kept are held.
class serie_compatta {
 public:
  explicit serie_compatta(double tolleranza) : tolleranza_(tolleranza) {}

  void aggiungi(double x, double y) {
    if (in_sospeso_) {
      const auto& [xa, ya] = c_.back();
      const auto& [xi, yi] = *in_sospeso_;
      const bool sulla_retta =
          x > xa &&
          std::fabs(ya + (y - ya) * (xi - xa) / (x - xa) - yi) <= tolleranza_;
      if (!sulla_retta) c_.push_back(*in_sospeso_);
      in_sospeso_ = {x, y};
    } else if (c_.empty()) {
      c_.push_back({x, y});
    } else {
      in_sospeso_ = {x, y};
    }
  }

  serie fine() && {
    if (in_sospeso_) c_.push_back(*in_sospeso_);
    return std::move(c_);
  }

 private:
  double tolleranza_;
  serie c_;
  std::optional<std::pair<double, double>> in_sospeso_;  // the last point
};

// The change of heading over each 50 m of the plan, in radians per km.
serie curvatura_del_piano(const coordinate_piano& p, std::size_t celle) {
  serie_compatta curvatura(1e-3);
  if (!p.presente()) return std::move(curvatura).fine();
  auto direzione = [&p](int32_t m) {
    return std::atan2(p.y(m + 1) - p.y(m), p.x(m + 1) - p.x(m));
  };
  for (std::size_t i = 0; i < celle; ++i) {
    const auto a = static_cast<int32_t>(i * 50), b = a + 50;
    if (b + 1 > p.ultimo_metro() ||
        p.tipo(0, static_cast<std::size_t>(b + 1)) == tipo_variante::vuoto) {
      break;
    }
    double d = direzione(a) - direzione(b);  // turning right is positive
    while (d > M_PI) d -= 2 * M_PI;
    while (d < -M_PI) d += 2 * M_PI;
    if (!std::isfinite(d)) break;
    curvatura.aggiungi(a + 25.0, d / 50.0 * 1000.0);
  }
  return std::move(curvatura).fine();
}

// A step line: each value from its metre to the next one's, the last to
// `fine`.
serie gradini(const serie& valori, double fine) {
  serie s;
  for (std::size_t i = 0; i < valori.size(); ++i) {
    const double a = i + 1 < valori.size() ? valori[i + 1].first : fine;
    s.push_back(valori[i]);
    s.push_back({std::min(a, fine), valori[i].second});
  }
  return s;
}

// The limit in force in each cell the train run was read for: the lowest
// of the train's own limit, the A speed (left) of the last board passed that
// gives one, and the slowdowns over the cell. Changes only, as (metre, km/h).
serie limiti_in_vigore(const contenuto_disegni& c, std::size_t celle) {
  serie cambi;
  std::size_t cartello = 0;
  double linea = 1e9;
  for (std::size_t i = 0; i < celle; ++i) {
    const auto metro = static_cast<int32_t>(i * 50);
    for (; cartello < c.v.indicatori.size() &&
           c.v.indicatori[cartello].metro <= metro &&
           c.v.indicatori[cartello].metro < c.fine_linea;
         ++cartello) {
      const int a = c.v.indicatori[cartello].sinistra.a;
      if (a > 0) linea = a;
    }
    double v = std::min(
        static_cast<double>(decodifica_velocita(c.t.celle[i].velocita)), linea);
    for (const tratto& r : c.v.rallentamenti)
      if (r.da <= metro && metro < r.a)
        v = std::min(v, static_cast<double>(r.valore));
    if (cambi.empty() || cambi.back().second != v) cambi.push_back({metro, v});
  }
  return cambi;
}

// The profiles up to where each description's data ends: the elevation,
// the curvature and the boards from the line, the limit from the train run.
profili calcola_profili(const contenuto_disegni& c) {
  auto celle_fino_a = [&c](int32_t fine) {
    return std::min<std::size_t>(
        c.t.celle.size(), static_cast<std::size_t>(std::max(0, fine) / 50));
  };
  profili p;
  double quota = 0;
  serie_compatta quote(1e-6);
  quote.aggiungi(0, 0);
  for (std::size_t i = 0; i < celle_fino_a(c.fine_linea); ++i) {
    quota += decodifica_pendenza(c.t.celle[i].pendenza) * 50 / 1000.0;
    quote.aggiungi((i + 1) * 50.0, quota);
  }
  serie limiti;
  const std::size_t celle_treno = celle_fino_a(c.fine_treno);
  for (std::size_t i = 0; i < celle_treno; ++i) {
    const double v = decodifica_velocita(c.t.celle[i].velocita);
    if (limiti.empty() || limiti.back().second != v)
      limiti.push_back({i * 50.0, v});
  }
  p.quota = std::move(quote).fine();
  p.velocita = gradini(limiti, celle_treno * 50.0);
  p.efficace = gradini(limiti_in_vigore(c, celle_treno), celle_treno * 50.0);
  for (int lettera = 0; lettera < 3; ++lettera) {
    serie valori;
    for (const indicatore_vmax& b : c.v.indicatori) {
      if (b.metro >= c.fine_linea) break;
      const lato_indicatore& s = b.sinistra;
      valori.push_back({b.metro, lettera == 0   ? s.a
                                 : lettera == 1 ? s.b
                                                : s.c});
    }
    p.indicatori[static_cast<std::size_t>(lettera)] =
        gradini(valori, c.fine_linea);
  }
  p.curvatura = curvatura_del_piano(c.piano, celle_fino_a(c.fine_linea));
  return p;
}

// The smallest range from 0 that holds every value.
std::pair<double, double> limiti(const serie& valori, double margine = 0) {
  double lo = 0, hi = 0;
  for (const auto& [metro, v] : valori) {
    lo = std::min(lo, v);
    hi = std::max(hi, v + margine);
  }
  if (hi - lo < 1e-9) hi = lo + 1;
  return {lo, hi};
}

struct pannelli {
  pannello quota, velocita, curvatura;
};

pannelli disponi_pannelli(const profili& p) {
  const auto [q_min, q_max] = limiti(p.quota);
  const auto [c_min, c_max] = limiti(p.curvatura);
  const double c_abs = std::max(std::fabs(c_min), std::fabs(c_max));
  double v_max = std::max(50.0, limiti(p.velocita, 10).second);
  for (const serie& s : p.indicatori)
    v_max = std::max(v_max, limiti(s, 10).second);
  return {{parole::pannello_quota(), 76, 120, q_min, q_max},
          {parole::pannello_velocita(), 224, 150, 0, v_max},
          {parole::pannello_curvatura(), 402, 90, -c_abs, c_abs}};
}

// A fixed text that no item label may cover.
void scrivi_fisso(std::ostream& o, collocatore_etichette& etichette, double x,
                  double y, int ancora, double corpo, const std::string& testo,
                  const char* classe = "fisso") {
  etichette.occupa(riquadro_etichetta(x, y, testo, corpo, {0, 0, ancora}));
  o << "<text class=\"" << classe << "\" x=\"" << numero_1(x) << "\" y=\""
    << numero_1(y) << "\"" << (ancora == 2 ? " text-anchor=\"end\"" : "") << ">"
    << testo << "</text>\n";
}

void disegna_pannello(std::ostream& o, const pannello& pa,
                      collocatore_etichette& etichette) {
  const tela t;
  o << "<rect class=\"riquadro\" x=\"" << sinistra << "\" y=\"" << pa.alto
    << "\" width=\"" << t.utile() << "\" height=\"" << pa.altezza << "\"/>\n";
  scrivi_fisso(o, etichette, sinistra + 4, pa.alto - 6, 0, 12, pa.titolo,
               "fisso titolo");
  for (double valore : {pa.minimo, pa.massimo}) {
    scrivi_fisso(o, etichette, sinistra - 5, pa.y(valore) + 4, 2, 10,
                 numero_1(valore));
  }
}

std::string punti(const serie& s, const pannello& pa) {
  std::string testo;
  for (const auto& [metro, valore] : s) {
    if (!testo.empty()) testo += ' ';
    testo += numero_breve(metro) + "," + numero_1(pa.y(valore));
  }
  return testo;
}

void disegna_serie(std::ostream& o, const pannello& pa, const serie& s,
                   const char* classe) {
  if (s.empty()) return;
  o << "<polyline class=\"" << classe << "\" points=\"" << punti(s, pa)
    << "\"/>\n";
}

// The data, in metres across and pixels down: the inner SVG that the script
// stretches to the range shown.
void disegna_dati(std::ostream& o, const contenuto_disegni& c, const profili& p,
                  const pannelli& pa) {
  const tela t{static_cast<double>(std::max(1, c.v.lunghezza))};
  o << "<svg id=\"profili-dati\" x=\"" << sinistra << "\" y=\"0\" width=\""
    << t.utile() << "\" height=\"" << altezza << "\" viewBox=\"0 0 "
    << t.lunghezza << ' ' << altezza << "\" preserveAspectRatio=\"none\">\n";
  for (const voce_tratto& r : c.tratti) {
    // What the train run alone places lies in the speed panel.
    const bool treno = r.fonte == fonte_lettura::descrizione_treno;
    const double alto = treno ? pa.velocita.alto : pa.quota.alto;
    const double basso = treno ? pa.velocita.fondo() : asse;
    o << "<rect class=\"tr " << classe_del_tratto(r.g) << "\" data-k=\""
      << r.chiave << "\" x=\"" << r.da << "\" y=\"" << alto << "\" width=\""
      << std::max(1, r.a - r.da) << "\" height=\"" << basso - alto
      << "\"><title>" << xml(r.descrizione) << "</title></rect>\n";
  }
  disegna_serie(o, pa.quota, p.quota, "altimetria");
  // Past where the line was read the elevation is not known: drawn level,
  // dashed, over the stretch not read, not as what the empty cells decode to.
  if (!p.quota.empty() && p.quota.back().first < t.lunghezza) {
    const double y = p.quota.back().second;
    disegna_serie(o, pa.quota, {p.quota.back(), {t.lunghezza, y}}, "piatta");
  }
  const char* lettere[] = {"ind-a", "ind-b", "ind-c"};
  for (std::size_t i = 0; i < 3; ++i)
    disegna_serie(o, pa.velocita, p.indicatori[i], lettere[i]);
  disegna_serie(o, pa.velocita, p.velocita, "velocita");
  disegna_serie(o, pa.velocita, p.efficace, "efficace");
  disegna_serie(o, pa.curvatura, p.curvatura, "curvatura");
  o << "</svg>\n";
}

// The axis: metres along the line and the kilometric progressive, ticks a
// round distance apart that leaves room for their labels.
void disegna_asse(std::ostream& o, const tela& t, const vista& v) {
  const double passo =
      passo_tondo(std::max(100.0, 70 * t.lunghezza / t.utile()));
  // A label that would stick out of the drawing is left out.
  auto etichetta = [&o](const std::string& px, double x, double y,
                        const std::string& testo, const char* classe) {
    const scatola_etichetta r = riquadro_etichetta(x, y, testo, 10, {0, 0, 1});
    if (r.x0 < 0 || r.x1 > larghezza_nominale) return;
    o << "<text" << classe << " x=\"" << px << "\" y=\"" << y
      << "\" text-anchor=\"middle\">" << testo << "</text>";
  };
  o << "<g id=\"profili-asse\">\n";
  for (double metro = 0; metro <= t.lunghezza + 0.5; metro += passo) {
    const std::string px = numero_1(t.x(metro));
    o << "<path d=\"M" << px << ',' << asse << "v6\"/>";
    etichetta(px, t.x(metro), asse + 20, distanza(metro), "");
    if (con_progressiva(v)) {
      etichetta(px, t.x(metro), asse + 34,
                std::string(parole::progr()) + " " +
                    numero_1(progressiva_km(v, metro)),
                " class=\"progr\"");
    }
    o << '\n';
  }
  o << "</g>\n";
}

// The progressions for the script's axis: [start, value, decreasing].
std::string progressive_json(const vista& v) {
  std::string j = "[";
  for (const progressiva& p : v.progressive) {
    j += (j.size() > 1 ? ",[" : "[") + std::to_string(p.inizio) + "," +
         std::to_string(p.valore) + "," + (p.decrescente ? "1" : "0") + "]";
  }
  return j + "]";
}

// clang-format off
const std::vector<aspetto_voce>& aspetti_profili() {
  static const std::vector<posto_etichetta> righe = {
      {3, 14, 0}, {3, 30, 0}, {3, 46, 0}, {-3, 14, 2}, {-3, 30, 2}, {-3, 46, 2}};
  static const std::vector<aspetto_voce> aspetti = {
      {genere_voce::errore, 11, 0, 0, false, righe},
      {genere_voce::avviso, 10, 0, 0, false, righe},
      {genere_voce::stazione, 11, 0, 0, false, righe},
      {genere_voce::segnale, 9, 4.5, -5, true, {{0, -13, 1}, {6, -2, 0}, {-6, -2, 2}, {0, -24, 1}}},
      {genere_voce::indicatore, 9, 4, 0, true, {{0, -7, 1}, {0, 14, 1}, {6, 4, 0}, {-6, 4, 2}}},
      {genere_voce::cartello, 9, 3, -3.5, true, {{0, -10, 1}, {5, -3, 0}, {-5, -3, 2}, {0, -22, 1}}},
      {genere_voce::codice, 8, 2, -14, true, {}},
  };
  return aspetti;
}
// clang-format on

std::string segno_profili(const voce_disegno& v, const punto_piano&) {
  switch (v.g) {
    case genere_voce::avviso:
      // A small mark above the panels: hundreds of warnings must not hatch
      // the profiles.
      return "<path d=\"M0," + numero_1(cima_aste + 7) + "l-4.5,-8h9z\"/>";
    case genere_voce::errore:
    case genere_voce::stazione:
      return "<line y1=\"" + numero_1(cima_aste) + "\" y2=\"" + numero_1(asse) +
             "\"/>";
    case genere_voce::segnale:
      return "<path d=\"M0,-9l-4,8h8z\"/>";
    case genere_voce::indicatore:
      return "<path d=\"M0,-4l4,4l-4,4l-4,-4z\"/>";
    case genere_voce::cartello:
      return "<rect x=\"-2.5\" y=\"-6\" width=\"5\" height=\"5\"/>";
    case genere_voce::codice:
      break;
  }
  return "<circle cy=\"-14\" r=\"2\"/>";
}

// Where an item stands in the profiles: stations and problems across the
// panels, signals and codes at the foot of the speed panel, boards at their
// A speed, board texts at the foot of the elevation panel.
std::optional<punto_piano> posizione_profili(const voce_disegno& v,
                                             const tela& t,
                                             const contenuto_disegni& c,
                                             const pannelli& pa) {
  if (v.metro < 0 || v.metro > c.v.lunghezza) return std::nullopt;
  const double x = t.x(v.metro);
  switch (v.g) {
    case genere_voce::segnale:
    case genere_voce::codice:
      return punto_piano{x, pa.velocita.fondo()};
    case genere_voce::indicatore:
      return punto_piano{
          x, pa.velocita.y(c.v.indicatori[v.numero - 1].sinistra.a)};
    case genere_voce::cartello:
      return punto_piano{x, pa.quota.fondo()};
    default:
      return punto_piano{x, 0};
  }
}

// Each panel's top, height and range, so that the script reads values off
// the lines: [[top, height, lowest, highest], ...] for elevation, speed and
// curvature.
std::string pannelli_json(const pannelli& pa) {
  std::string j = "[";
  for (const pannello* q : {&pa.quota, &pa.velocita, &pa.curvatura}) {
    char testo[128];
    std::snprintf(testo, sizeof testo, "%s[%.6g,%.6g,%.6g,%.6g]",
                  j.size() > 1 ? "," : "", q->alto, q->altezza, q->minimo,
                  q->massimo);
    j += testo;
  }
  return j + "]";
}

}  // namespace

void disegna_profili(std::ostream& o, const contenuto_disegni& c) {
  const tela t{static_cast<double>(std::max(1, c.v.lunghezza))};
  const profili p = calcola_profili(c);
  const pannelli pa = disponi_pannelli(p);
  o << "<svg id=\"profili\" class=\"disegno\" "
       "xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 "
    << larghezza_nominale << ' ' << altezza << "\" data-sinistra=\"" << sinistra
    << "\" data-destra=\"" << destra << "\" data-asse=\"" << asse
    << "\" data-progressive='" << progressive_json(c.v) << "' data-pannelli='"
    << pannelli_json(pa) << "' data-voci='" << aspetti_json(aspetti_profili())
    << "'>\n<rect class=\"fondo\" "
    << "width=\"100%\" height=\"100%\"/>\n";
  collocatore_etichette etichette({0, 0, larghezza_nominale, altezza});
  for (const pannello* q : {&pa.quota, &pa.velocita, &pa.curvatura})
    disegna_pannello(o, *q, etichette);
  if (p.curvatura.empty()) {
    scrivi_fisso(o, etichette, sinistra + 10,
                 pa.curvatura.alto + pa.curvatura.altezza / 2, 0, 12,
                 parole::senza_curvatura());
  }
  disegna_dati(o, c, p, pa);
  const segni_voce segni{
      [&](const voce_disegno& v) { return posizione_profili(v, t, c, pa); },
      segno_profili, true};
  scrivi_voci(o, c, aspetti_profili(), segni, etichette, t.utile());
  disegna_asse(o, t, c.v);
  o << "</svg>\n";
}
