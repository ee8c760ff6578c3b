// Decoding the three binary files back into tables, for the tools that look
// inside them. Every decoder checks the bytes it is given: a truncated or
// malformed file is refused with the byte offset where decoding failed.
#ifndef COMPILER_DECODIFICA_H_
#define COMPILER_DECODIFICA_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tables/tabelle.h"

struct errore_decodifica {
  std::size_t offset = 0;
  std::string motivo;
};

// File C: 15 bytes per cell.
bool decodifica_celle(std::string_view dati, std::vector<cella>& celle,
                      errore_decodifica& e);
// File B: exactly 87 records of 34 bytes plus their names.
bool decodifica_stazioni(std::string_view dati, tabella_stazioni& stazioni,
                         errore_decodifica& e);
// File A: the x half then the y half, the same number of tagged elements each.
bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e);

#endif  // COMPILER_DECODIFICA_H_
