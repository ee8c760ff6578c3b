#include "tools/pagina_disegno.h"

#include <algorithm>
#include <cmath>

#include "tools/formati.h"
#include "tools/html.h"

namespace {

constexpr double larghezza = 1400;

struct punto {
  double x, y;
};

// The plan turned so that the line runs from left to right, scaled to the page.
class mappa {
 public:
  explicit mappa(const coordinate_piano& p) : p_(p) {
    for (std::size_t m = 0; m < p.tipo[0].size(); ++m) {
      if (p.tipo[0][m] == tipo_variante::vuoto ||
          p.tipo[1][m] == tipo_variante::vuoto)
        break;
      ultimo_ = static_cast<int32_t>(m);
    }
    if (ultimo_ < 1) return;
    const double dx = p.x(ultimo_) - p.x(0), dy = p.y(ultimo_) - p.y(0);
    angolo_ = std::atan2(dy, dx);
    double x_min = 1e300, x_max = -1e300, y_min = 1e300, y_max = -1e300;
    for (int32_t m = 0; m <= ultimo_; ++m) {
      const punto q = ruota(m);
      x_min = std::min(x_min, q.x);
      x_max = std::max(x_max, q.x);
      y_min = std::min(y_min, q.y);
      y_max = std::max(y_max, q.y);
    }
    const double margine = 90;
    scala_ = (larghezza - 2 * margine) / std::max(1.0, x_max - x_min);
    scala_ = std::min(scala_, 500.0 / std::max(1.0, y_max - y_min));
    x0_ = margine - x_min * scala_;
    // The y of the plan grows upwards, the page's downwards.
    y0_ = margine + y_max * scala_;
    altezza_ = 2 * margine + (y_max - y_min) * scala_;
  }

  bool presente() const { return ultimo_ >= 1; }
  int32_t ultimo() const { return ultimo_; }
  double altezza() const { return altezza_; }

  punto in_pagina(int32_t metro) const {
    const punto q = ruota(std::clamp(metro, 0, ultimo_));
    return {x0_ + q.x * scala_, y0_ - q.y * scala_};
  }

 private:
  punto ruota(int32_t m) const {
    const double x = p_.x(m), y = p_.y(m);
    const double c = std::cos(-angolo_), s = std::sin(-angolo_);
    return {x * c - y * s, x * s + y * c};
  }

