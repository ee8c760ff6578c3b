// Placing the items of the train-run description that take several cells:
// signals with their approach marks, slowdowns with their boards, and the
// stations' areas, stop cells and approach marks.
#ifndef TRAIN_RUN_ELEMENTI_TRENO_H_
#define TRAIN_RUN_ELEMENTI_TRENO_H_

#include <cstdint>

#include "reading/lettura.h"
#include "tables/tabelle.h"

// Places a signal in cell round(posizione / 50 + 1) with its approach marks 100
// to 400 m before it. `occupato` (code 16) when the cell is taken; `tempo` from
// 1 to 100 becomes 101.
esito_collocazione memo_segnale(tabelle& t, int32_t posizione, int32_t sx,
                                int32_t s1, int32_t s2, int32_t s3,
                                int32_t rapp, int32_t dx, int32_t d1,
                                int32_t d2, int32_t d3, int32_t& tempo);

// How placing a slowdown ended: each refusal has its code.
enum class esito_rallentamento {
  posto,
  avviso_occupato,  // 17: the warning cell 1200 m before the start
  inizio_occupato,  // 18
  fine_occupata,    // 19
  prima_occupata,   // 20: one of the four cells before the warning cell
  fuori_misura,     // a position does not fit 32 bits
};
int32_t codice_di(esito_rallentamento esito);

// Places a slowdown: its warning cell 1200 m before the start (beyond metre
// 1500), start and end cells, and with `f_ta` the four cells before the warning
// cell.
esito_rallentamento memo_rallentamento(tabelle& t, int32_t x, int32_t v,
                                       int32_t l, int32_t f_tt, int32_t f_ta,
                                       int32_t d_v);
// The metres of a slowdown's warning and end, computed in 32 bits, fit.
bool rallentamento_in_32_bit(int32_t x, int32_t l);

// The area of a station from its position and length, by kind. False when a
// bound does not fit 32 bits.
bool calcola_area(stazione& r, int32_t lunghezza);
// Approach marks in the four cells before a station's stop cell: 81 nearest to
// 84 farthest. Cells outside the table are skipped.
void segna_avvicinamento(tabelle& t, const stazione& st);

#endif  // TRAIN_RUN_ELEMENTI_TRENO_H_
