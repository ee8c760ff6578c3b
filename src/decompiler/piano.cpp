// Curves from the plan. Every metre from 2 on is one step of the reader: it
// adds the last step to the metre before, turned by k per metre. k is 0 on a
// straight and one of six classes with a sign on a curve, and each step is
// computed again here with each k until one gives the stored coordinates bit
// for bit. Runs of equal k are the curves.
#include <bit>
#include <cmath>
#include <limits>
#include <string>

#include "decompiler/lavoro.h"

namespace {

constexpr double svolta_per_classe[] = {0.0001, 0.0002, 0.0004,
                                        0.001,  0.002,  0.003};
constexpr const char* raggio_per_classe[] = {"10000", "5000", "2500",
                                             "1000",  "500",  "333"};
// Curves may not lay the plan past this metre.
constexpr int32_t metro_massimo_curve = 1000000;
// Reports of a plan that no curve explains stop after this many metres.
constexpr int segnalazioni_massime = 20;

// The turn of one step: class 0 is the straight, 1 to 6 the curve classes.
struct svolta {
  int classe = 0;
  bool sinistra = false;
  bool operator==(const svolta&) const = default;
  double k() const {
    if (classe == 0) return 0.0;
    const double k = svolta_per_classe[classe - 1];
    return sinistra ? -k : k;
  }
};

bool stessi_bit(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// The step of the reader that computes metre m with turn k.
void passo(const coordinate_piano& p, int32_t m, double k, double& x,
           double& y) {
  const double dx = p.x(m - 1) - p.x(m - 2);
  const double dy = p.y(m - 1) - p.y(m - 2);
  if (k == 0.0) {
    x = p.x(m - 1) + dx;
    y = p.y(m - 1) + dy;
  } else {
    x = p.x(m - 1) + (dx + k * dy);
    y = p.y(m - 1) + (dy - k * dx);
  }
}

// The turn that gives metre m bit for bit; when none does, false and the
// nearest one.
bool svolta_del_metro(const coordinate_piano& p, int32_t m, svolta prima,
                      svolta& trovata) {
  double errore_minimo = std::numeric_limits<double>::infinity();
  auto prova = [&](svolta s) {
    double x, y;
    passo(p, m, s.k(), x, y);
    if (stessi_bit(x, p.x(m)) && stessi_bit(y, p.y(m))) {
      trovata = s;
      return true;
    }
    const double errore = std::fabs(x - p.x(m)) + std::fabs(y - p.y(m));
    if (errore < errore_minimo) {
      errore_minimo = errore;
      trovata = s;
    }
    return false;
  };
  if (prova(prima)) return true;
  for (int classe = 0; classe <= 6; ++classe) {
    for (bool sinistra : {false, true}) {
      if (classe == 0 && sinistra) continue;
      if (svolta{classe, sinistra} != prima && prova({classe, sinistra}))
        return true;
    }
  }
  return false;
}

bool tipo_e_valore(const coordinate_piano& p, int asse, int32_t m,
                   tipo_variante tipo, double valore) {
  const auto i = static_cast<std::size_t>(m);
  return p.tipo(asse, i) == tipo &&
         (tipo != tipo_variante::intero || p.valore(asse, i) == valore);
}

// The plan's shape as the reader leaves it: metres 0 and 1 the Integers (0, 0)
// and (0, 1), Doubles up to E - 2, the last two metres Empty.
bool forma_del_piano(lavoro& l, int32_t e) {
  const coordinate_piano& p = *l.piano;
  const auto piano = voce_inspiegata::tabella::piano;
  if (p.ultimo_metro() != e) {
    l.segnala(piano, -1,
              {N_("plan up to metre {0} instead of {1}"),
               {std::to_string(p.ultimo_metro()), std::to_string(e)}});
    return false;
  }
  for (int32_t m = 0; m <= e; ++m) {
    for (int asse = 0; asse < 2; ++asse) {
      const bool ok = m <= 1 ? tipo_e_valore(p, asse, m, tipo_variante::intero,
                                             m == 1 && asse == 1 ? 1.0 : 0.0)
                      : m <= e - 2
                          ? tipo_e_valore(p, asse, m, tipo_variante::doppio, 0)
                          : tipo_e_valore(p, asse, m, tipo_variante::vuoto, 0);
      if (!ok) {
        l.segnala(piano, m,
                  {N_("unexpected element in the plan (axis {0})"),
                   {std::to_string(asse)}});
        return false;
      }
    }
  }
  return true;
}

// Walks the turn of every metre from 2 to E - 2 in order, each found from the
// one before: visita(metre, turn, whether a class of turn gives it). The plan
// is walked, not held: a turn a metre would be 8 MB on a long route.
template <typename Visita>
void per_ogni_svolta(const coordinate_piano& p, int32_t e, Visita visita) {
  svolta prima{};
  for (int32_t m = 2; m <= e - 2; ++m) {
    svolta trovata{};
    const bool spiegata = svolta_del_metro(p, m, prima, trovata);
    visita(m, trovata, spiegata);
    prima = trovata;
  }
}

// The metres that no class of turn gives, the first few reported.
void segnala_svolte(lavoro& l, int32_t e) {
  int segnalate = 0;
  per_ogni_svolta(*l.piano, e, [&](int32_t m, svolta trovata, bool spiegata) {
    if (spiegata || segnalate++ >= segnalazioni_massime) return;
    const messaggio vicina =
        trovata.classe == 0
            ? messaggio{N_("a straight metre")}
            : messaggio{trovata.sinistra ? N_("class {0} to the left")
                                         : N_("class {0} to the right"),
                        {std::to_string(trovata.classe)}};
    l.segnala(voce_inspiegata::tabella::piano, m,
              {N_("no class of turn gives this metre")}, vicina);
  });
}

// One curve line for the curved steps from metre a to metre b. After a
// straight the line's start lays the straight steps up to a - 1; right after
// another curve the plan already stands at a, and any start behind it does.
voce_descrizione riga_curva(lavoro& l, svolta s, int32_t a, int32_t b,
                            bool dopo_curva) {
  const int64_t inizio_massimo = 50 * int64_t{l.ultima} - 100;
  const int64_t inizio =
      dopo_curva ? std::min<int64_t>(a - 1, inizio_massimo) : a - 1;
  const std::string parola = std::string("curva") + (s.sinistra ? "s" : "d") +
                             static_cast<char>('0' + s.classe);
  voce_descrizione v{
      "svolta a " + std::string(s.sinistra ? "sinistra" : "destra") +
          " di classe " + std::to_string(s.classe) + " (raggio " +
          raggio_per_classe[s.classe - 1] + " m) dal metro " +
          std::to_string(inizio) + " al metro " + std::to_string(b),
      riga_valori(parola, {inizio, b - inizio})};
  if (inizio > inizio_massimo || b >= metro_massimo_curve) {
    l.segnala(voce_inspiegata::tabella::piano, a,
              {N_("a turn that no line can place here")}, v.riga);
  }
  return v;
}

}  // namespace

std::vector<voce_descrizione> curve(lavoro& l) {
  std::vector<voce_descrizione> righe;
  if (l.piano == nullptr) return righe;
  const int32_t e = l.stazioni[record_treno].fine + 7000;
  if (!forma_del_piano(l, e)) return righe;
  segnala_svolte(l, e);
  // Runs of metres with one turn; a curved run is one curve line, placed
  // after a straight or right after another curve.
  int32_t inizio = 2;
  svolta corsa{}, prima_della_corsa{};
  bool aperta = false;
  const auto chiudi = [&](int32_t fine) {
    if (corsa.classe == 0) return;
    const bool dopo_curva = inizio > 2 && prima_della_corsa.classe != 0;
    righe.push_back(riga_curva(l, corsa, inizio, fine, dopo_curva));
  };
  per_ogni_svolta(*l.piano, e, [&](int32_t m, svolta s, bool) {
    if (aperta && s == corsa) return;
    if (aperta) chiudi(m - 1);
    prima_della_corsa = aperta ? corsa : svolta{};
    corsa = s;
    inizio = m;
    aperta = true;
  });
  if (aperta) chiudi(e - 2);
  return righe;
}
