#include "page/pagina_dati.h"

#include <algorithm>
#include <set>

#include "platform/cp1252.h"
#include "tables/campi.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"

namespace {

int32_t metro_di(std::size_t i, const cella& c) {
  return static_cast<int32_t>(
      metro_della_cella(static_cast<int64_t>(i), aggancio_del_tipo(c.tipo)));
}

segnale_linea segnale(int numero, int32_t metro, const cella& c) {
  const valori_segnale v = decodifica_segnale(c);
  const auto n = [](int64_t x) { return static_cast<int>(x); };
  return {numero,    metro,   n(v.sx), n(v.s1), n(v.s2), n(v.s3),
          n(v.rapp), n(v.dx), n(v.d1), n(v.d2), n(v.d3), c.tempo};
}

indicatore_vmax indicatore(int32_t metro, const cella& c) {
  const velocita_lati a = decodifica_velocita_cartello(c.dato1);
  const velocita_lati b = decodifica_velocita_cartello(c.dato2);
  const velocita_lati v = decodifica_velocita_cartello(c.dato3);
  const velocita_lati strisce = decodifica_strisce(c.dato4);
  const auto n = [](int64_t x) { return static_cast<int>(x); };
  return {metro,
          {n(a.sinistra), n(b.sinistra), n(v.sinistra), n(strisce.sinistra)},
          {n(a.destra), n(b.destra), n(v.destra), n(strisce.destra)}};
}

cartello_testo cartello(int32_t metro, const cella& c,
                        const tabella_stazioni& st) {
  std::string scritta;
  if (const std::optional<int32_t> r = decodifica_record_cartello(c.dato1))
    scritta = cp1252_a_utf8(st[static_cast<std::size_t>(*r)].nome);
  return {metro, c.dato1, righe_del_cartello(scritta)};
}

// Slowdowns: a start cell, then its end cell (a slowdown whose start and end
// share a cell has no end cell of its own).
struct lettore_rallentamenti {
  int32_t inizio = -1;
  int velocita = 0;

  void cella_letta(const cella& c, int32_t metro, vista& v) {
    if (c.tipo == cella_inizio_rallentamento) {
      if (inizio >= 0) v.rallentamenti.push_back({inizio, inizio, velocita});
      inizio = metro;
      velocita = c.dato1;
    } else if (c.tipo == cella_fine_rallentamento && inizio >= 0) {
      v.rallentamenti.push_back({inizio, metro, velocita});
      inizio = -1;
    }
  }
};

// The items of the cells: signals, boards, board texts, slowdowns, codes.
void raccogli_segni(const tabelle& t, vista& v, std::set<int>& testi) {
  lettore_rallentamenti rallentamenti;
  for (std::size_t i = 0; i < t.celle.size(); ++i) {
    const cella& c = t.celle[i];
    const int32_t metro = metro_di(i, c);
    switch (c.tipo) {
      case cella_segnale:
        v.segnali.push_back(
            segnale(static_cast<int>(v.segnali.size()) + 1, metro, c));
        break;
      case cella_indicatore_vmax:
        v.indicatori.push_back(indicatore(metro, c));
        break;
      case cella_cartello:
        if (const auto r = decodifica_record_cartello(c.dato1))
          testi.insert(*r);
        v.cartelli.push_back(cartello(metro, c, t.stazioni));
        break;
      case cella_codice_velocita:
        v.codici.push_back({metro, c.dato1});
        break;
      case cella_codice_senza_valore:
        v.codici.push_back({metro, 0});
        break;
      default:
        rallentamenti.cella_letta(c, metro, v);
    }
  }
  if (rallentamenti.inizio >= 0) {
    v.rallentamenti.push_back(
        {rallentamenti.inizio, rallentamenti.inizio, rallentamenti.velocita});
  }
}

// Tunnels: runs of cells of one tunnel kind. A stretch from metre P to metre Q
// covers the cells round(P / 50) to round(Q / 50) - 1, so the run's first cell
// and the cell after its last give back P and Q.
void raccogli_gallerie(const tabelle& t, vista& v) {
  int32_t inizio = -1, tipo = 0;
  const auto chiudi = [&](std::size_t dopo) {
    if (inizio < 0) return;
    v.gallerie.push_back({inizio,
                          static_cast<int32_t>(metro_della_cella(
                              static_cast<int64_t>(dopo), aggancio::tratto)),
                          tipo});
    inizio = -1;
  };
  for (std::size_t i = 0; i < t.celle.size(); ++i) {
    const int montagna = t.celle[i].montagna;
    if (inizio >= 0 && montagna != tipo) chiudi(i);
    if (montagna != 0 && inizio < 0) {
      inizio = static_cast<int32_t>(
          metro_della_cella(static_cast<int64_t>(i), aggancio::tratto));
      tipo = montagna;
    }
  }
  chiudi(t.celle.size());
}

}  // namespace

