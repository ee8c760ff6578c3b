// Slowdowns from their cells: the start (kind 3), the end (kind 2, unless the
// start covers it), the warning cell 24 cells before the start (kind 4, only
// for a start beyond metre 1500) and, when asked for, the four cells before
// the warning cell (kind 5, numbered 1 to 4).
#include <string>

#include "decompiler/passi.h"

namespace {

// Metre 1500 is the last start without a warning cell: cell 31 holds both
// starts with and without one.
constexpr int32_t cella_con_avviso = 32;
constexpr int32_t celle_all_avviso = 24;

bool vuoti(const cella& c, bool dato3) {
  return c.dato4 == 0 && c.tempo == 0 && (!dato3 || c.dato3 == 0);
}

bool stessi_valori(const cella& a, const cella& b) {
  return a.dato1 == b.dato1 && a.dato2 == b.dato2 && a.dato3 == b.dato3;
}

// The end cell of the start in cell s: the nearest free end after it with the
// same values, else any free one before it, else s itself (no length).
int32_t fine_del_rallentamento(const tabelle_lette& t, int32_t s,
                               const std::vector<bool>& usata) {
  for (int32_t e = s + 1; e <= t.ultima; ++e) {
    if (t.c(e).tipo == cella_fine_rallentamento &&
        !usata[static_cast<std::size_t>(e)] && stessi_valori(t.c(e), t.c(s)) &&
        vuoti(t.c(e), false))
      return e;
  }
  for (int32_t e = s - 1; e >= 0; --e) {
    if (t.c(e).tipo == cella_fine_rallentamento &&
        !usata[static_cast<std::size_t>(e)] && stessi_valori(t.c(e), t.c(s)) &&
        vuoti(t.c(e), false))
      return e;
  }
  return s;
}

bool cella_avviso_di(const tabelle_lette& t, int32_t s, int32_t& a) {
  a = s - celle_all_avviso;
  const cella& c = t.c(s);
  if (a < 0) return false;
  const cella& avviso = t.c(a);
  return avviso.tipo == cella_avviso_rallentamento && avviso.dato1 == c.dato1 &&
         avviso.dato2 == c.dato2 && vuoti(avviso, true);
}

// The four cells before the warning cell: -1 when they are not there (or
// another slowdown's already), 0 when their second values are 0, 1 when they
// carry their numbers twice.
int celle_prima_dell_avviso(const tabelle_lette& t, int32_t b,
                            const std::vector<bool>& usata) {
  int schema = -1;
  for (int k = 0; k < 4; ++k) {
    const int64_t i = int64_t{b} - k;
    if (!t.in_tabella(i)) return -1;
    const cella& c = t.c(static_cast<int32_t>(i));
    if (c.tipo != cella_prima_dell_avviso || c.dato1 != k + 1 ||
        !vuoti(c, true) || usata[static_cast<std::size_t>(i)])
      return -1;
    const int questo = c.dato2 == 0 ? 0 : (c.dato2 == k + 1 ? 1 : -1);
    if (questo < 0 || (schema >= 0 && questo != schema)) return -1;
    schema = questo;
  }
  return schema;
}

void rallentamento(const tabelle_lette& t, int32_t s, std::vector<bool>& usata,
                   righe_passo& e) {
  const cella& c = t.c(s);
  const int32_t fine = fine_del_rallentamento(t, s, usata);
  usata[static_cast<std::size_t>(fine)] = true;
  int32_t a = 0;
  const bool avviso = s >= cella_con_avviso - 1 && cella_avviso_di(t, s, a);
  // A d_v whose low 16 bits are 0 still numbers the four cells twice.
  // The four cells start just before the warning cell, or one cell earlier
  // when the start lies 25 m before a cell's end and that cell is even.
  int32_t b = a - 1;
  int schema = avviso ? celle_prima_dell_avviso(t, b, usata) : -1;
  if (schema < 0 && avviso && (a - 2) % 2 == 0) {
    schema = celle_prima_dell_avviso(t, a - 2, usata);
    if (schema >= 0) b = a - 2;
  }
  const bool f_ta = schema == 1 || (schema == 0 && c.dato2 == 0);
  int64_t x = metro_cella_piu_uno(s);
  if (s == cella_con_avviso - 1 && avviso) x += 10;
  if (b == a - 2) x -= 25;
  const int64_t d_v =
      c.dato2 != 0 ? c.dato2 : (f_ta && schema == 1 ? 65536 : 0);
  const std::string riga = riga_valori(
      "rallentamento",
      {x, c.dato1, metro_cella_piu_uno(fine) - x, c.dato3, f_ta ? 1 : 0, d_v});
  e.righe.push_back({"tratto lento a " + std::to_string(c.dato1) +
                         " km/h dalla " + cella_e_metro(s, aggancio::punto) +
                         " alla " + cella_e_metro(fine, aggancio::punto),
                     riga});
  const bool ok = vuoti(c, false) && entro(x, 100, t.ultima) &&
                  (avviso || s < cella_con_avviso);
  if (!ok) {
    e.r.segnala_cella(t, s, riga);
    return;
  }
  e.r.spiega(s);
  e.r.spiega(fine);
  if (avviso) e.r.spiega(a);
  for (int k = 0; f_ta && k < 4; ++k) {
    e.r.spiega(b - k);
    usata[static_cast<std::size_t>(b - k)] = true;
  }
}

}  // namespace

righe_passo rallentamenti_treno(const tabelle_lette& t) {
  righe_passo e;
  std::vector<bool> usata(t.numero_celle(), false);
  for (int32_t s = 0; s <= t.ultima; ++s)
    if (t.c(s).tipo == cella_inizio_rallentamento)
      rallentamento(t, s, usata, e);
  return e;
}
