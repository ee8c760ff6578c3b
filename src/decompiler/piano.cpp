// Curves from the plan. Every metre from 2 on is one step of the reader: it
// adds the last step to the metre before, turned by k per metre. k is 0 on a
// straight and one of six classes with a sign on a curve, and each step is
// computed again here with each k until one gives the stored coordinates bit
// for bit. Runs of equal k are the curves.
#include <bit>
#include <cmath>
#include <limits>
#include <string>

#include "decompiler/passi.h"

namespace {

constexpr double svolta_per_classe[] = {0.0001, 0.0002, 0.0004,
                                        0.001,  0.002,  0.003};
constexpr const char* raggio_per_classe[] = {"10000", "5000", "2500",
                                             "1000",  "500",  "333"};
// Curves may not lay the plan past this metre.
constexpr int32_t metro_massimo_curve = 1000000;
// Reports of a plan that no curve explains stop after this many metres.
constexpr std::size_t segnalazioni_massime = 20;

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

// Three metres in a row: the reader computes the last from the two before.
struct tre_metri {
  double x0 = 0, y0 = 0;  // metre m - 2
  double x1 = 0, y1 = 0;  // metre m - 1
  double x2 = 0, y2 = 0;  // metre m
};

// The step of the reader that computes metre m with turn k.
void passo(const tre_metri& t, double k, double& x, double& y) {
  const double dx = t.x1 - t.x0;
  const double dy = t.y1 - t.y0;
  if (k == 0.0) {
    x = t.x1 + dx;
    y = t.y1 + dy;
  } else {
    x = t.x1 + (dx + k * dy);
    y = t.y1 + (dy - k * dx);
  }
}

// The turn that gives metre m bit for bit; when none does, false and the
// nearest one.
bool svolta_del_metro(const tre_metri& t, svolta prima, svolta& trovata) {
  double errore_minimo = std::numeric_limits<double>::infinity();
  auto prova = [&](svolta s) {
    double x, y;
    passo(t, s.k(), x, y);
    if (stessi_bit(x, t.x2) && stessi_bit(y, t.y2)) {
      trovata = s;
      return true;
    }
    const double errore = std::fabs(x - t.x2) + std::fabs(y - t.y2);
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
// and (0, 1), Doubles up to E - 2, the last two metres Empty. The first axis
// whose element of metre m is not so, or -1.
int asse_fuori_forma(const coordinate_piano& p, int32_t m, int32_t e) {
  for (int asse = 0; asse < 2; ++asse) {
    const bool ok = m <= 1 ? tipo_e_valore(p, asse, m, tipo_variante::intero,
                                           m == 1 && asse == 1 ? 1.0 : 0.0)
                    : m <= e - 2
                        ? tipo_e_valore(p, asse, m, tipo_variante::doppio, 0)
                        : tipo_e_valore(p, asse, m, tipo_variante::vuoto, 0);
    if (!ok) return asse;
  }
  return -1;
}

// A metre that no class of turn gives, with the nearest turn.
voce_inspiegata svolta_inspiegata(int32_t m, svolta trovata) {
  const messaggio vicina =
      trovata.classe == 0
          ? messaggio{N_("a straight metre")}
          : messaggio{trovata.sinistra ? N_("class {0} to the left")
                                       : N_("class {0} to the right"),
                      {std::to_string(trovata.classe)}};
  return {voce_inspiegata::tabella::piano,
          m,
          {N_("no class of turn gives this metre")},
          vicina};
}

// One curve line for the curved steps from metre a to metre b. After a
// straight the line's start lays the straight steps up to a - 1; right after
// another curve the plan already stands at a, and any start behind it does.
voce_descrizione riga_curva(int32_t ultima, svolta s, int32_t a, int32_t b,
                            bool dopo_curva,
                            std::vector<voce_inspiegata>& segnalate) {
  const int64_t inizio_massimo = 50 * int64_t{ultima} - 100;
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
    segnalate.push_back({voce_inspiegata::tabella::piano,
                         a,
                         {N_("a turn that no line can place here")},
                         v.riga});
  }
  return v;
}

// The runs of metres with one turn, met in order: a curved run is one curve
// line, placed after a straight or right after another curve. The metres
// that no turn gives (the first few) are reported before the lines that no
// position can hold.
struct corse_di_svolte {
  int32_t ultima = 0;
  std::vector<voce_descrizione> righe;
  std::vector<voce_inspiegata> svolte, curve_fuori;
  int32_t inizio = 2;
  svolta corsa{}, prima_della_corsa{};
  bool aperta = false;

  void chiudi(int32_t fine) {
    if (corsa.classe == 0) return;
    const bool dopo_curva = inizio > 2 && prima_della_corsa.classe != 0;
    righe.push_back(
        riga_curva(ultima, corsa, inizio, fine, dopo_curva, curve_fuori));
  }
  void visita(int32_t m, svolta s, bool spiegata) {
    if (!spiegata && svolte.size() < segnalazioni_massime)
      svolte.push_back(svolta_inspiegata(m, s));
    if (aperta && s == corsa) return;
    if (aperta) chiudi(m - 1);
    prima_della_corsa = aperta ? corsa : svolta{};
    corsa = s;
    inizio = m;
    aperta = true;
  }
  righe_passo fine(int32_t ultimo_metro) {
    if (aperta) chiudi(ultimo_metro);
    righe_passo e{std::move(righe), {}};
    for (auto* elenco : {&svolte, &curve_fuori})
      for (voce_inspiegata& v : *elenco)
        e.r.segnala(v.dove, v.indice, std::move(v.trovato),
                    std::move(v.piu_vicina));
    return e;
  }
};

}  // namespace

// One walk of the plan, each metre read once and not held (a turn a metre
// would be 8 MB on a long route): its shape, and the turn of every metre from
// 2 to E - 2, each found from the one before.
righe_passo curve(const tabelle_lette& t) {
  righe_passo e;
  if (t.piano == nullptr) return e;
  const coordinate_piano& p = *t.piano;
  const int32_t ultimo = t.stazioni[record_treno].fine + 7000;
  const auto piano = voce_inspiegata::tabella::piano;
  if (p.ultimo_metro() != ultimo) {
    e.r.segnala(piano, -1,
                {N_("plan up to metre {0} instead of {1}"),
                 {std::to_string(p.ultimo_metro()), std::to_string(ultimo)}});
    return e;
  }
  corse_di_svolte corse;
  corse.ultima = t.ultima;
  tre_metri metri;
  svolta prima{};
  for (int32_t m = 0; m <= ultimo; ++m) {
    if (const int asse = asse_fuori_forma(p, m, ultimo); asse >= 0) {
      e.r.segnala(piano, m,
                  {N_("unexpected element in the plan (axis {0})"),
                   {std::to_string(asse)}});
      return e;
    }
    if (m > ultimo - 2) continue;
    metri = {metri.x1, metri.y1, metri.x2, metri.y2, p.x(m), p.y(m)};
    if (m < 2) continue;
    svolta trovata{};
    const bool spiegata = svolta_del_metro(metri, prima, trovata);
    corse.visita(m, trovata, spiegata);
    prima = trovata;
  }
  return corse.fine(ultimo - 2);
}
