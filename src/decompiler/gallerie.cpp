// Tunnels from the cells' tunnel kinds and the kind-11 marks. A tunnel line
// paints its kind over its cells, over whatever an earlier line painted, and
// when asked marks every fourth cell counted from its first one, on the cells
// still empty. A line that starts 150 m or less after the end of the line
// before it (in line order) takes kind 3 whatever it asks for.
//
// The runs of equal kind become lines in order of position. A run's line may
// start up to three cells early, on cells that a later line paints again, so
// that its marks fall where the marks are; marks that no run explains get
// short lines of their own below the others. Lines are then ordered so that
// every cell's last painter is its own run, and a line that must keep a kind
// other than 3 follows a line that ends far enough before it, or a line that
// covers no cell and ends far back.
#include <algorithm>
#include <cmath>
#include <string>

#include "decompiler/passi.h"

namespace {

constexpr int32_t righe_massime = 80;
constexpr int32_t distanza_tipo_3 = 150;
// A start moved by this many metres still falls in the same cell.
constexpr int32_t spostamento_massimo = 24;

struct linea_galleria {
  int32_t primo = 0, ultimo = 0;  // cells
  uint8_t valore = 0;             // the kind it leaves where it paints last
  bool segnata = false;
  bool valore_libero = false;  // it paints last nowhere: its kind is free
  bool spaziatore = false;     // covers no cell, ends far back
  int32_t spostamento = 0;
  bool tipo_3_imposto = false;

  int64_t inizio() const {
    return spaziatore ? 0 : 50 * int64_t{primo} + spostamento;
  }
  int64_t fine() const {
    return spaziatore ? -1000 : 50 * (int64_t{ultimo} + 1);
  }
};

struct stato_gallerie {
  const tabelle_lette& t;
  resoconto& r;
  std::vector<bool> spiegato;  // kind-11 cells that a marked line explains
  std::vector<linea_galleria> linee;
  std::vector<int32_t> proprietaria;  // the run line of each tunnel cell

