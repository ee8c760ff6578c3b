#include "tools/pagina_dati.h"

#include <algorithm>
#include <set>

#include "platform/cp1252.h"
#include "tables/campi.h"
#include "tables/metri.h"

namespace {

int32_t metro_di(std::size_t i, const cella& c) {
  return static_cast<int32_t>(
      metro_della_cella(static_cast<int64_t>(i), aggancio_del_tipo(c.tipo)));
}

segno segnale(int numero, int32_t metro) {
  return {metro, "S" + std::to_string(numero),
          "segnale " + std::to_string(numero) + " a " + std::to_string(metro) +
              " m"};
}

segno indicatore(int32_t metro, const cella& c) {
  return {
      metro, std::to_string(c.dato1 / 20),
      "indicatore di velocit\xC3\xA0 massima: " + std::to_string(c.dato1 / 20) +
          "/" + std::to_string(c.dato2 / 20) + "/" +
          std::to_string(c.dato3 / 20) + " km/h"};
}

segno cartello(int32_t metro, const cella& c, const tabella_stazioni& st) {
  std::string scritta;
  if (c.dato1 >= 0 && c.dato1 < numero_stazioni)
    scritta = cp1252_a_utf8(st[static_cast<std::size_t>(c.dato1)].nome);
  // The board's first row: the text up to the first closing bracket.
  std::string riga = scritta.substr(0, scritta.find(')'));
  riga.erase(std::remove(riga.begin(), riga.end(), '('), riga.end());
  while (!riga.empty() && riga.back() == ' ') riga.pop_back();
  return {metro, riga, scritta};
}

// The items of the cells: signals, boards, board texts and slowdowns.
void raccogli_segni(const tabelle& t, vista& v, std::set<int>& testi) {
  int numero_segnale = 0;
  int32_t inizio_rallentamento = -1, velocita_rallentamento = 0;
  for (std::size_t i = 0; i < t.celle.size(); ++i) {
    const cella& c = t.celle[i];
    const int32_t metro = metro_di(i, c);
    switch (c.tipo) {
      case cella_segnale:
        v.segnali.push_back(segnale(++numero_segnale, metro));
        break;
      case cella_indicatore_vmax:
        v.indicatori.push_back(indicatore(metro, c));
        break;
      case cella_cartello:
        testi.insert(c.dato1);
        v.cartelli.push_back(cartello(metro, c, t.stazioni));
        break;
      case cella_inizio_rallentamento:
        inizio_rallentamento = metro;
        velocita_rallentamento = c.dato1;
        break;
      case cella_fine_rallentamento:
        if (inizio_rallentamento >= 0) {
          v.rallentamenti.push_back(
              {inizio_rallentamento, metro, velocita_rallentamento});
        }
        inizio_rallentamento = -1;
        break;
      default:
        break;
    }
  }
}

// Tunnels: runs of cells with a tunnel kind, from the metre where the author's
// stretch starts to the metre where it ends.
void raccogli_gallerie(const tabelle& t, vista& v) {
  int32_t inizio = -1, tipo = 0;
  for (std::size_t i = 0; i < t.celle.size(); ++i) {
    const cella& c = t.celle[i];
    const auto metro = static_cast<int32_t>(
        metro_della_cella(static_cast<int64_t>(i), aggancio::tratto));
    if (c.montagna != 0 && inizio < 0) {
      inizio = metro;
      tipo = c.montagna;
    }
    if (c.montagna == 0 && inizio >= 0) {
      v.gallerie.push_back({inizio, metro, tipo});
      inizio = -1;
    }
  }
  if (inizio >= 0) {
    v.gallerie.push_back({inizio,
                          static_cast<int32_t>(metro_della_cella(
                              t.ultima_cella() + 1, aggancio::tratto)),
                          tipo});
  }
}

}  // namespace

vista prepara_vista(const tabelle& t) {
  vista v;
  const int32_t ultima = t.ultima_cella();
  const dati_generali g(t.stazioni);
  v.lunghezza = g.lunghezza_percorso();
  if (v.lunghezza <= 0 || v.lunghezza > ultima * metri_per_cella)
    v.lunghezza = std::max(0, ultima * metri_per_cella - 7000);
  v.progressiva_inizio = g.progressiva_inizio(0);
  v.progressiva_valore = g.progressiva_valore(0);
  v.progressiva_segno = g.progressiva_segno(0);

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
