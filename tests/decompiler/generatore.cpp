#include "generatore.h"

#include <cmath>
#include <initializer_list>
#include <random>

namespace {

std::string riga(const std::string& parola,
                 std::initializer_list<int64_t> valori) {
  std::string testo = parola;
  for (int64_t v : valori) testo += ",  " + std::to_string(v);
  return testo;
}

int64_t arrotondato(double x) {
  return static_cast<int64_t>(std::nearbyint(x));
}

class generatore {
 public:
  generatore(uint64_t seme, bool breve) : caso_(seme), breve_(breve) {}
  scenario_casuale genera();

 private:
  std::mt19937_64 caso_;
  bool breve_;          // a route of at most 1,000 m
  int32_t ultima_ = 0;  // N
  int32_t e_ = 0;       // the plan's last metre
  // What each cell holds while the reader goes on: 0 free, 11 a tunnel mark
  // (free too), else an item's kind.
  std::vector<uint8_t> tipo_;
  scenario_casuale s_;
  std::vector<int64_t> avvisi_, fini_;  // slowdown cells that rules A and D
                                        // look around

  int64_t tra(int64_t a, int64_t b) {
    return std::uniform_int_distribution<int64_t>(a, b)(caso_);
  }
  bool moneta(double p) { return std::bernoulli_distribution(p)(caso_); }
  int64_t massimo() const { return 50 * int64_t{ultima_} - 100; }
  bool libera(int64_t c) const {
    return c >= 0 && c <= ultima_ &&
           (tipo_[static_cast<std::size_t>(c)] == 0 ||
            tipo_[static_cast<std::size_t>(c)] == 11);
  }
  void occupa(int64_t c, uint8_t tipo) {
    tipo_[static_cast<std::size_t>(c)] = tipo;
  }
  // A position that passes the range check: often near either end of the
  // route, often a multiple of 50.
  int64_t posizione() {
    int64_t p = moneta(0.15)   ? tra(0, 400)
                : moneta(0.15) ? tra(massimo() - 400, massimo())
                               : tra(0, massimo());
    if (moneta(0.7)) p -= p % 50;
    return p;
  }
  // A free cell for an item at P / 50 + 1, and its position.
  bool cella_libera(int64_t& posizione_cella, int64_t& c) {
    for (int prova = 0; prova < 20; ++prova) {
      posizione_cella = std::min(posizione(), massimo());
      if (moneta(0.05)) posizione_cella = -50;
      c = arrotondato(posizione_cella / 50.0 + 1.0);
      if (c != 1 && libera(c)) return true;
    }
    return false;
  }
  std::string testo(int lunghezza_massima) {
    static const std::string lettere =
        "ABCDEFGHILMNOPRSTUVZ abcdeilmnorstu ()./0123456789\xE0\xE8\xF2\xF9";
    std::string t;
    const auto n = tra(0, lunghezza_massima);
    for (int64_t i = 0; i < n; ++i)
      t += lettere[static_cast<std::size_t>(tra(0, lettere.size() - 1))];
    return t;
  }

