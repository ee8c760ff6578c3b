#include "app/strumenti_pagina.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "app/esiti.h"
#include "app/nomi_file.h"
#include "compiler/decodifica.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "platform/sostituzione.h"

namespace {

// --- Text helpers
// ----------------------------------------------------------------------------

std::string xml(const std::string& utf8) {
  std::string t;
  for (char c : utf8) {
    switch (c) {
      case '&':
        t += "&amp;";
        break;
      case '<':
        t += "&lt;";
        break;
      case '>':
        t += "&gt;";
        break;
      case '"':
        t += "&quot;";
        break;
      case '\'':
        t += "&#39;";
        break;
      default:
        // Control characters are not allowed in XML text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
          t += ' ';
        } else {
          t += c;
        }
    }
  }
  return t;
}

std::string testo(const std::string& cp1252) {
  return xml(cp1252_a_utf8(cp1252));
}

std::string n1(double x) {
  char t[48];
  std::snprintf(t, sizeof t, "%.1f", x);
  return t;
}

std::string ora(int32_t secondi) {
  if (secondi <= 0) return "\xE2\x80\x94";  // an em dash: no scheduled time
  char t[32];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", secondi / 3600,
                secondi / 60 % 60, secondi % 60);
  return t;
}

// --- What the page shows, taken from the tables
// ----------------------------------------------

struct fermata {
  int record;
  const stazione* r;
};

struct segno {
  int32_t metro;
  std::string etichetta;  // UTF-8
  std::string dettaglio;  // UTF-8, shown as a tooltip
};

struct tratto {
  int32_t da, a;
  int valore;
};

struct vista {
  int32_t lunghezza = 0;
  std::vector<fermata> stazioni;
  std::vector<segno> segnali, indicatori, cartelli;
  std::vector<tratto> rallentamenti, gallerie;
  // Kilometric progressive from record 81.
  int32_t progressiva_inizio = 0, progressiva_valore = 0, progressiva_segno = 0;
};

// An item in cell c stands at metre (c - 1) * 50: items go to cell p / 50 + 1.
int32_t metro_di(std::size_t cella) {
  return (static_cast<int32_t>(cella) - 1) * 50;
}

vista prepara(const stato& s) {
  vista v;
  const int32_t ultima = s.ultima_cella();
  v.lunghezza = s.stazioni[record_treno].fine;
  if (v.lunghezza <= 0 || v.lunghezza > ultima * 50)
    v.lunghezza = std::max(0, ultima * 50 - 7000);
  const stazione& p = s.stazioni[record_progressiva_tre];
  v.progressiva_inizio = p.inizio;
  v.progressiva_valore = p.fine;
  v.progressiva_segno = p.posizione;

  std::set<int> testi_cartelli;
  int numero_segnale = 0;
  int32_t inizio_rallentamento = -1, velocita_rallentamento = 0;
  int32_t inizio_galleria = -1, tipo_galleria = 0;
  for (std::size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    switch (c.tipo) {
      case cella_segnale:
        ++numero_segnale;
        v.segnali.push_back({metro_di(i), "S" + std::to_string(numero_segnale),
                             "segnale " + std::to_string(numero_segnale) +
                                 " a " + std::to_string(metro_di(i)) + " m"});
        break;
      case cella_indicatore_vmax:
        v.indicatori.push_back({metro_di(i), std::to_string(c.dato1 / 20),
                                "indicatore di velocit\xC3\xA0 massima: " +
                                    std::to_string(c.dato1 / 20) + "/" +
                                    std::to_string(c.dato2 / 20) + "/" +
                                    std::to_string(c.dato3 / 20) + " km/h"});
        break;
      case cella_cartello: {
        testi_cartelli.insert(c.dato1);
        std::string scritta;
        if (c.dato1 >= 0 && c.dato1 < numero_stazioni) {
          scritta =
              cp1252_a_utf8(s.stazioni[static_cast<std::size_t>(c.dato1)].nome);
        }
        // The board's first row: the text up to the first closing bracket.
        std::string riga = scritta.substr(0, scritta.find(')'));
        riga.erase(std::remove(riga.begin(), riga.end(), '('), riga.end());
        while (!riga.empty() && riga.back() == ' ') riga.pop_back();
        v.cartelli.push_back({metro_di(i), riga, scritta});
        break;
      }
      case cella_inizio_rallentamento:
        inizio_rallentamento = metro_di(i);
        velocita_rallentamento = c.dato1;
        break;
      case cella_fine_rallentamento:
        if (inizio_rallentamento >= 0) {
          v.rallentamenti.push_back(
              {inizio_rallentamento, metro_di(i), velocita_rallentamento});
        }
        inizio_rallentamento = -1;
        break;
      default:
        break;
    }
    const int32_t metro = static_cast<int32_t>(i) * 50;
    if (c.montagna != 0 && inizio_galleria < 0) {
      inizio_galleria = metro - 50;
      tipo_galleria = c.montagna;
    }
    if (c.montagna == 0 && inizio_galleria >= 0) {
      v.gallerie.push_back({inizio_galleria, metro - 50, tipo_galleria});
      inizio_galleria = -1;
    }
  }
  if (inizio_galleria >= 0)
    v.gallerie.push_back({inizio_galleria, ultima * 50, tipo_galleria});

  // Stations: the records 1 to 80 that hold something and are not the text of a
  // board.
  for (int n = 1; n <= primo_record_cartelli; ++n) {
    const stazione& r = s.stazioni[static_cast<std::size_t>(n)];
    if (r == stazione{} || testi_cartelli.count(n) != 0) continue;
    v.stazioni.push_back({n, &r});
  }
  return v;
}