  const coordinate_piano& p_;
  int32_t ultimo_ = -1;
  double angolo_ = 0, scala_ = 1, x0_ = 0, y0_ = 0, altezza_ = 200;
};

// The route up to its length; the plan runs on beyond it, drawn dashed.
void disegna_tracciato(std::ostream& o, const mappa& m, const vista& v) {
  const int32_t fine_percorso = std::clamp(v.lunghezza, 0, m.ultimo());
  const int32_t passo = std::max(1, m.ultimo() / 4000);
  auto tracciato = [&](int32_t da, int32_t a, const char* stile) {
    o << "<polyline " << stile << " fill=\"none\" points=\"";
    for (int32_t metro = da; metro < a; metro += passo) {
      const punto q = m.in_pagina(metro);
      o << numero_1(q.x) << ',' << numero_1(q.y) << ' ';
    }
    const punto fine = m.in_pagina(a);
    o << numero_1(fine.x) << ',' << numero_1(fine.y) << "\"/>\n";
  };
  tracciato(0, fine_percorso,
            "class=\"binario\" stroke=\"#333\" stroke-width=\"2.5\"");
  if (fine_percorso < m.ultimo()) {
    tracciato(fine_percorso, m.ultimo(),
              "class=\"oltre\" stroke=\"#999\" stroke-width=\"1.5\" "
              "stroke-dasharray=\"6 4\"");
  }
}

// Tunnels and slowdowns along the track.
void disegna_tratti(std::ostream& o, const mappa& m, const vista& v) {
  auto lungo_il_binario = [&](const tratto& t, const char* stile,
                              const std::string& titolo) {
    o << "<polyline " << stile << " fill=\"none\" points=\"";
    for (int32_t metro = t.da; metro <= t.a; metro += 25) {
      const punto q = m.in_pagina(metro);
      o << numero_1(q.x) << ',' << numero_1(q.y) << ' ';
    }
    o << "\"><title>" << titolo << "</title></polyline>\n";
  };
  for (const tratto& g : v.gallerie) {
    lungo_il_binario(g,
                     "class=\"galleria\" stroke=\"#757575\" stroke-width=\"9\" "
                     "stroke-opacity=\"0.45\"",
                     "galleria di tipo " + std::to_string(g.valore));
  }
  for (const tratto& r : v.rallentamenti) {
    lungo_il_binario(
        r,
        "class=\"rallentamento\" stroke=\"#e0529c\" stroke-width=\"7\" "
        "stroke-opacity=\"0.6\"",
        "rallentamento a " + std::to_string(r.valore) + " km/h");
  }
}

// Signals, each with its label and a tooltip.
void disegna_segnali(std::ostream& o, const mappa& m, const vista& v) {
  int contatore = 0;
  for (const segno& g : v.segnali) {
    const punto q = m.in_pagina(g.metro);
    const double dy = (contatore++ % 2 == 0) ? 16 : 24;
    o << "<g class=\"segnale\"><title>" << xml(g.dettaglio)
      << "</title><circle cx=\"" << numero_1(q.x) << "\" cy=\"" << numero_1(q.y)
      << "\" r=\"3.5\" fill=\"#c62828\"/><text x=\"" << numero_1(q.x)
      << "\" y=\"" << numero_1(q.y + dy)
      << "\" font-size=\"9\" text-anchor=\"middle\" fill=\"#c62828\">"
      << xml(g.etichetta) << "</text></g>\n";
  }
}

// Speed boards and board texts, with their labels on either side.
void disegna_cartelli(std::ostream& o, const mappa& m, const vista& v) {
  for (const auto* gruppo : {&v.indicatori, &v.cartelli}) {
    const bool velocita = gruppo == &v.indicatori;
    const char* colore = velocita ? "#1565c0" : "#6d4c41";
    int indice = 0;
    for (const segno& g : *gruppo) {
      const punto q = m.in_pagina(g.metro);
      const double dy =
          velocita ? 30 + 8 * (indice++ % 2) : -(30 + 9 * (indice++ % 3));
      o << "<g class=\"" << (velocita ? "indicatore" : "cartello")
        << "\"><title>" << xml(g.dettaglio) << "</title><rect x=\""
        << numero_1(q.x - 2.5) << "\" y=\"" << numero_1(q.y - 2.5)
        << "\" width=\"5\" height=\"5\" fill=\"" << colore << "\"/><line x1=\""
        << numero_1(q.x) << "\" y1=\"" << numero_1(q.y) << "\" x2=\""
        << numero_1(q.x) << "\" y2=\"" << numero_1(q.y + dy * 0.7)
        << "\" stroke=\"#aaa\" stroke-width=\"0.6\"/><text x=\""
        << numero_1(q.x) << "\" y=\"" << numero_1(q.y + dy)
        << "\" font-size=\"8\" text-anchor=\"middle\" fill=\"" << colore
        << "\">" << xml(g.etichetta) << "</text></g>\n";
    }
  }
}

void disegna_stazioni_mappa(std::ostream& o, const mappa& m, const vista& v) {
  int livello = 0;
  for (const fermata& f : v.stazioni) {
    const punto q = m.in_pagina(f.r->posizione);
    const double dy = (livello++ % 2 == 0) ? -52 : 62;
    o << "<g class=\"stazione\"><circle cx=\"" << numero_1(q.x) << "\" cy=\""
      << numero_1(q.y)
      << "\" r=\"6\" fill=\"#fff\" stroke=\"#2e7d32\" "
         "stroke-width=\"2.5\"/><line x1=\""
      << numero_1(q.x) << "\" y1=\"" << numero_1(q.y) << "\" x2=\""
      << numero_1(q.x) << "\" y2=\"" << numero_1(q.y + dy * 0.8)
      << "\" stroke=\"#2e7d32\" stroke-width=\"0.8\"/><text x=\""
      << numero_1(q.x) << "\" y=\"" << numero_1(q.y + dy)
      << "\" font-size=\"12\" font-weight=\"bold\" text-anchor=\"middle\" "
         "fill=\"#2e7d32\">"
      << testo(f.r->nome) << "</text></g>\n";
  }
}

}  // namespace

