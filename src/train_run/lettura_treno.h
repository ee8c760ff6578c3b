// The train-run half of the reading: the train's data, the speed and adhesion
// profiles, stations, signals, slowdowns and speed-code cells into the tables;
// then the description is deleted from its folder.
#ifndef TRAIN_RUN_LETTURA_TRENO_H_
#define TRAIN_RUN_LETTURA_TRENO_H_

#include <cstdint>

#include "reading/lettura.h"

// Reads the train-run description named for `x.sc`. Its stations must stay
// below record `indice_cartello`. With `codice_in_vigore` (the line half ended
// with a code), the first signal or slowdown placed ends the reading as one
// that is refused would.
esito_lettura memorizza_dati_treno(contesto_lettura& x, int32_t indice_cartello,
                                   bool codice_in_vigore);

#endif  // TRAIN_RUN_LETTURA_TRENO_H_
