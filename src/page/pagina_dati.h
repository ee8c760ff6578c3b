// What the report page shows, taken from the compiled tables: stations,
// signals, speed boards, board texts, slowdowns, tunnels and speed codes, each
// decoded back into the values and the metres that the author wrote.
#ifndef PAGE_PAGINA_DATI_H_
#define PAGE_PAGINA_DATI_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tables/tabelle.h"

struct fermata {
  int record;
  const stazione* r;
};

struct segnale_linea {
  int numero;  // 1, 2, ... along the route
  int32_t metro;
  int sx, s1, s2, s3, rapp, dx, d1, d2, d3;
  int tempo;
};

// One side of a speed board: the A, B and C speeds (km/h) and the stripes.
struct lato_indicatore {
  int a = 0, b = 0, c = 0, strisce = 0;
};

struct indicatore_vmax {
  int32_t metro;
  lato_indicatore sinistra, destra;
};

struct cartello_testo {
  int32_t metro;
  int record;
  std::vector<std::string> righe;  // UTF-8, the rows between brackets
};

struct tratto {
  int32_t da, a;
  int valore;  // a slowdown's speed, a tunnel's kind
};

struct codice_velocita {
  int32_t metro;
  int valore;  // 0 for a code cell without a value
};

// A kilometric progression of records 81 to 83 as the author wrote it: from
// metre `inizio` on, the progressive is `valore` metres there, decreasing
// along the line when `decrescente`.
struct progressiva {
  int32_t inizio, valore;
  bool decrescente;
};

struct vista {
  int32_t lunghezza = 0;
  std::vector<fermata> stazioni;
  std::vector<segnale_linea> segnali;
  std::vector<indicatore_vmax> indicatori;
  std::vector<cartello_testo> cartelli;
  std::vector<tratto> rallentamenti, gallerie;
  std::vector<codice_velocita> codici;
  std::vector<progressiva> progressive;  // by start, greatest first
  // The metre from which no gradient was written on the route: the cells at
  // its end that still hold the byte 0 (a -100 per mille that no line
  // describes), left so when a line description's reading stopped before
  // the gradient in force was carried on; the route length otherwise.
  int32_t fine_pendenze = 0;
};

vista prepara_vista(const tabelle& t);

// The rows of a board text "(PONTE SUL  )(TORRENTE   )", trimmed; a text
// without brackets is one row.
std::vector<std::string> righe_del_cartello(const std::string& utf8);

// The kilometric progressive at a metre of the route, in km.
double progressiva_km(const vista& v, double metro);
bool con_progressiva(const vista& v);

#endif  // PAGE_PAGINA_DATI_H_
