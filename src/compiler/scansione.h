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

// With `segni`, the cells it marks are appended there in the order it marks
// them: what reads compiled cells back tells by it which marks came first.
void scansione_percorso(std::vector<cella>& celle, diagnostica& d,
                        std::vector<int32_t>* segni = nullptr);

#endif  // COMPILER_SCANSIONE_H_