  uint8_t m(int32_t c) const { return t.c(c).montagna; }
  bool occupata(int32_t c) const { return t.c(c).tipo != cella_vuota; }
  bool segno(int32_t c) const { return t.c(c).tipo == cella_segno_galleria; }
  bool inizio_ammesso(int64_t metro) const {
    return entro(metro, 100, t.ultima);
  }
};

// Marks from `primo` every fourth cell up to `ultimo`: -1 when one would fall
// on a cell left empty, else how many kind-11 cells they explain.
int segni_spiegati(const stato_gallerie& g, int32_t primo, int32_t ultimo) {
  int trovati = 0;
  for (int64_t c = int64_t{primo} + 3; c <= ultimo; c += 4) {
    if (!g.t.in_tabella(c)) continue;
    const auto i = static_cast<int32_t>(c);
    if (!g.occupata(i)) return -1;
    if (g.segno(i)) ++trovati;
  }
  return trovati;
}

void spiega_segni(stato_gallerie& g, const linea_galleria& linea) {
  for (int64_t c = int64_t{linea.primo} + 3; c <= linea.ultimo; c += 4) {
    if (g.t.in_tabella(c)) g.spiegato[static_cast<std::size_t>(c)] = true;
  }
}

// A line of kind 0 that paints the cells [a, b] again after a run's line
// that started early over them.
void ridipingi(stato_gallerie& g, int32_t a, int32_t b) {
  for (int32_t c = a; c <= b; ++c)
    g.proprietaria[static_cast<std::size_t>(c)] =
        static_cast<int32_t>(g.linee.size());
  g.linee.push_back({a, b, 0, false});
}

// The line of the run [a, b]: its first cell, up to three cells early on
// tunnel cells of other runs, chosen for the marks it explains. A run in the
// last two cells, whose start no line may write, starts in the last cell that
// passes the range check or before, over any cells: those out of every tunnel
// are painted back to 0 by lines of their own.
void linea_della_serie(stato_gallerie& g, int32_t a, int32_t b) {
  const int32_t da = std::min(a, g.t.ultima - 2);
  linea_galleria migliore;
  int migliori_segni = -2;
  for (int32_t primo = da; primo >= da - 3; --primo) {
    if (primo < a && da == a && g.t.in_tabella(primo) && g.m(primo) == 0) break;
    if (!g.inizio_ammesso(50 * int64_t{primo})) continue;
    const int segni = segni_spiegati(g, primo, b);
    const int valore = std::max(segni, 0);
    if (valore > migliori_segni) {
      migliori_segni = valore;
      migliore = {primo, b, g.m(a), segni > 0};
    }
  }
  if (migliori_segni < 0) {
    g.r.segnala_cella(g.t, a,
                      riga_valori("montagna", {50 * int64_t{a},
                                               50 * (int64_t{b} + 1), g.m(a)}));
    migliore = {a, b, g.m(a), false};
  }
  if (migliore.segnata) spiega_segni(g, migliore);
  for (int32_t c = a; c <= b; ++c)
    g.proprietaria[static_cast<std::size_t>(c)] =
        static_cast<int32_t>(g.linee.size());
  g.linee.push_back(migliore);
  for (int32_t c = std::max(migliore.primo, 0); c < a; ++c) {
    if (g.m(c) != 0) continue;
    int32_t fine = c;
    while (fine + 1 < a && g.m(fine + 1) == 0) ++fine;
    ridipingi(g, c, fine);
    c = fine;
  }
}

// Marks left over: chains of marks four cells apart, each a line that starts
// three cells before its first mark. Its kind is 0 where it covers cells out
// of every tunnel; elsewhere later lines paint over it.
void linee_dei_segni(stato_gallerie& g) {
  for (int32_t c = 0; c <= g.t.ultima; ++c) {
    if (!g.segno(c) || g.spiegato[static_cast<std::size_t>(c)]) continue;
    int32_t ultimo = c;
    while (ultimo + 4 <= g.t.ultima && g.segno(ultimo + 4) &&
           !g.spiegato[static_cast<std::size_t>(ultimo + 4)])
      ultimo += 4;
    linea_galleria linea{c - 3, ultimo, 0, true};
    linea.valore_libero = true;
    for (int32_t d = std::max(c - 3, 0); d <= ultimo; ++d)
      if (g.m(d) == 0) linea.valore_libero = false;
    spiega_segni(g, linea);
    g.linee.push_back(linea);
  }
}

// Whether `x` may follow `ultima` (nullptr: the first line) and keep the kind
// it asks for; sets the start's shift that it needs.
bool puo_seguire(const stato_gallerie& g, linea_galleria& x,
                 const linea_galleria* ultima) {
  x.spostamento = 0;
  if (ultima == nullptr || x.valore_libero || x.valore == 3) return true;
  if (x.inizio() - ultima->fine() > distanza_tipo_3) return true;
  x.spostamento = spostamento_massimo;
  if (x.inizio() - ultima->fine() > distanza_tipo_3 &&
      g.inizio_ammesso(x.inizio()))
    return true;
  x.spostamento = 0;
  return false;
}

struct precedenze {
  std::vector<std::vector<std::size_t>> dopo;  // lines that must come later
  std::vector<int> prima;                      // how many must come earlier
};

// Every line comes before the run lines that paint over its cells.
precedenze calcola_precedenze(const stato_gallerie& g) {
  const std::size_t n = g.linee.size();
  precedenze p{std::vector<std::vector<std::size_t>>(n), std::vector<int>(n)};
  for (std::size_t x = 0; x < n; ++x) {
    const linea_galleria& linea = g.linee[x];
    for (int32_t c = std::max(linea.primo, 0);
         c <= std::min(linea.ultimo, g.t.ultima); ++c) {
      const int32_t y = g.proprietaria[static_cast<std::size_t>(c)];
      if (y < 0 || static_cast<std::size_t>(y) == x) continue;
      auto& elenco = p.dopo[x];
      if (std::find(elenco.begin(), elenco.end(), y) != elenco.end()) continue;
      elenco.push_back(static_cast<std::size_t>(y));
      ++p.prima[static_cast<std::size_t>(y)];
    }
  }
  return p;
}

// The next line among those free to go, first by position: one that keeps
// its kind after `ultima` when there is one (`spaziatore` false), else the
// first (`spaziatore` true). n when none is free to go.
std::size_t prossima(stato_gallerie& g, const precedenze& p,
                     const std::vector<bool>& posta,
                     const linea_galleria* ultima, bool& spaziatore) {
  const std::size_t n = g.linee.size();
  std::size_t prima = n, adatta = n;
  for (std::size_t x = 0; x < n; ++x) {
    if (posta[x] || p.prima[x] > 0) continue;
    if (prima == n || g.linee[x].inizio() < g.linee[prima].inizio()) prima = x;
    linea_galleria prova = g.linee[x];
    if (puo_seguire(g, prova, ultima) &&
        (adatta == n || g.linee[x].inizio() < g.linee[adatta].inizio()))
      adatta = x;
  }
  spaziatore = adatta == n && prima != n;
  return adatta != n ? adatta : prima;
}

std::vector<linea_galleria> ordina(stato_gallerie& g) {
  precedenze p = calcola_precedenze(g);
  std::vector<bool> posta(g.linee.size(), false);
  std::vector<linea_galleria> ordine;
  for (std::size_t poste = 0; poste < g.linee.size(); ++poste) {
    bool spaziatore = false;
    const std::size_t x = prossima(
        g, p, posta, ordine.empty() ? nullptr : &ordine.back(), spaziatore);
    if (x == g.linee.size()) break;  // no line free to go: cannot happen
    if (spaziatore) {
      linea_galleria vuota;
      vuota.spaziatore = true;
      ordine.push_back(vuota);
    }
    linea_galleria linea = g.linee[x];
    puo_seguire(g, linea, ordine.empty() ? nullptr : &ordine.back());
    posta[x] = true;
    for (std::size_t y : p.dopo[x]) --p.prima[y];
    ordine.push_back(linea);
  }
  return ordine;
}

// The kind the line asks for: above 10 when marked (0 is asked as 256 + 10);
// a kind above 10 without marks is asked as its negative byte.
int64_t tipo_scritto(const linea_galleria& x) {
  if (x.spaziatore) return 0;
  const int64_t v = x.valore;
  if (x.segnata) return v >= 1 ? v + 10 : 256 + 10;
  return v <= 10 ? v : v - 256;
}

// Paints the lines as the reader does and reports every cell whose kind or
// mark comes out differently. Notes which lines turn into kind 3.
void verifica(stato_gallerie& g, std::vector<linea_galleria>& ordine) {
  const auto celle = static_cast<std::size_t>(g.t.ultima) + 1;
  std::vector<uint8_t> montagna(celle, 0);
  std::vector<bool> segno(celle, false);
  const linea_galleria* prima = nullptr;
  for (linea_galleria& x : ordine) {
    int64_t tipo = tipo_scritto(x);
    const bool segnata = tipo > 10;
    if (segnata) tipo -= 10;
    x.tipo_3_imposto =
        prima != nullptr && x.inizio() - prima->fine() <= distanza_tipo_3;
    if (x.tipo_3_imposto) tipo = 3;
    const auto primo = static_cast<int64_t>(std::nearbyint(x.inizio() / 50.0));
    const auto ultimo =
        static_cast<int64_t>(std::nearbyint(x.fine() / 50.0 - 1.0));
    for (int64_t c = std::max<int64_t>(primo, 0);
         c <= std::min<int64_t>(ultimo, g.t.ultima); ++c) {
      const auto i = static_cast<std::size_t>(c);
      montagna[i] = static_cast<uint8_t>(tipo);
      if (segnata && (c - primo + 1) % 4 == 0) segno[i] = true;
    }
    prima = &x;
  }
  for (int32_t c = 0; c <= g.t.ultima; ++c) {
    const auto i = static_cast<std::size_t>(c);
    const bool segno_perso = g.segno(c) && !segno[i];
    const bool segno_in_piu = segno[i] && !g.occupata(c);
    if (montagna[i] != g.m(c) || segno_perso || segno_in_piu)
      g.r.segnala_cella(
          g.t, c,
          messaggio{N_("tunnel of kind {0}"), {std::to_string(g.m(c))}});
  }
}

voce_descrizione voce_galleria(const linea_galleria& x) {
  const std::string riga =
      riga_valori("montagna", {x.inizio(), x.fine(), tipo_scritto(x)});
  if (x.spaziatore)
    return {"riga che non copre celle: la galleria seguente tiene il suo tipo",
            riga};
  std::string commento =
      x.valore_libero
          ? "solo segni di galleria dalla " +
                cella_e_metro(x.primo + 3, aggancio::tratto)
          : "galleria di tipo " +
                std::to_string(x.tipo_3_imposto ? 3 : x.valore) + " dalla " +
                cella_e_metro(x.primo, aggancio::tratto);
  commento += " alla " + cella_e_metro(x.ultimo, aggancio::tratto);
  if (x.segnata && !x.valore_libero)
    commento += " con un segno ogni quattro celle";
  if (x.tipo_3_imposto && !x.valore_libero)
    commento += " (tipo 3: comincia entro 150 m dalla fine della precedente)";
  return {commento, riga};
}

}  // namespace

righe_passo gallerie(const tabelle_lette& t) {
  righe_passo e;
  stato_gallerie g{t,
                   e.r,
                   std::vector<bool>(t.numero_celle(), false),
                   {},
                   std::vector<int32_t>(t.numero_celle(), -1)};
  for (int32_t a = 0; a <= t.ultima; ++a) {
    if (g.m(a) == 0) continue;
    int32_t b = a;
    while (b + 1 <= t.ultima && g.m(b + 1) == g.m(a)) ++b;
    linea_della_serie(g, a, b);
    a = b;
  }
  linee_dei_segni(g);
  std::vector<linea_galleria> ordine = ordina(g);
  verifica(g, ordine);
  if (static_cast<int32_t>(ordine.size()) > righe_massime) {
    e.r.segnala(voce_inspiegata::tabella::celle, -1,
                {N_("{0} tunnel lines: the reader keeps 80 at most"),
                 {std::to_string(ordine.size())}});
  }
  for (const linea_galleria& x : ordine) e.righe.push_back(voce_galleria(x));
  return e;
}
