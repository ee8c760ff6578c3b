// The report page's tables: one for every kind of item with its position
// along the route, each row keyed to the item's marks in the drawings.
#ifndef PAGE_PAGINA_TABELLE_H_
#define PAGE_PAGINA_TABELLE_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "page/pagina_dati.h"
#include "page/pagina_problemi.h"

// The timetable of the stations.
void scrivi_orario(std::ostream& o, const vista& v);
// The problems of the compilation; without them, that the files alone do not
// tell.
void scrivi_problemi(std::ostream& o, const std::optional<problemi_pagina>& p,
                     int32_t lunghezza);
// What no description explains in the files (UTF-8 lines), under a heading of
// its own; nothing when there is none.
void scrivi_inspiegato(std::ostream& o, const std::vector<std::string>& righe);
// Signals, boards, board texts, slowdowns, tunnels and speed codes.
void scrivi_elenchi(std::ostream& o, const vista& v);

#endif  // PAGE_PAGINA_TABELLE_H_