  void generale();
  void curve();
  void pendenze();
  void gallerie();
  void indicatori();
  void cartelli();
  void treno_generale();
  void profilo(const char* parola, int64_t massimo_valore, int64_t passo);
  void stazioni();
  void rallentamenti();
  bool rallentamento(int64_t x);
  void abbattimenti();
  void segnali();
  void segnale_in(int64_t c);
};

void generatore::generale() {
  const int64_t lunghezza = breve_         ? tra(1, 1000)
                            : moneta(0.8) ? tra(60, 400) * 50
                                          : tra(2000, 20000);
  e_ = static_cast<int32_t>(lunghezza + 7000);
  ultima_ = static_cast<int32_t>(arrotondato(e_ / 50.0));
  tipo_.assign(static_cast<std::size_t>(ultima_) + 1, 0);
  tipo_[1] = 99;  // cell 1 holds the reserved values: no item goes there
  auto& l = s_.linea;
  l.push_back("[generale]");
  l.push_back(riga("lunghezza percorso", {lunghezza}));
  const char* nomi[] = {"uno", "due", "tre"};
  const int64_t usata = tra(0, 3);
  for (int n = 0; n < 3; ++n) {
    const bool piena = n == usata || moneta(0.1);
    const int64_t inizio = piena && moneta(0.3) ? tra(0, 400) * 50 : 0;
    l.push_back(
        riga(std::string("progressiva chilometrica ") + nomi[n],
             {inizio, piena ? tra(0, 4000) * 50 : 0, piena ? tra(0, 2) : 0}));
  }
  l.push_back(riga("sfondo uno", {tra(0, 3)}));
  l.push_back(riga("sfondo due", {tra(0, 3)}));
  l.push_back(riga("sfondo tre", {tra(0, 3)}));
  const int64_t fine = moneta(0.2) ? 0 : tra(0, lunghezza / 50) * 50;
  l.push_back(riga(moneta(0.5) ? "ripetizione segnali 4 codici"
                               : "ripetizione segnali 9 codici",
                   {tra(0, fine / 50) * 50, fine}));
  l.push_back("[curve]");
}

// Curves in order of start: some start where the one before ends, the last
// may run past the plan's end.
void generatore::curve() {
  int64_t fine = 1;
  const int64_t quante = tra(0, 8);
  for (int64_t n = 0; n < quante; ++n) {
    const int64_t inizio = moneta(0.25) && n > 0 ? fine : fine + tra(1, 3000);
    if (inizio > massimo()) break;
    const int64_t lunghezza =
        moneta(0.1) ? e_ - inizio + tra(0, 500) : tra(1, 1500);
    const std::string parola = std::string(moneta(0.5) ? "curvas" : "curvad") +
                               static_cast<char>('1' + tra(0, 5));
    s_.linea.push_back(riga(parola, {inizio, lunghezza}));
    fine = inizio + lunghezza;
  }
}

void generatore::pendenze() {
  s_.linea.push_back("[pendenze]");
  int64_t p = 0;
  const int64_t quante = tra(0, 8);
  for (int64_t n = 0; n < quante; ++n) {
    if (n > 0)
      p = moneta(0.1) ? massimo() : std::min(p + tra(0, 4000), massimo());
    s_.linea.push_back(
        riga("pendenza", {moneta(0.7) ? p - p % 50 : p, tra(-30, 30)}));
  }
}

// Tunnels, some over the one before; kinds above 10 ask for marks.
void generatore::gallerie() {
  s_.linea.push_back("[montagne]");
  int64_t inizio_prima = 0, fine_prima = 0;
  const int64_t quante = tra(0, 5);
  for (int64_t n = 0; n < quante; ++n) {
    int64_t inizio = posizione();
    if (n > 0 && moneta(0.3))
      inizio = std::min(tra(inizio_prima, fine_prima), massimo());
    const int64_t fine = std::min<int64_t>(inizio + tra(50, 3000), e_);
    const int64_t tipo = moneta(0.1) ? 0 : tra(1, 10) + (moneta(0.5) ? 10 : 0);
    s_.linea.push_back(riga("montagna", {inizio, fine, tipo}));
    const int64_t primo = arrotondato(inizio / 50.0);
    const int64_t ultimo = arrotondato(fine / 50.0 - 1.0);
    for (int64_t c = primo;
         tipo > 10 && c <= std::min<int64_t>(ultimo, ultima_); ++c)
      if ((c - primo + 1) % 4 == 0 && tipo_[static_cast<std::size_t>(c)] == 0)
        occupa(c, 11);
    inizio_prima = inizio;
    fine_prima = fine;
  }
}

// Speed boards: speeds mostly multiples of 5, some that round.
void generatore::indicatori() {
  s_.linea.push_back("[cartelli]");
  const int64_t quanti = tra(0, 6);
  for (int64_t n = 0; n < quanti; ++n) {
    int64_t p, c;
    if (!cella_libera(p, c)) continue;
    auto velocita = [&] { return moneta(0.8) ? tra(6, 40) * 5 : tra(0, 250); };
    const int64_t vs[3] = {velocita(), velocita(), velocita()};
    const bool uguali = moneta(0.6);
    const int64_t vd[3] = {uguali ? vs[0] : velocita(),
                           uguali ? vs[1] : velocita(),
                           uguali ? vs[2] : velocita()};
    s_.linea.push_back(riga(
        "indicatori_vmax",
        {p, vs[0], vs[1], vs[2], tra(0, 3), vd[0], vd[1], vd[2], tra(0, 3)}));
    occupa(c, 6);
  }
}

void generatore::cartelli() {
  s_.linea.push_back("[indicazioni]");
  const int64_t quanti = tra(0, 5);
  for (int64_t n = 0; n < quanti; ++n) {
    int64_t p, c;
    if (!cella_libera(p, c)) continue;
    std::string t = "(" + testo(12) + ")";
    if (moneta(0.1)) t = "\"" + t + ", " + testo(5) + "\"";
    s_.linea.push_back("cartello_indicatore,  " + std::to_string(p) + ",   " +
                       t);
    occupa(c, 14);
  }
  s_.linea.push_back("[fine]");
}

void generatore::treno_generale() {
  auto& t = s_.treno;
  t.push_back("[generale]");
  t.push_back(riga("numero vetture", {tra(1, 20)}));
  t.push_back(riga("percentuale massa frenata", {tra(50, 200)}));
  t.push_back(riga("sabbia", {tra(-100, 3000)}));
  t.push_back("orologio,    " + std::to_string(tra(0, 23)) + "     " +
              std::to_string(tra(0, 59)) + "   " + std::to_string(tra(0, 59)));
}

// Speed or adhesion lines in order of position, the first mostly at 0.
void generatore::profilo(const char* parola, int64_t massimo_valore,
                         int64_t passo) {
  int64_t p = moneta(0.8) ? 0 : tra(0, 2000);
  const int64_t quante = tra(1, 6);
  for (int64_t n = 0; n < quante; ++n) {
    const int64_t valore = moneta(0.8) ? tra(0, massimo_valore / passo) * passo
                                       : tra(0, massimo_valore);
    s_.treno.push_back(riga(parola, {std::min(p, massimo()), valore}));
    p += moneta(0.1) ? 0 : tra(50, 6000);
  }
}

// Stations of every area shape, each at least 350 m after the one before,
// some over a signal placed earlier in their stop cell.
void generatore::stazioni() {
  s_.treno.push_back("[stazioni]");
  static const int64_t tipi[] = {0, 5, 6, 7, 8, 11, 12, 12, 12, 24, 25, 27, 30};
  int64_t fine_prima = -1000000;
  const int64_t quante = tra(0, 5);
  for (int64_t n = 0; n < quante; ++n) {
    const int64_t tipo = tipi[tra(0, 12)];
    const int64_t l = tra(1, 15) * 100;
    const int64_t campo6 = moneta(0.2) ? tra(1, 3) : 0;
    const int64_t davanti = (tipo >= 5 && tipo <= 8) ? l : l / 2;
    int64_t p = std::max<int64_t>(fine_prima + 350 + davanti,
                                  moneta(0.3) ? 0 : tra(0, 3000));
    p += tra(0, 60) * 50;
    p += (50 - p % 50) % 50;
    int64_t fine = tipo == 5 || tipo == 6 ? p + 150
                   : tipo == 7 || tipo == 8
                       ? p + l
                       : p + l / 2 + (campo6 != 0 ? 50 : 0);
    if (tipo < 25 && fine <= 100) {
      p += 200;
      fine += 200;
    }
    const int64_t fermata = arrotondato(fine / 50.0 - 1);
    if (p + 800 > 50 * int64_t{ultima_} || fermata > ultima_) break;
    // Now and then a signal where the stop cell will go: the station's line
    // covers it.
    if (tipo < 25 && moneta(0.15)) segnale_in(fermata);
    const int64_t orario = moneta(0.4) ? 0 : tra(0, 86399);
    s_.treno.push_back(
        riga("stazione",
             {p, tipo, l, tra(0, 255), tra(0, 3), campo6, tra(-5, 5), tra(0, 3),
              tra(0, 255), tra(0, 5), tra(0, 3), tra(0, 3), tra(0, 1),
              orario / 3600, orario / 60 % 60, orario % 60}) +
        ", " + testo(15));
    if (tipo < 25) occupa(fermata, 10);
    fine_prima = fine;
  }
}

bool generatore::rallentamento(int64_t x) {
  const int64_t v = moneta(0.5) ? tra(20, 105) : tra(110, 160);
  int64_t l = moneta(0.1) ? tra(0, 20) : tra(1, 2500);
  if (moneta(0.7)) l -= l % 50;
  const bool f_ta = moneta(0.5);
  const int64_t d_v = moneta(0.5) ? 0 : tra(1, 100);
  const int64_t a = arrotondato((x - 1200) / 50.0 + 1),
                s = arrotondato(x / 50.0 + 1),
                e = arrotondato((x + l) / 50.0 + 1),
                b = arrotondato((x - 1200) / 50.0);
  const bool avviso = x > 1500;
  if (s == 1 || e == 1 || !libera(s) || !libera(e) || (avviso && !libera(a)))
    return false;
  for (int k = 0; avviso && f_ta && k < 4; ++k)
    if (b - k == 1 || !libera(b - k)) return false;
  s_.treno.push_back(
      riga("rallentamento", {x, v, l, tra(0, 3), f_ta ? 1 : 0, d_v}));
  occupa(e, 2);
  occupa(s, 3);
  if (avviso) {
    occupa(a, 4);
    avvisi_.push_back(a);
    for (int k = 0; f_ta && k < 4; ++k) occupa(b - k, 5);
  }
  fini_.push_back(e);
  return true;
}

void generatore::rallentamenti() {
  s_.treno.push_back("[rallentamenti]");
  const int64_t quanti = tra(0, 4);
  for (int64_t n = 0; n < quanti; ++n) {
    for (int prova = 0; prova < 10 && !rallentamento(posizione()); ++prova) {
    }
  }
}

void generatore::abbattimenti() {
  const int64_t quanti = tra(0, 3);
  for (int64_t n = 0; n < quanti; ++n) {
    const int64_t i = tra(2, ultima_ - 2);
    if (!libera(i)) continue;
    const int64_t valore = moneta(0.3) ? 180 : tra(-3, 400);
    s_.treno.push_back(riga("abbattimento", {50 * i, valore}));
    occupa(i, valore >= 1 ? 12 : 13);
  }
}

void generatore::segnale_in(int64_t c) {
  const int64_t p = 50 * (c - 1) + (moneta(0.2) ? tra(-24, 24) : 0);
  if (c == 1 || !libera(c) || p + 100 > 50 * int64_t{ultima_}) return;
  const int64_t tempo = moneta(0.7) ? 0 : tra(0, 300);
  s_.treno.push_back(
      riga("segnale", {p, moneta(0.9) ? tra(1, 2) : tra(0, 3), tra(0, 5),
                       tra(0, 1), tra(0, 1), moneta(0.9) ? 0 : tra(1, 3),
                       tra(0, 2), tra(0, 3), tra(0, 1), tra(0, 1), tempo}));
  occupa(c, 1);
}

// Signals anywhere, and near the slowdowns where rules A and D look for them.
void generatore::segnali() {
  s_.treno.push_back("[segnali]");
  for (int64_t a : avvisi_)
    if (moneta(0.6)) segnale_in(a - tra(1, 20));
  for (int64_t e : fini_)
    if (moneta(0.6)) segnale_in(e + tra(0, 12));
  const int64_t quanti = tra(0, 8);
  for (int64_t n = 0; n < quanti; ++n) segnale_in(tra(0, ultima_ - 1));
  s_.treno.push_back("[codici]");
  s_.treno.push_back("[fine]");
}

scenario_casuale generatore::genera() {
  s_.nome_linea =
      moneta(0.7) ? "Valdora_Cesina" : "Linea_" + std::to_string(tra(0, 999));
  s_.nome_treno = moneta(0.7) ? "KT52806" : "T" + std::to_string(tra(0, 99999));
  s_.con_piano = moneta(0.8);
  generale();
  curve();
  pendenze();
  gallerie();
  indicatori();
  cartelli();
  treno_generale();
  s_.treno.push_back("[aderenze]");
  profilo("aderenza", 300, 1);
  s_.treno.push_back("[vel_limite]");
  profilo("velocita", 300, 5);
  stazioni();
  rallentamenti();
  abbattimenti();
  segnali();
  return s_;
}

}  // namespace

scenario_casuale genera_scenario(uint64_t seme) {
  return generatore(seme, false).genera();
}

scenario_casuale genera_scenario_breve(uint64_t seme) {
  return generatore(seme, true).genera();
}
