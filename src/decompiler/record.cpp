// The station table: which records are stations and which board texts, and
// the general data of records 81 to 86 as the lines of both general sections.
#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>

#include "decompiler/passi.h"

namespace {

struct terna {
  int64_t inizio = 0, valore = 0, segno = 0;
  bool operator==(const terna&) const = default;
};

// The reader's ordering of the three progressions read into records 81, 82
// and 83, with 100 added to the value of a decreasing one.
std::array<terna, 3> ordina_progressive(const std::array<terna, 3>& t) {
  std::array<terna, 3> o{};
  if (t[0].inizio + t[1].inizio + t[2].inizio != 0) {
    for (int p = 0; p < 3; ++p) {
      const int a = (p + 1) % 3, b = (p + 2) % 3;
      if (t[p].inizio > t[a].inizio && t[p].inizio > t[b].inizio) {
        // The two others keep their relative order of the reader: the lower
        // record first when their starts compare so.
        const int x = std::min(a, b), y = std::max(a, b);
        o = {t[p], t[x].inizio > t[y].inizio ? t[x] : t[y],
             t[x].inizio > t[y].inizio ? t[y] : t[x]};
      }
    }
  } else {
    if (t[0].valore > 0) o = {t[0], t[1], t[2]};
    if (t[1].valore > 0) o = {t[1], t[0], t[2]};
    if (t[2].valore > 0) o = {t[2], t[1], t[0]};
  }
  for (terna& x : o)
    if (x.segno == 1) x.valore += 100;
  return o;
}

// The three progression lines ("tre", "due", "uno" read into 81, 82, 83) that
// the reader orders into the stored records.
void progressive(const tabelle_lette& t, std::vector<voce_descrizione>& righe,
                 resoconto& e) {
  std::array<terna, 3> memorizzate;
  for (int n = 0; n < 3; ++n) {
    const stazione& r =
        t.stazioni[static_cast<std::size_t>(record_progressiva_tre + n)];
    memorizzate[static_cast<std::size_t>(n)] = {r.inizio, r.fine, r.posizione};
  }
  std::array<terna, 3> lette = memorizzate;
  for (terna& x : lette)
    if (x.segno == 1) x.valore -= 100;
  // Record 81 first as "uno", as authors write the progression in use.
  constexpr int ordini[6][3] = {{2, 1, 0}, {0, 1, 2}, {0, 2, 1},
                                {1, 0, 2}, {1, 2, 0}, {2, 0, 1}};
  bool trovate = false;
  for (const auto& ordine : ordini) {
    if (trovate) break;
    const std::array<terna, 3> prova = {lette[ordine[0]], lette[ordine[1]],
                                        lette[ordine[2]]};
    bool entro_long = true;
    for (const terna& x : prova)
      entro_long &= x.valore >= std::numeric_limits<int32_t>::min();
    if (entro_long && ordina_progressive(prova) == memorizzate) {
      lette = prova;
      trovate = true;
    }
  }
  const char* nomi[] = {"tre", "due", "uno"};
  for (int n = 2; n >= 0; --n) {
    const terna& x = lette[static_cast<std::size_t>(n)];
    righe.push_back(
        {"", riga_valori(std::string("progressiva chilometrica ") + nomi[n],
                         {x.inizio, x.valore, x.segno})});
  }
  bool multipli = true;
  for (const terna& x : memorizzate)
    multipli &= x.inizio % 50 == 0 && x.valore % 50 == 0;
  if (!trovate || !multipli) {
    e.segnala(voce_inspiegata::tabella::stazioni, record_progressiva_tre,
              {trovate ? N_("progressions not multiples of 50 m (code 2)")
                       : N_("progressions that no reading order gives")},
              righe[righe.size() - 3].riga);
  }
}

// The cab-signal repetition of record 86: start, end and code 4, 9 or 0 (an
// end of 0 gives 0 whatever the keyword's digit).
void ripetizione(const tabelle_lette& t, std::vector<voce_descrizione>& righe,
                 resoconto& e) {
  const stazione& r = t.stazioni[record_nome_treno];
  const int32_t codice = r.posizione == 9 ? 9 : 4;
  const std::string riga =
      riga_valori("ripetizione segnali " + std::to_string(codice) + " codici",
                  {r.inizio, r.fine});
  righe.push_back({"", riga});
  const bool ok = r.inizio % 50 == 0 && r.fine % 50 == 0 &&
                  ((r.posizione == 0 && r.fine == 0) ||
                   ((r.posizione == 4 || r.posizione == 9) && r.fine != 0));
  if (!ok)
    e.segnala(voce_inspiegata::tabella::stazioni, record_nome_treno,
              {N_("cab-signal repetition {0} {1} code {2}"),
               {std::to_string(r.inizio), std::to_string(r.fine),
                std::to_string(r.posizione)}},
              riga);
}

bool ha_numeri(stazione r) {
  r.nome.clear();
  return !(r == stazione{});
}

// A record holds nothing beyond the fields that its lines fill.
void controlla_resto(resoconto& e, int record, stazione r,
                     std::initializer_list<int32_t stazione::*> lunghi,
                     bool con_nome,
                     std::initializer_list<int16_t stazione::*> interi) {
  for (auto campo : lunghi) r.*campo = 0;
  for (auto campo : interi) r.*campo = 0;
  if (con_nome) r.nome.clear();
  if (!(r == stazione{}))
    e.segnala(voce_inspiegata::tabella::stazioni, record,
              {N_("values that no line writes in this record")});
}

void controlla_record_generali(const tabelle_lette& t, resoconto& r) {
  const auto& s = t.stazioni;
  controlla_resto(r, 0, s[0], {}, false, {});
  for (int n = record_progressiva_tre; n <= record_progressiva_uno; ++n)
    controlla_resto(r, n, s[static_cast<std::size_t>(n)],
                    {&stazione::inizio, &stazione::fine, &stazione::posizione},
                    false, {});
  controlla_resto(r, record_treno, s[record_treno],
                  {&stazione::inizio, &stazione::fine, &stazione::posizione},
                  false, {});
  controlla_resto(r, record_linea, s[record_linea],
                  {&stazione::inizio, &stazione::fine, &stazione::posizione},
                  true, {});
  controlla_resto(r, record_nome_treno, s[record_nome_treno],
                  {&stazione::inizio, &stazione::fine, &stazione::posizione},
                  true,
                  {&stazione::campo7, &stazione::campo10, &stazione::campo11,
                   &stazione::campo12});
}

// Stations from record 1 up, board texts from 80 down (the lowest is the
// lowest that a board cell names, or a record with only a text), nothing in
// between.
void classifica_record(const tabelle_lette& t, esito_record& e) {
  int32_t primo = primo_record_cartelli + 1;
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    if (c.tipo != cella_cartello) continue;
    const std::optional<int32_t> record = decodifica_record_cartello(c.dato1);
    if (record && *record >= 1 && *record < primo) primo = *record;
  }
  for (int32_t r = 1; r < primo; ++r) {
    const stazione& x = t.stazioni[static_cast<std::size_t>(r)];
    if (!ha_numeri(x) && !x.nome.empty()) primo = r;
  }
  int32_t k = 0;
  while (k + 1 < primo &&
         ha_numeri(t.stazioni[static_cast<std::size_t>(k + 1)]))
    ++k;
  for (int32_t r = k + 1; r <= primo_record_cartelli; ++r) {
    const stazione& x = t.stazioni[static_cast<std::size_t>(r)];
    if (r < primo ? !(x == stazione{}) : ha_numeri(x))
      e.r.segnala(voce_inspiegata::tabella::stazioni, r,
                  {N_("a record out of place among the stations and the board "
                      "texts")});
  }
  e.numero_stazioni = k;
  e.primo_cartello = primo;
  // The stations and the boards' records must leave two records between
  // them, or the reading stops with code 10.
  if (k > 0 && k + 1 >= primo - 1)
    e.r.segnala(voce_inspiegata::tabella::stazioni, k,
                {N_("stations and boards touch (code 10)")});
}

}  // namespace

esito_record leggi_record(const tabelle_lette& t) {
  const auto& s = t.stazioni;
  esito_record e;
  controlla_record_generali(t, e.r);
  classifica_record(t, e);
  auto& linea = e.generale_linea;
  linea.push_back(
      {"", riga_valori("lunghezza percorso", {s[record_treno].fine})});
  progressive(t, linea, e.r);
  linea.push_back({"", riga_valori("sfondo uno", {s[record_linea].inizio})});
  linea.push_back({"", riga_valori("sfondo due", {s[record_linea].posizione})});
  linea.push_back({"", riga_valori("sfondo tre", {s[record_linea].fine})});
  ripetizione(t, linea, e.r);
  const stazione& treno = s[record_nome_treno];
  auto& generale = e.generale_treno;
  generale.push_back(
      {"", riga_valori("numero vetture", {s[record_treno].posizione})});
  generale.push_back(
      {"", riga_valori("percentuale massa frenata", {s[record_treno].inizio})});
  generale.push_back({"", riga_valori("sabbia", {treno.campo7})});
  generale.push_back({"", riga_valori("orologio", {treno.campo10, treno.campo11,
                                                   treno.campo12})});
  return e;
}