std::vector<std::string> righe_del_cartello(const std::string& utf8) {
  std::vector<std::string> righe;
  auto aggiungi = [&righe](std::string riga) {
    const auto primo = riga.find_first_not_of(' ');
    if (primo == std::string::npos) return;
    riga = riga.substr(primo, riga.find_last_not_of(' ') - primo + 1);
    righe.push_back(riga);
  };
  if (utf8.find('(') == std::string::npos) {
    aggiungi(utf8);
    return righe;
  }
  std::size_t da = 0;
  while ((da = utf8.find('(', da)) != std::string::npos) {
    const std::size_t a = utf8.find(')', da);
    aggiungi(utf8.substr(da + 1, a == std::string::npos ? a : a - da - 1));
    if (a == std::string::npos) break;
    da = a;
  }
  return righe;
}

vista prepara_vista(const tabelle& t) {
  vista v;
  const int32_t ultima = t.ultima_cella();
  const dati_generali g(t.stazioni);
  v.lunghezza = g.lunghezza_percorso();
  if (v.lunghezza <= 0 || v.lunghezza > ultima * metri_per_cella)
    v.lunghezza = std::max(0, ultima * metri_per_cella - 7000);
  for (int n = 0; n < 3; ++n) {
    if (g.progressiva_inizio(n) == 0 && g.progressiva_valore(n) == 0) continue;
    v.progressive.push_back(
        {g.progressiva_inizio(n),
         static_cast<int32_t>(valore_progressiva(g.progressiva_valore(n),
                                                 g.progressiva_segno(n))),
         g.progressiva_segno(n) == 1});
  }

  const std::size_t celle = std::min(
      t.celle.size(), static_cast<std::size_t>(v.lunghezza / metri_per_cella));
  std::size_t cella = celle;
  while (cella > 0 && t.celle[cella - 1].pendenza == 0) --cella;
  v.fine_pendenze = cella == celle
                        ? v.lunghezza
                        : static_cast<int32_t>(cella) * metri_per_cella;

  std::set<int> testi_cartelli;
  raccogli_segni(t, v, testi_cartelli);
  raccogli_gallerie(t, v);
  // Stations: the records 1 to 80 that hold something and are not the text of
  // a board.
  for (int n = 1; n <= primo_record_cartelli; ++n) {
    const stazione& r = t.stazioni[static_cast<std::size_t>(n)];
    if (r == stazione{} || testi_cartelli.count(n) != 0) continue;
    v.stazioni.push_back({n, &r});
  }
  return v;
}

// The progression in force at a metre is the one with the greatest start not
// beyond it; before every start, the first one.
double progressiva_km(const vista& v, double metro) {
  if (v.progressive.empty()) return metro / 1000.0;
  const progressiva* p = &v.progressive.back();
  for (const progressiva& q : v.progressive) {
    if (q.inizio <= metro) {
      p = &q;
      break;
    }
  }
  const double distanza = metro - p->inizio;
  return (p->decrescente ? p->valore - distanza : p->valore + distanza) /
         1000.0;
}

bool con_progressiva(const vista& v) { return !v.progressive.empty(); }