void disegna_mappa(std::ostream& o, const tabelle& t, const vista& v) {
  const mappa m(t.planimetria);
  if (!m.presente()) {
    o << "<p id=\"mappa\">Geometria della linea non disponibile (file "
         "*_linea.dat assente o "
         "compilato con --no-plan).</p>\n";
    return;
  }
  o << "<svg id=\"mappa\" xmlns=\"http://www.w3.org/2000/svg\" width=\""
    << larghezza << "\" height=\"" << numero_1(m.altezza())
    << "\" viewBox=\"0 0 " << larghezza << ' ' << numero_1(m.altezza())
    << "\">\n";
  o << "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" "
       "fill=\"#f7f9f4\"/>\n";
  disegna_tracciato(o, m, v);
  disegna_tratti(o, m, v);
  disegna_segnali(o, m, v);
  disegna_cartelli(o, m, v);
  disegna_stazioni_mappa(o, m, v);
  o << "<text x=\"10\" y=\"18\" font-size=\"11\" fill=\"#555\">Tracciato "
       "ruotato: inizio a "
       "sinistra, fine a destra. Stazioni in verde, segnali in rosso, "
       "indicatori di velocit\xC3\xA0 "
       "in blu, cartelli in marrone, gallerie in grigio, rallentamenti in "
       "rosa.</text>\n";
  o << "</svg>\n";
}

namespace {

// --- The profiles ----------------------------------------------------------

// The drawing area of the profiles: metres along the route to page x.
struct tela {
  double sinistra = 70, utile = larghezza - 120;
  double cima = 74, fondo = 610, altezza = 690;
  double lunghezza = 1;

  double x(double metro) const { return sinistra + metro / lunghezza * utile; }
};

struct pannello {
  const char* titolo;
  double alto, altezza;  // top and height on the page
  double minimo, massimo;

