// What the report page shows, taken from the compiled tables: stations,
// signals, boards, board texts, slowdowns and tunnels at the author's own
// metres, and the kilometric progression.
#ifndef TOOLS_PAGINA_DATI_H_
#define TOOLS_PAGINA_DATI_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tables/tabelle.h"

struct fermata {
  int record;
  const stazione* r;
};

struct segno {
  int32_t metro;
  std::string etichetta;  // UTF-8
  std::string dettaglio;  // UTF-8, shown as a tooltip
};

struct tratto {
  int32_t da, a;
  int valore;
};

struct vista {
  int32_t lunghezza = 0;
  std::vector<fermata> stazioni;
  std::vector<segno> segnali, indicatori, cartelli;
  std::vector<tratto> rallentamenti, gallerie;
  // Kilometric progressive from record 81.
  int32_t progressiva_inizio = 0, progressiva_valore = 0, progressiva_segno = 0;
};

vista prepara_vista(const tabelle& t);

// The kilometric progressive at a metre of the route, in km.
double progressiva_km(const vista& v, double metro);
bool con_progressiva(const vista& v);

#endif  // TOOLS_PAGINA_DATI_H_
