// The scan over the whole route that adds the speed-code marks (kind 12, value
// 180) ahead of the signals before a slowdown's warning cell, before each
// slowdown start, inside slow slowdowns and before the first signal after
// their end. A mark that finds no free cell records code 11, 12 or 13.
#ifndef COMPILER_SCANSIONE_H_
#define COMPILER_SCANSIONE_H_

#include <cstdint>
#include <vector>

#include "core/diagnostica.h"
#include "tables/tabelle.h"

// The three windows before a slowdown's start cell, each from its near end:
// the scan marks the first free cell of the cells start - w, - w - 1 and
// - w - 2; a window whose cells would reach cell 2 or below is left out.
inline constexpr int32_t finestre_prima_del_rallentamento[] = {5, 11, 18};

// With `segni`, the cells it marks are appended there in the order it marks
// them: what reads compiled cells back tells by it which marks came first.
void scansione_percorso(std::vector<cella>& celle, diagnostica& d,
                        std::vector<int32_t>* segni = nullptr);

#endif  // COMPILER_SCANSIONE_H_
