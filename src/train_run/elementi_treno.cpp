#include "train_run/elementi_treno.h"

#include <optional>
#include <tuple>

#include "core/aritmetica.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"
#include "train_run/geometria.h"

namespace {

// The approach mark of the cells 2, 4, 6 and 8 before a signal. A cell outside
// the table is skipped, and its mark is not computed.
bool segna_prima_del_segnale(tabelle& t, int64_t cella, int32_t sx,
                             int32_t dx) {
  for (int b = 1; b <= 4; ++b) {
    const int64_t marcata = cella - 2 * b;
    if (!cella_in_tabella(t, marcata)) continue;
    int32_t lati;
    if (!lati_segnale(sx, dx, lati)) return false;
    const std::optional<uint8_t> segno = segno_segnale(lati, b);
    if (!segno) return false;
    t.celle[static_cast<std::size_t>(marcata)].avvicinamento = *segno;
  }
  return true;
}

// The four cells before a slowdown's warning cell, numbered 1 (nearest) to 4.
esito_rallentamento segna_prima_dell_avviso(tabelle& t, int64_t b,
                                            int32_t d_v) {
  for (int k = 0; k < 4; ++k) {
    if (!cella_in_tabella(t, b - k) ||
        !cella_libera(t.celle[static_cast<std::size_t>(b - k)])) {
      return esito_rallentamento::prima_occupata;
    }
  }
  for (int k = 0; k < 4; ++k) {
    cella& prima = t.celle[static_cast<std::size_t>(b - k)];
    prima.tipo = cella_prima_dell_avviso;
    prima.dato1 = static_cast<int16_t>(k + 1);
    if (d_v != 0) prima.dato2 = static_cast<int16_t>(k + 1);
  }
  return esito_rallentamento::posto;
}

}  // namespace

esito_collocazione memo_segnale(tabelle& t, int32_t posizione, int32_t sx,
                                int32_t s1, int32_t s2, int32_t s3,
                                int32_t rapp, int32_t dx, int32_t d1,
                                int32_t d2, int32_t d3, int32_t& tempo) {
  const int64_t i = cella_del_metro(posizione, aggancio::punto);
  cella& c = t.celle[static_cast<std::size_t>(i)];
  if (!cella_libera(c)) return esito_collocazione::occupato;
  // Each value is computed in 32 bits, step by step, and stored (cut to 16
  // bits) as soon as it is known: one that does not fit stops the signal
  // there, and what was stored before it stays.
  c.tipo = cella_segnale;
  int32_t valore;
  if (!quarto_dato_segnale(rapp, sx, dx, valore))
    return esito_collocazione::fuori_misura;
  c.dato4 = static_cast<int16_t>(valore);
  const std::tuple<int32_t, int32_t, int16_t cella::*> dati[] = {
      {s1, d1, &cella::dato1},
      {s2, d2, &cella::dato2},
      {s3, d3, &cella::dato3}};
  for (auto [sinistra, destra, campo] : dati) {
    if (!coppia_segnale(sinistra, destra, valore))
      return esito_collocazione::fuori_misura;
    c.*campo = static_cast<int16_t>(valore);
  }
  tempo = tempo_alzato(tempo);
  c.tempo = tempo_in_cella(sx, tempo);
  if (!segna_prima_del_segnale(t, i, sx, dx))
    return esito_collocazione::fuori_misura;
  return esito_collocazione::posto;
}

int32_t codice_di(esito_rallentamento esito) {
  switch (esito) {
    case esito_rallentamento::avviso_occupato:
      return 17;
    case esito_rallentamento::inizio_occupato:
      return 18;
    case esito_rallentamento::fine_occupata:
      return 19;
    case esito_rallentamento::prima_occupata:
      return 20;
    case esito_rallentamento::posto:
    case esito_rallentamento::fuori_misura:
      break;
  }
  return 0;
}

esito_rallentamento memo_rallentamento(tabelle& t, int32_t x, int32_t v,
                                       int32_t l, int32_t f_tt, int32_t f_ta,
                                       int32_t d_v) {
  if (!rallentamento_in_32_bit(x, l)) return esito_rallentamento::fuori_misura;
  const celle_rallentamento dove = celle_del_rallentamento(x, l);
  auto c = [&t](int64_t indice) -> cella& {
    return t.celle[static_cast<std::size_t>(indice)];
  };
  if (dove.con_avviso && !cella_libera(c(dove.avviso)))
    return esito_rallentamento::avviso_occupato;
  if (!dove.con_avviso) f_ta = 0;
  if (!cella_libera(c(dove.inizio)))
    return esito_rallentamento::inizio_occupato;
  if (!cella_libera(c(dove.fine))) return esito_rallentamento::fine_occupata;
  const auto dv = static_cast<int16_t>(d_v);
  c(dove.fine).tipo = cella_fine_rallentamento;
  if (d_v != 0) c(dove.fine).dato2 = dv;
  c(dove.inizio).tipo = cella_inizio_rallentamento;
  if (d_v != 0) c(dove.inizio).dato2 = dv;
  if (dove.con_avviso) {
    c(dove.avviso).tipo = cella_avviso_rallentamento;
    if (d_v != 0) c(dove.avviso).dato2 = dv;
    c(dove.avviso).dato1 = static_cast<int16_t>(v);
  }
  for (int64_t estremo : {dove.inizio, dove.fine}) {
    c(estremo).dato1 = static_cast<int16_t>(v);
    c(estremo).dato3 = static_cast<int16_t>(f_tt);
  }
  if (f_ta != 0) return segna_prima_dell_avviso(t, dove.prima_dell_avviso, d_v);
  return esito_rallentamento::posto;
}

bool rallentamento_in_32_bit(int32_t x, int32_t l) {
  int32_t avviso, fine;
  return somma_32(x, -anticipo_avviso, avviso) && somma_32(x, l, fine);
}

bool calcola_area(stazione& r, int32_t lunghezza) {
  const area_stazione area =
      area_della_stazione(r.posizione, r.tipo, lunghezza, r.campo6 != 0);
  // Each bound is stored as soon as it is known to fit 32 bits; kinds 5 to 8
  // clear campo6 only after their bounds.
  if (r.tipo == 5 || r.tipo == 6) {
    if (!entra_in_32(area.fine, r.fine) || !entra_in_32(area.inizio, r.inizio))
      return false;
    r.campo6 = 0;
    return true;
  }
  if (r.tipo == 7 || r.tipo == 8) {
    if (!entra_in_32(area.inizio, r.inizio) || !entra_in_32(area.fine, r.fine))
      return false;
    r.campo6 = 0;
    return true;
  }
  // The end is computed in two steps, each of which must fit.
  int32_t fine;
  if (!entra_in_32(area.inizio, r.inizio) ||
      !entra_in_32(r.posizione + meta_lunghezza(lunghezza), fine) ||
      !entra_in_32(area.fine, fine)) {
    return false;
  }
  r.fine = fine;
  return true;
}

void segna_avvicinamento(tabelle& t, const stazione& st) {
  for (int k = 1; k <= 4; ++k) {
    const double quoto = quoto_avvicinamento(st.fine, k);
    const auto c = static_cast<int64_t>(arrotonda(quoto));
    if (quoto > 1 && cella_in_tabella(t, c)) {
      t.celle[static_cast<std::size_t>(c)].avvicinamento =
          static_cast<uint8_t>(80 + k);
    }
  }
}
