// From the three compiled tables back to the two descriptions. `decompila`
// writes a line description and a train-run description (Windows-1252 lines,
// without line ends) that compile to the same tables, byte for byte: it leaves
// out what the compiler adds by itself (stop cells, approach marks, the route
// scan's speed-code marks, the reserved values and the competition codes)
// because compiling puts it back. What no description compiles to, it reports
// cell by cell, record by record or metre by metre, with the nearest
// description it could write.
#ifndef DECOMPILER_DECOMPILA_H_
#define DECOMPILER_DECOMPILA_H_

#include <cstdint>
#include <string>
#include <vector>

#include "core/testi.h"
#include "tables/tabelle.h"

// Something in the tables that no description compiles to, said for people
// (core/testi.h).
struct voce_inspiegata {
  enum class tabella { celle, stazioni, piano };
  tabella dove = tabella::celle;
  int32_t indice = 0;  // cell, record or metre; -1 for the whole table
  messaggio trovato;   // what the table holds there
  // The nearest description line (a data word), or what would come nearest
  // in words; empty when there is none.
  argomento piu_vicina = std::string();
};

struct esito_decompilazione {
  // The scenario's names from records 85 and 86: compiling with other names
  // gives other competition codes.
  std::string nome_linea;
  std::string nome_treno;
  // The descriptions hold curve lines only when the plan was given; compile
  // them with the plan (flag j non-zero) exactly then.
  bool con_piano = false;
  std::vector<std::string> righe_linea;
  std::vector<std::string> righe_treno;
  // Empty when compiling the descriptions gives back the same tables.
  std::vector<voce_inspiegata> inspiegate;
};

// `piano` is nullptr for a scenario built without the plan.
esito_decompilazione decompila(const std::vector<cella>& celle,
                               const tabella_stazioni& stazioni,
                               const coordinate_piano* piano);

#endif  // DECOMPILER_DECOMPILA_H_
