// The profiles that a description sets one line late: gradient, speed and
// adhesion. A line at position P (cell p = P / 50) fills the cells from the
// first one still unset up to the one before p, at least one cell, with the
// value in force, and then sets its own value in force; a line at position 0
// fills nothing. At the end of the reading the value in force is carried to
// cell N - 3, again at least one cell. Cells never filled keep 0.
#ifndef DECOMPILER_PROFILI_H_
#define DECOMPILER_PROFILI_H_

#include <cstdint>
#include <vector>

// A profile line: at metre 50 * cella, the byte that the following cells get.
struct passo_profilo {
  int32_t cella = 0;
  uint8_t valore = 0;
};

// The lines, in order, that fill `valori` (cells 0 to N) exactly: the first at
// position 0, one where each run of equal bytes begins, and for the last cells
// (from N - 2 on, which the end fill leaves alone) single-cell lines at the
// last position that passes the range check.
std::vector<passo_profilo> righe_profilo(const std::vector<uint8_t>& valori);

#endif  // DECOMPILER_PROFILI_H_
