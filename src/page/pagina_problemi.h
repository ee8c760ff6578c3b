// What the report page shows about a compilation: the problems found (faults
// and warnings), each with its place in the descriptions and, where it has
// one, its metre along the route, and the metres from which each description
// was not read.
#ifndef PAGE_PAGINA_PROBLEMI_H_
#define PAGE_PAGINA_PROBLEMI_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/diagnostica.h"
#include "cli/rapporto.h"
#include "validation/problemi.h"

struct problema_pagina {
  gravita livello;
  std::optional<int32_t> metro;  // where it is marked on the drawings
  std::string messaggio;         // UTF-8
  std::string dove;  // "treno.txt:13:5: stazione", "cella 61"; UTF-8, may be ""
  // The kind: problems of one gravity, code and message share it; `tipo` is
  // the message with its values left out ("warning: … at … m off the …").
  std::string genere;
  std::string tipo;  // UTF-8
};

// A description whose reading stopped: what it would have placed from `metro`
// on was not read.
struct lettura_interrotta {
  fonte_lettura descrizione;  // descrizione_linea or descrizione_treno
  int32_t metro;
};

struct problemi_pagina {
  std::vector<problema_pagina> elenco;
  std::vector<lettura_interrotta> non_letto;
  // Whether the recorded fault stopped the line description's reading, even
  // where it gives no metre: its gradients then end where the cells' do.
  bool linea_interrotta = false;
};

// The problems that stand close along the route (`vicini` metres at most from
// the first of them) are marked as one: for each problem, the index of the
// one whose mark stands for it (an error before a warning, then the first by
// metre), or `senza_segno` when it has no metre.
inline constexpr std::size_t senza_segno = static_cast<std::size_t>(-1);
std::vector<std::size_t> grappoli_di_problemi(const problemi_pagina& p,
                                              int32_t vicini);
// The metres within which problems share a mark on a route of `lunghezza` m:
// about a sixtieth of it, so that a drawing holds some sixty marks at most.
int32_t problemi_vicini(int32_t lunghezza);

// The page's view of one compilation: the problems the checks found, and
// where the fault that the compiler recorded (`registrata`) stopped a
// reading.
problemi_pagina problemi_per_la_pagina(const std::vector<problema>& problemi,
                                       const diagnostica& registrata,
                                       const nomi_descrizioni& nomi);

#endif  // PAGE_PAGINA_PROBLEMI_H_
