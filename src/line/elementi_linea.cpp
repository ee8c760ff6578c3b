#include "line/elementi_linea.h"

#include <algorithm>

#include "core/aritmetica.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"

namespace {

// The plan's metre counter may not pass this while curves are laid.
constexpr int32_t metro_massimo_curve = 1000000;
// The tunnel table holds this many stretches.
constexpr int32_t montagne_massime = 80;

struct terna {
  int32_t inizio, valore, segno;
};

// The three progressions in the order they are stored in records 81 to 83.
void ordina_terne(const terna& t81, const terna& t82, const terna& t83,
                  bool per_inizio, terna (&ordine)[3]) {
  if (per_inizio) {
    // The greatest start first; a shared greatest start clears all three.
    if (t81.inizio > t82.inizio && t81.inizio > t83.inizio) {
      ordine[0] = t81;
      ordine[1] = t82.inizio > t83.inizio ? t82 : t83;
      ordine[2] = t82.inizio > t83.inizio ? t83 : t82;
    } else if (t82.inizio > t81.inizio && t82.inizio > t83.inizio) {
      ordine[0] = t82;
      ordine[1] = t81.inizio > t83.inizio ? t81 : t83;
      ordine[2] = t81.inizio > t83.inizio ? t83 : t81;
    } else if (t83.inizio > t81.inizio && t83.inizio > t82.inizio) {
      ordine[0] = t83;
      ordine[1] = t81.inizio > t82.inizio ? t81 : t82;
      ordine[2] = t81.inizio > t82.inizio ? t82 : t81;
    }
    return;
  }
  // Every start is 0: the one with a positive value first, the later rule
  // winning.
  if (t81.valore > 0) ordine[0] = t81, ordine[1] = t82, ordine[2] = t83;
  if (t82.valore > 0) ordine[0] = t82, ordine[1] = t81, ordine[2] = t83;
  if (t83.valore > 0) ordine[0] = t83, ordine[1] = t82, ordine[2] = t81;
}

}  // namespace

bool progressive_ordina(tabella_stazioni& stazioni) {
  auto terna_di = [&](int record) {
    const stazione& r = stazioni[static_cast<std::size_t>(record)];
    return terna{r.inizio, r.fine, r.posizione};
  };
  const terna t81 = terna_di(record_progressiva_tre);
  const terna t82 = terna_di(record_progressiva_due);
  const terna t83 = terna_di(record_progressiva_uno);
  // The sum of the starts decides how they are ordered; it is a Long, checked
  // at each addition.
  int32_t somma;
  if (!somma_32(t81.inizio, t82.inizio, somma) ||
      !somma_32(somma, t83.inizio, somma)) {
    return false;
  }
  terna ordine[3] = {};
  ordina_terne(t81, t82, t83, somma != 0, ordine);
  for (int n = 0; n < 3; ++n) {
    stazione& r =
        stazioni[static_cast<std::size_t>(record_progressiva_tre + n)];
    r.inizio = ordine[n].inizio;
    r.fine = ordine[n].valore;
    r.posizione = ordine[n].segno;
  }
  // Then a decreasing progression (flag 1) gains 100 m; the records before one
  // that does not fit keep theirs.
  for (int n = 0; n < 3; ++n) {
    stazione& r =
        stazioni[static_cast<std::size_t>(record_progressiva_tre + n)];
    if (r.posizione == 1 && !somma_32(r.fine, 100, r.fine)) return false;
  }
  return true;
}

void semina_piano(piano_steso& p) { p.seminato = true; }

// Only the stretch is recorded: the metres themselves are computed as the plan
// is written (cammino_piano), each step from the one before as here.
bool stendi(piano_steso& p, int32_t fino, double k, bool con_limite) {
  const int32_t ultimo = std::min(fino, p.ultimo_metro - 2);
  if (p.raggiunto > ultimo) return true;
  // The counter is tested after each metre: it stops at the first metre past
  // the limit, having laid the metre before it.
  const bool oltre = con_limite && ultimo >= metro_massimo_curve;
  const int32_t fine =
      oltre ? std::max(p.raggiunto, metro_massimo_curve) : ultimo;
  p.tratti.push_back({fine, k});
  p.raggiunto = fine + 1;
  return !(con_limite && p.raggiunto > metro_massimo_curve);
}

bool riempi_pendenza(tabelle& t, profilo_pendenza& p, int32_t fino) {
  uint8_t valore;
  if (!codifica_pendenza(p.pendenza, valore)) return false;
  do {
    if (p.g >= 0 && p.g <= t.ultima_cella())
      t.celle[static_cast<std::size_t>(p.g)].pendenza = valore;
    ++p.g;
  } while (p.g < fino);
  return true;
}

bool memo_montagna(tabelle& t, registro_montagne& r, int32_t inizio,
                   int32_t fine, int32_t& tipo) {
  const bool segnata = tipo > 10;
  if (segnata) tipo -= 10;
  if (r.numero >= montagne_massime) return false;
  ++r.numero;
  if (r.numero > 1) {
    int32_t distanza;
    if (!differenza_32(inizio, r.fine_precedente, distanza)) return false;
    if (distanza <= 150) tipo = 3;
  }
  r.fine_precedente = fine;
  const int64_t prima = cella_del_metro(inizio, aggancio::tratto);
  const auto ultima =
      static_cast<int64_t>(arrotonda(fine / double{metri_per_cella} - 1.0));
  // Only the cells inside the table; q counts from the stretch's computed first
  // cell.
  const int64_t da = std::max<int64_t>(prima, 0);
  const int64_t a = std::min<int64_t>(ultima, t.ultima_cella());
  for (int64_t c = da; c <= a; ++c) {
    cella& cella = t.celle[static_cast<std::size_t>(c)];
    cella.montagna = static_cast<uint8_t>(tipo);
    const int64_t q = c - prima + 1;
    if (segnata && q % 4 == 0 && cella.tipo == cella_vuota)
      cella.tipo = cella_segno_galleria;
  }
  return true;
}

esito_collocazione memo_indicatori_v_max(tabelle& t, int32_t posizione,
                                         int32_t vas, int32_t vbs, int32_t vcs,
                                         int16_t strisces, int32_t vad,
                                         int32_t vbd, int32_t vcd,
                                         int16_t strisced) {
  const int64_t c = cella_del_metro(posizione, aggancio::punto);
  cella& cella = t.celle[static_cast<std::size_t>(c)];
  if (!cella_libera(cella)) return esito_collocazione::occupato;
  cella.tipo = cella_indicatore_vmax;
  // Each value is computed as a real number, rounded to an Integer and stored
  // in turn; one that does not fit is a reading failure, and what was stored
  // before it stays.
  int16_t cella::*const dati[3] = {&cella::dato1, &cella::dato2, &cella::dato3};
  const std::pair<int32_t, int32_t> velocita[3] = {
      {vas, vad}, {vbs, vbd}, {vcs, vcd}};
  for (int n = 0; n < 3; ++n) {
    if (!codifica_velocita_cartello(velocita[n].first, velocita[n].second,
                                    cella.*dati[n])) {
      return esito_collocazione::fuori_misura;
    }
  }
  cella.dato4 = codifica_strisce(strisces, strisced);
  return esito_collocazione::posto;
}
