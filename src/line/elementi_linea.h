// Placing the items of the line description: the kilometric progressions, the
// plan laid curve by curve, the gradient profile, tunnels and speed boards.
#ifndef LINE_ELEMENTI_LINEA_H_
#define LINE_ELEMENTI_LINEA_H_

#include <cstdint>

#include "reading/lettura.h"
#include "tables/piano_steso.h"
#include "tables/tabelle.h"

// Kilometric progressions of records 81 to 83: ordered by start, greatest
// first, or by value when every start is 0; 100 is added to the value of a
// decreasing one. False when that addition does not fit 32 bits.
bool progressive_ordina(tabella_stazioni& stazioni);

// Metres 0 and 1 of the plan: the track leaves the origin along +y, one unit a
// metre.
void semina_piano(piano_steso& p);
// Lays the plan from its first metre not laid up to metre `fino` (never past
// its last metre - 2), straight when `k` is 0, else turning by `k` radians a
// metre. With `con_limite`, false when the metre counter passes the limit of
// the curves.
bool stendi(piano_steso& p, int32_t fino, double k, bool con_limite);

// The gradient profile being filled: the next cell still to be set and the
// gradient in force.
struct profilo_pendenza {
  int32_t g = 0;
  int32_t pendenza = 0;
};
// Fills the gradient in force + 100 (its low 8 bits) from cell g up to the cell
// before `fino`, at least one cell, never past the table. False when the
// gradient + 100 does not fit 32 bits.
bool riempi_pendenza(tabelle& t, profilo_pendenza& p, int32_t fino);

// The tunnels read so far: how many, and where the last one ended.
struct registro_montagne {
  int32_t numero = 0;
  int32_t fine_precedente = 0;
};
// A tunnel stretch: marks its cells. `tipo` above 10 asks for a mark every
// fourth cell and is brought down by 10. False when the tunnel table is full.
bool memo_montagna(tabelle& t, registro_montagne& r, int32_t inizio,
                   int32_t fine, int32_t& tipo);

esito_collocazione memo_indicatori_v_max(tabelle& t, int32_t posizione,
                                         int32_t vas, int32_t vbs, int32_t vcs,
                                         int16_t strisces, int32_t vad,
                                         int32_t vbd, int32_t vcd,
                                         int16_t strisced);

#endif  // LINE_ELEMENTI_LINEA_H_
