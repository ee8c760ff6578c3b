// The drawings of the report page, as inline SVG: the map of the track,
// turned so that the line runs from left to right, and the profiles along the
// route (elevation from the gradients, speed limit, curvature) with tunnels,
// slowdowns, signals and stations.
#ifndef TOOLS_PAGINA_DISEGNO_H_
#define TOOLS_PAGINA_DISEGNO_H_

#include <ostream>

#include "tables/tabelle.h"
#include "tools/pagina_dati.h"

void disegna_mappa(std::ostream& o, const tabelle& t, const vista& v);
void disegna_profili(std::ostream& o, const tabelle& t, const vista& v);

#endif  // TOOLS_PAGINA_DISEGNO_H_