double progressiva_km(const vista& v, double metro) {
  const double distanza = metro - v.progressiva_inizio;
  const double valore = v.progressiva_segno == 1
                            ? v.progressiva_valore - distanza
                            : v.progressiva_valore + distanza;
  return valore / 1000.0;
}

bool con_progressiva(const vista& v) {
  return v.progressiva_valore != 0 || v.progressiva_inizio != 0;
}

// --- The map
// ---------------------------------------------------------------------------------

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

void disegna_mappa(std::ostream& o, const stato& s, const vista& v) {
  const mappa m(s.planimetria);
  if (!m.presente()) {
    o << "<p id=\"mappa\">Geometria della linea non disponibile (file "
         "*_linea.dat assente o "
         "compilato con --no-plan).</p>\n";
    return;
  }
  o << "<svg id=\"mappa\" xmlns=\"http://www.w3.org/2000/svg\" width=\""
    << larghezza << "\" height=\"" << n1(m.altezza()) << "\" viewBox=\"0 0 "
    << larghezza << ' ' << n1(m.altezza()) << "\">\n";
  o << "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" "
       "fill=\"#f7f9f4\"/>\n";
  // The route up to its length; the plan runs on beyond it, drawn dashed.
  const int32_t fine_percorso = std::clamp(v.lunghezza, 0, m.ultimo());
  const int32_t passo = std::max(1, m.ultimo() / 4000);
  auto tracciato = [&](int32_t da, int32_t a, const char* stile) {
    o << "<polyline " << stile << " fill=\"none\" points=\"";
    for (int32_t metro = da; metro < a; metro += passo) {
      const punto q = m.in_pagina(metro);
      o << n1(q.x) << ',' << n1(q.y) << ' ';
    }
    const punto fine = m.in_pagina(a);
    o << n1(fine.x) << ',' << n1(fine.y) << "\"/>\n";
  };
  tracciato(0, fine_percorso,
            "class=\"binario\" stroke=\"#333\" stroke-width=\"2.5\"");
  if (fine_percorso < m.ultimo()) {
    tracciato(fine_percorso, m.ultimo(),
              "class=\"oltre\" stroke=\"#999\" stroke-width=\"1.5\" "
              "stroke-dasharray=\"6 4\"");
  }
  // Tunnels and slowdowns along the track.
  auto lungo_il_binario = [&](const tratto& t, const char* stile,
                              const std::string& titolo) {
    o << "<polyline " << stile << " fill=\"none\" points=\"";
    for (int32_t metro = t.da; metro <= t.a; metro += 25) {
      const punto q = m.in_pagina(metro);
      o << n1(q.x) << ',' << n1(q.y) << ' ';
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
  // Signals and boards, each with its label and a tooltip.
  int contatore = 0;
  for (const segno& g : v.segnali) {
    const punto q = m.in_pagina(g.metro);
    const double dy = (contatore++ % 2 == 0) ? 16 : 24;
    o << "<g class=\"segnale\"><title>" << xml(g.dettaglio)
      << "</title><circle cx=\"" << n1(q.x) << "\" cy=\"" << n1(q.y)
      << "\" r=\"3.5\" fill=\"#c62828\"/><text x=\"" << n1(q.x) << "\" y=\""
      << n1(q.y + dy)
      << "\" font-size=\"9\" text-anchor=\"middle\" fill=\"#c62828\">"
      << xml(g.etichetta) << "</text></g>\n";
  }
  for (const auto* gruppo : {&v.indicatori, &v.cartelli}) {
    const bool velocita = gruppo == &v.indicatori;
    int indice = 0;
    for (const segno& g : *gruppo) {
      const punto q = m.in_pagina(g.metro);
      const double dy =
          velocita ? 30 + 8 * (indice++ % 2) : -(30 + 9 * (indice++ % 3));
      o << "<g class=\"" << (velocita ? "indicatore" : "cartello")
        << "\"><title>" << xml(g.dettaglio) << "</title><rect x=\""
        << n1(q.x - 2.5) << "\" y=\"" << n1(q.y - 2.5)
        << "\" width=\"5\" height=\"5\" fill=\""
        << (velocita ? "#1565c0" : "#6d4c41") << "\"/><line x1=\"" << n1(q.x)
        << "\" y1=\"" << n1(q.y) << "\" x2=\"" << n1(q.x) << "\" y2=\""
        << n1(q.y + dy * 0.7)
        << "\" stroke=\"#aaa\" stroke-width=\"0.6\"/><text x=\"" << n1(q.x)
        << "\" y=\"" << n1(q.y + dy)
        << "\" font-size=\"8\" text-anchor=\"middle\" fill=\""
        << (velocita ? "#1565c0" : "#6d4c41") << "\">" << xml(g.etichetta)
        << "</text></g>\n";
    }
  }
  int livello = 0;
  for (const fermata& f : v.stazioni) {
    const punto q = m.in_pagina(f.r->posizione);
    const double dy = (livello++ % 2 == 0) ? -52 : 62;
    o << "<g class=\"stazione\"><circle cx=\"" << n1(q.x) << "\" cy=\""
      << n1(q.y)
      << "\" r=\"6\" fill=\"#fff\" stroke=\"#2e7d32\" "
         "stroke-width=\"2.5\"/><line x1=\""
      << n1(q.x) << "\" y1=\"" << n1(q.y) << "\" x2=\"" << n1(q.x) << "\" y2=\""
      << n1(q.y + dy * 0.8)
      << "\" stroke=\"#2e7d32\" stroke-width=\"0.8\"/><text x=\"" << n1(q.x)
      << "\" y=\"" << n1(q.y + dy)
      << "\" font-size=\"12\" font-weight=\"bold\" text-anchor=\"middle\" "
         "fill=\"#2e7d32\">"
      << testo(f.r->nome) << "</text></g>\n";
  }
  o << "<text x=\"10\" y=\"18\" font-size=\"11\" fill=\"#555\">Tracciato "
       "ruotato: inizio a "
       "sinistra, fine a destra. Stazioni in verde, segnali in rosso, "
       "indicatori di velocit\xC3\xA0 "
       "in blu, cartelli in marrone, gallerie in grigio, rallentamenti in "
       "rosa.</text>\n";
  o << "</svg>\n";
}

// --- The profiles
// ----------------------------------------------------------------------------

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

profili calcola_profili(const stato& s, double lunghezza) {
  const std::size_t celle = std::min<std::size_t>(
      s.celle.size(), static_cast<std::size_t>(lunghezza / 50) + 1);
  profili p;
  double quota = 0;
  p.quota.push_back({0, 0});
  for (std::size_t i = 0; i < celle; ++i) {
    quota += (int{s.celle[i].pendenza} - 100) * 50 / 1000.0;
    p.quota.push_back({std::min((i + 1) * 50.0, lunghezza), quota});
    const double v = s.celle[i].velocita * 5.0;
    p.velocita.push_back({i * 50.0, v});
    p.velocita.push_back({std::min((i + 1) * 50.0, lunghezza), v});
  }
  p.curvatura = curvatura_del_piano(s.planimetria, celle);
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
    o << "<rect class=\"" << classe << "\" x=\"" << n1(t.x(b.da)) << "\" y=\""
      << t.cima << "\" width=\"" << n1(std::max(2.0, t.x(b.a) - t.x(b.da)))
      << "\" height=\"" << t.fondo - t.cima << "\" fill=\"" << colore
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
    o << "<text x=\"" << t.sinistra - 6 << "\" y=\"" << n1(pa.y(valore) + 4)
      << "\" font-size=\"10\" text-anchor=\"end\" fill=\"#555\">" << n1(valore)
      << "</text>\n";
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
    o << n1(t.x(metro)) << ',' << n1(pa.y(valore)) << ' ';
  }
  o << "\"/>\n";
}

// Signals at the foot of the speed panel, stations across all panels.
void disegna_segni(std::ostream& o, const tela& t, const vista& v,
                   const pannello& velocita) {
  for (const segno& g : v.segnali) {
    const double px = t.x(g.metro), py = velocita.alto + velocita.altezza;
    o << "<path class=\"segnale\" d=\"M" << n1(px) << ',' << n1(py - 9)
      << " l-4,8 l8,0 z\" fill=\"#c62828\"><title>" << xml(g.dettaglio)
      << "</title></path>\n";
  }
  for (const fermata& f : v.stazioni) {
    const double px = t.x(f.r->posizione);
    o << "<line class=\"stazione\" x1=\"" << n1(px) << "\" x2=\"" << n1(px)
      << "\" y1=\"" << t.cima << "\" y2=\"" << t.fondo
      << "\" stroke=\"#2e7d32\" stroke-dasharray=\"4 3\"/>\n";
    o << "<text x=\"" << n1(px + 2) << "\" y=\"" << t.cima - 4
      << "\" font-size=\"10\" fill=\"#2e7d32\" transform=\"rotate(-35 "
      << n1(px + 2) << ' ' << t.cima - 4 << ")\">" << testo(f.r->nome)
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
    const std::string px = n1(t.x(metro));
    o << "<line x1=\"" << px << "\" x2=\"" << px << "\" y1=\"" << t.fondo
      << "\" y2=\"" << t.fondo + 6 << "\" stroke=\"#555\"/><text x=\"" << px
      << "\" y=\"" << t.fondo + 20
      << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#333\">"
      << n1(metro / 1000) << " km</text>\n";
    if (con_progressiva(v)) {
      o << "<text x=\"" << px << "\" y=\"" << t.fondo + 34
        << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#777\">progr. "
        << n1(progressiva_km(v, metro)) << "</text>\n";
    }
  }
}

void disegna_profili(std::ostream& o, const stato& s, const vista& v) {
  tela t;
  t.lunghezza = std::max(1, v.lunghezza);
  const profili p = calcola_profili(s, t.lunghezza);
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

// --- The page
// --------------------------------------------------------------------------------

void tabella_orario(std::ostream& o, const vista& v) {
  o << "<table "
       "id=\"orario\">\n<tr><th>Record</th><th>Stazione</th><th>Tipo</th>"
       "<th>Posizione (m)</th><th>Area (m)</th>";
  if (con_progressiva(v)) o << "<th>Progressiva (km)</th>";
  o << "<th>Orario</th></tr>\n";
  for (const fermata& f : v.stazioni) {
    const stazione& r = *f.r;
    o << "<tr class=\"stazione\"><td>" << f.record << "</td><td>"
      << testo(r.nome) << "</td><td>" << int{r.tipo}
      << (r.tipo < 25 ? " (fermata)" : "") << "</td><td>" << r.posizione
      << "</td><td>" << r.inizio << " \xE2\x80\x93 " << r.fine << "</td>";
    if (con_progressiva(v))
      o << "<td>" << n1(progressiva_km(v, r.posizione)) << "</td>";
    o << "<td>" << ora(r.orario) << "</td></tr>\n";
  }
  o << "</table>\n";
}

}  // namespace

std::string nome_pagina(const stato& s) {
  return s.radice_linea + "_" + s.radice_treno + "_report.html";
}

std::string pagina_html(const stato& s,
                        const std::optional<std::string>& errore) {
  const vista v = prepara(s);
  std::ostringstream o;
  const std::string titolo = testo(s.stazioni[record_linea].nome) +
                             " \xE2\x80\x94 treno " +
                             testo(s.stazioni[record_nome_treno].nome);
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
       "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"it\" "
       "xml:lang=\"it\">\n<head>\n"
       "<meta charset=\"UTF-8\"/>\n<title>"
    << titolo
    << "</title>\n<style>\nbody{font-family:sans-serif;margin:16px;color:#222}"
       "h1{font-size:22px}h2{font-size:17px;margin-top:24px}"
       "table{border-collapse:collapse;font-size:13px}"
       "td,th{border:1px solid #ccc;padding:3px 8px;text-align:left}"
       "th{background:#eef}.errore{color:#b71c1c;font-weight:bold}.nota{color:#"
       "555}\n"
       "</style>\n</head>\n<body>\n<h1>"
    << titolo << "</h1>\n";
  o << "<p>Percorso di " << v.lunghezza << " m, " << v.stazioni.size()
    << " stazioni, " << v.segnali.size() << " segnali, " << v.indicatori.size()
    << " indicatori di velocit\xC3\xA0 massima, " << v.cartelli.size()
    << " cartelli, " << v.rallentamenti.size() << " rallentamenti, "
    << v.gallerie.size() << " gallerie.</p>\n";
  o << "<h2>Mappa</h2>\n";
  disegna_mappa(o, s, v);
  o << "<h2>Profili lungo il percorso</h2>\n";
  disegna_profili(o, s, v);
  o << "<h2>Orario</h2>\n";
  tabella_orario(o, v);
  o << "<h2>Errore registrato</h2>\n";
  if (!errore) {
    o << "<p class=\"nota\">Non noto: la pagina \xC3\xA8 costruita dai soli "
         "file binari. "
         "<code>scenario_builder compile --report</code> lo riporta.</p>\n";
  } else if (errore->empty()) {
    o << "<p id=\"errore\">Nessun errore registrato.</p>\n";
  } else {
    o << "<p id=\"errore\" class=\"errore\">" << xml(*errore) << "</p>\n";
  }
  o << "</body>\n</html>\n";
  return o.str();
}

esito_file scrivi_pagina(const stato& s, cartella& c,
                         const std::optional<std::string>& errore) {
  const std::string pagina = pagina_html(s, errore);
  return sostituisci_file(c, nome_pagina(s), [&pagina](scrittore_file& uscita) {
    uscita.scrivi(pagina.data(), pagina.size());
  });
}

int esegui_pagina(const opzioni_pagina& o, std::ostream& uscita,
                  std::ostream& errori) {
  stato s;
  if (!utf8_a_cp1252(o.nome_linea, s.nome_linea) ||
      !utf8_a_cp1252(o.codice_treno, s.nome_treno)) {
    errori << "nome non rappresentabile in Windows-1252\n";
    return uscita_uso_errato;
  }
  s.radice_linea = o.nome_linea;
  s.radice_treno = o.codice_treno;
  cartella_reale c(o.cartella);
  auto leggi = [&](const std::string& nome, std::string& dati) {
    const esito_file esito = c.leggi(nome, dati);
    if (!esito.ok) errori << esito.percorso << ": " << esito.motivo << '\n';
    return esito.ok;
  };
  std::string stazioni, celle, piano;
  if (!leggi(nome_tabella_stazioni(s), stazioni) ||
      !leggi(nome_tabella_celle(s), celle)) {
    return uscita_errore_file;
  }
  errore_decodifica e;
  if (!decodifica_stazioni(stazioni, s.stazioni, e)) {
    errori << c.percorso(nome_tabella_stazioni(s))
           << ": errore di decodifica al byte " << e.offset << ": " << e.motivo
           << '\n';
    return uscita_errore_file;
  }
  if (!decodifica_celle(celle, s.celle, e)) {
    errori << c.percorso(nome_tabella_celle(s))
           << ": errore di decodifica al byte " << e.offset << ": " << e.motivo
           << '\n';
    return uscita_errore_file;
  }
  // The geometry file is written only when the plan is built.
  if (c.esiste(nome_geometria_linea(s))) {
    if (!leggi(nome_geometria_linea(s), piano)) return uscita_errore_file;
    if (!decodifica_piano(piano, s.planimetria, e)) {
      errori << c.percorso(nome_geometria_linea(s))
             << ": errore di decodifica al byte " << e.offset << ": "
             << e.motivo << '\n';
      return uscita_errore_file;
    }
  }
  const esito_file scritto = scrivi_pagina(s, c, std::nullopt);
  if (!scritto.ok) {
    errori << scritto.percorso << ": " << scritto.motivo << '\n';
    return uscita_errore_file;
  }
  uscita << c.percorso(nome_pagina(s)) << '\n';
  return uscita_riuscita;
}
