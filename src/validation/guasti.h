// The faults that the compiler records, said precisely at the line of the item
// that caused them, and every further fault it would record once those lines
// are mended: the descriptions are compiled again with the lines of the faults
// found so far left out, until no new one appears.
#ifndef VALIDATION_GUASTI_H_
#define VALIDATION_GUASTI_H_

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "validation/problemi.h"
#include "validation/regole.h"
#include "validation/voci.h"

// Views of the two descriptions' bytes, which their holder keeps alive while
// they are checked: a description may be tens of megabytes, read once.
struct testi_descrizioni {
  std::string_view linea;  // Windows-1252 bytes, as the compiler reads them
  std::string_view treno;
};

// Lines to leave out: (description, line).
using righe_escluse = std::set<std::pair<fonte_lettura, int>>;

// More compilations than this find nothing that the author cannot find by
// mending the first faults.
inline constexpr int ricompilazioni_predefinite = 40;

struct contesto_guasti {
  const scenario& sc;
  const testi_descrizioni& testi;
  bool con_piano;
  const descrizione_letta& linea;
  const descrizione_letta& treno;
  percorso r;
  // How many times the descriptions are compiled again without the lines of
  // the faults found so far.
  int ricompilazioni_massime = ricompilazioni_predefinite;
};

// The faults of the compilation as it is (`registrata`, `esito`: the last
// fault of its history is the one recorded) and those found by compiling again
// without the lines of the faults found so far and without `gia_escluse` (the
// lines that the checks already know to be wrong).
void aggiungi_guasti(const contesto_guasti& x, const diagnostica& registrata,
                     const esito_compilazione& esito, righe_escluse gia_escluse,
                     std::vector<problema>& p);

// The items whose cell a later item writes over without a fault (a station's
// stop cell is not tested): `t` holds the cells of a compilation that
// recorded no fault while reading.
void aggiungi_sovrascritti(const contesto_guasti& x, const tabelle& t,
                           std::vector<problema>& p);

#endif  // VALIDATION_GUASTI_H_