  double y(double valore) const {
    return alto + altezza * (1 - (valore - minimo) / (massimo - minimo));
  }
};

// The values drawn, as (metre, value) points.
using serie = std::vector<std::pair<double, double>>;

struct profili {
  serie quota;      // metres, integrated from the gradients (per mille a cell)
  serie velocita;   // km/h, steps
  serie curvatura;  // 1/km, right positive, from the plan
};

// The change of heading over each 50 m of the plan, in radians per km.
serie curvatura_del_piano(const coordinate_piano& p, std::size_t celle) {
  serie curvatura;
  if (!p.presente()) return curvatura;
  auto direzione = [&p](int32_t m) {
    return std::atan2(p.y(m + 1) - p.y(m), p.x(m + 1) - p.x(m));
  };
  for (std::size_t i = 0; i + 1 < celle; ++i) {
    const auto a = static_cast<int32_t>(i * 50), b = a + 50;
    if (b + 1 > p.ultimo_metro() ||
        p.tipo[0][static_cast<std::size_t>(b + 1)] == tipo_variante::vuoto) {
      break;
    }
    double d =
        direzione(a) - direzione(b);  // turning right (clockwise) is positive
    while (d > M_PI) d -= 2 * M_PI;
    while (d < -M_PI) d += 2 * M_PI;
    curvatura.push_back({a + 25.0, d / 50.0 * 1000.0});
  }
  return curvatura;
}

profili calcola_profili(const tabelle& t, double lunghezza) {
  const std::size_t celle = std::min<std::size_t>(
      t.celle.size(), static_cast<std::size_t>(lunghezza / 50) + 1);
  profili p;
  double quota = 0;
  p.quota.push_back({0, 0});
  for (std::size_t i = 0; i < celle; ++i) {
    quota += (int{t.celle[i].pendenza} - 100) * 50 / 1000.0;
    p.quota.push_back({std::min((i + 1) * 50.0, lunghezza), quota});
    const double v = t.celle[i].velocita * 5.0;
    p.velocita.push_back({i * 50.0, v});
    p.velocita.push_back({std::min((i + 1) * 50.0, lunghezza), v});
  }
  p.curvatura = curvatura_del_piano(t.planimetria, celle);
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

void disegna_bande(std::ostream& o, const tela& t, const vista& v) {
  auto banda = [&](const tratto& b, const char* classe, const char* colore,
                   const std::string& titolo) {
    o << "<rect class=\"" << classe << "\" x=\"" << numero_1(t.x(b.da))
      << "\" y=\"" << t.cima << "\" width=\""
      << numero_1(std::max(2.0, t.x(b.a) - t.x(b.da))) << "\" height=\""
      << t.fondo - t.cima << "\" fill=\"" << colore
      << "\" fill-opacity=\"0.25\"><title>" << titolo << " da " << b.da << " a "
      << b.a << " m</title></rect>\n";
  };
  for (const tratto& g : v.gallerie) {
    banda(g, "galleria", "#9e9e9e",
          "galleria di tipo " + std::to_string(g.valore));
  }
  for (const tratto& r : v.rallentamenti) {
    banda(r, "rallentamento", "#e0529c",
          "rallentamento a " + std::to_string(r.valore) + " km/h");
  }
}

void disegna_pannello(std::ostream& o, const tela& t, const pannello& pa) {
  o << "<rect x=\"" << t.sinistra << "\" y=\"" << pa.alto << "\" width=\""
    << t.utile << "\" height=\"" << pa.altezza
    << "\" fill=\"none\" stroke=\"#bbb\"/>\n";
  o << "<text x=\"" << t.sinistra + 4 << "\" y=\"" << pa.alto - 6
    << "\" font-size=\"12\" font-weight=\"bold\" fill=\"#333\">" << pa.titolo
    << "</text>\n";
  for (double valore : {pa.minimo, pa.massimo}) {
    o << "<text x=\"" << t.sinistra - 6 << "\" y=\""
      << numero_1(pa.y(valore) + 4)
      << "\" font-size=\"10\" text-anchor=\"end\" fill=\"#555\">"
      << numero_1(valore) << "</text>\n";
  }
}

void disegna_serie(std::ostream& o, const tela& t, const pannello& pa,
                   const serie& punti, const char* classe, const char* colore) {
  if (punti.empty()) {
    o << "<text x=\"" << t.sinistra + 10 << "\" y=\""
      << pa.alto + pa.altezza / 2
      << "\" font-size=\"12\" fill=\"#888\">geometria non disponibile</text>\n";
    return;
  }
  o << "<polyline class=\"" << classe << "\" fill=\"none\" stroke=\"" << colore
    << "\" stroke-width=\"1.5\" points=\"";
  for (const auto& [metro, valore] : punti) {
    o << numero_1(t.x(metro)) << ',' << numero_1(pa.y(valore)) << ' ';
  }
  o << "\"/>\n";
}

// Signals at the foot of the speed panel, stations across all panels.
void disegna_segni(std::ostream& o, const tela& t, const vista& v,
                   const pannello& velocita) {
  for (const segno& g : v.segnali) {
    const double px = t.x(g.metro), py = velocita.alto + velocita.altezza;
    o << "<path class=\"segnale\" d=\"M" << numero_1(px) << ','
      << numero_1(py - 9) << " l-4,8 l8,0 z\" fill=\"#c62828\"><title>"
      << xml(g.dettaglio) << "</title></path>\n";
  }
  for (const fermata& f : v.stazioni) {
    const double px = t.x(f.r->posizione);
    o << "<line class=\"stazione\" x1=\"" << numero_1(px) << "\" x2=\""
      << numero_1(px) << "\" y1=\"" << t.cima << "\" y2=\"" << t.fondo
      << "\" stroke=\"#2e7d32\" stroke-dasharray=\"4 3\"/>\n";
    o << "<text x=\"" << numero_1(px + 2) << "\" y=\"" << t.cima - 4
      << "\" font-size=\"10\" fill=\"#2e7d32\" transform=\"rotate(-35 "
      << numero_1(px + 2) << ' ' << t.cima - 4 << ")\">" << testo(f.r->nome)
      << "</text>\n";
  }
}

// The axis: metres along the line and the kilometric progressive.
void disegna_asse(std::ostream& o, const tela& t, const vista& v) {
  double passo = 1000;
  for (double candidato :
       {1000.0, 2000.0, 5000.0, 10000.0, 20000.0, 50000.0, 100000.0}) {
    passo = candidato;
    if (t.lunghezza / candidato <= 14) break;
  }
  for (double metro = 0; metro <= t.lunghezza + 0.5; metro += passo) {
    const std::string px = numero_1(t.x(metro));
    o << "<line x1=\"" << px << "\" x2=\"" << px << "\" y1=\"" << t.fondo
      << "\" y2=\"" << t.fondo + 6 << "\" stroke=\"#555\"/><text x=\"" << px
      << "\" y=\"" << t.fondo + 20
      << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#333\">"
      << numero_1(metro / 1000) << " km</text>\n";
    if (con_progressiva(v)) {
      o << "<text x=\"" << px << "\" y=\"" << t.fondo + 34
        << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#777\">progr. "
        << numero_1(progressiva_km(v, metro)) << "</text>\n";
    }
  }
}

}  // namespace

void disegna_profili(std::ostream& o, const tabelle& tab, const vista& v) {
  tela t;
  t.lunghezza = std::max(1, v.lunghezza);
  const profili p = calcola_profili(tab, t.lunghezza);
  const auto [q_min, q_max] = limiti(p.quota);
  const auto [c_min, c_max] = limiti(p.curvatura);
  const double c_abs = std::max(std::fabs(c_min), std::fabs(c_max));
  const double v_max = std::max(50.0, limiti(p.velocita, 10).second);
  const pannello quota{"Altimetria (m, dalle pendenze)", 90, 150, q_min, q_max};
  const pannello velocita{"Velocit\xC3\xA0 massima (km/h)", 280, 150, 0, v_max};
  const pannello curvatura{"Curvatura (1/km, destra positiva)", 470, 110,
                           -c_abs, c_abs};

  o << "<svg id=\"profili\" xmlns=\"http://www.w3.org/2000/svg\" width=\""
    << larghezza << "\" height=\"" << t.altezza << "\" viewBox=\"0 0 "
    << larghezza << ' ' << t.altezza
    << "\">\n<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" "
       "fill=\"#fff\"/>\n";
  disegna_bande(o, t, v);
  for (const pannello* pa : {&quota, &velocita, &curvatura})
    disegna_pannello(o, t, *pa);
  disegna_serie(o, t, quota, p.quota, "altimetria", "#6d4c41");
  disegna_serie(o, t, velocita, p.velocita, "velocita", "#1565c0");
  disegna_serie(o, t, curvatura, p.curvatura, "curvatura", "#00897b");
  disegna_segni(o, t, v, velocita);
  disegna_asse(o, t, v);
  o << "</svg>\n";
}
