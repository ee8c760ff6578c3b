// The one convention between cells and metres. Cells are 50 m long: cell c
// covers the metres from 50 (c - 1) to 50 c. An item at metre P goes to the
// cell round(P / 50 + scarto): point items (signals, slowdown boards, speed
// boards, board texts) take the cell that starts at P (scarto 1); stretches
// and profiles (gradients, tunnels, speed, adhesion) and speed-code cells take
// cell round(P / 50) (scarto 0). Every message, view and drawing turns a cell
// back into the author's own metres with the same rule.
#ifndef TABLES_METRI_H_
#define TABLES_METRI_H_

#include <cstdint>

#include "core/aritmetica.h"
#include "tables/tabelle.h"

inline constexpr int32_t metri_per_cella = 50;

enum class aggancio : int32_t {
  tratto = 0,  // cell round(P / 50)
  punto = 1,   // cell round(P / 50 + 1): the cell that starts at P
};

// The cell of metre `metri` (a real number, so that P / 50 is exact before the
// rounding, halves to even). 64-bit: any position of a description fits.
inline int64_t cella_del_metro(double metri, aggancio a) {
  return static_cast<int64_t>(
      arrotonda(metri / metri_per_cella + static_cast<int32_t>(a)));
}

// The metre an author writes to put an item into cell `cella`.
inline int64_t metro_della_cella(int64_t cella, aggancio a) {
  return (cella - static_cast<int32_t>(a)) * metri_per_cella;
}

// How the items of a cell kind are placed: speed-code cells as written by an
// author (at round(P / 50)), everything else as a point item, whose metre is
// the start of its cell.
inline aggancio aggancio_del_tipo(uint8_t tipo) {
  return tipo == cella_codice_velocita || tipo == cella_codice_senza_valore
             ? aggancio::tratto
             : aggancio::punto;
}

#endif  // TABLES_METRI_H_
