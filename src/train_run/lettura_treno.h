// The train-run half of the reading: the train's data, the speed and adhesion
// profiles, stations, signals, slowdowns and speed-code cells into the tables;
// then the description is deleted.
#ifndef TRAIN_RUN_LETTURA_TRENO_H_
#define TRAIN_RUN_LETTURA_TRENO_H_

#include <cstdint>

#include "app/stato.h"
#include "line/lettura_linea.h"
#include "platform/cartella.h"

esito_lettura memorizza_dati_treno(stato& s, cartella& c);

// Places a signal in cell round(posizione / 50 + 1) with its approach marks 100
// to 400 m before it. Code 16 when the cell is taken. `tempo` from 1 to 100
// becomes 101. False when a packed value does not fit 32 bits.
bool memo_segnale(stato& s, int32_t posizione, int32_t sx, int32_t s1,
                  int32_t s2, int32_t s3, int32_t rapp, int32_t dx, int32_t d1,
                  int32_t d2, int32_t d3, int32_t& tempo);

// Places a slowdown: its warning cell 1200 m before the start (beyond metre
// 1500), start and end cells, and with `f_ta` the four cells before the warning
// cell. Codes 17 to 20 when a cell is taken. False when a position does not fit
// 32 bits.
bool memo_rallentamento(stato& s, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v);

#endif  // TRAIN_RUN_LETTURA_TRENO_H_
