// The checks of an author's two descriptions, in one call: the bytes (UTF-16,
// UTF-8), the items line by line (values missing or left over, misspelt
// keywords, positions, ranges, order, times, tunnels), and the compiler's own
// faults said at the line of the item that caused them, with the faults it
// would record once those are mended. The result is one list, in file order.
#ifndef VALIDATION_CONTROLLO_H_
#define VALIDATION_CONTROLLO_H_

#include <string>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "validation/guasti.h"
#include "validation/problemi.h"

// The texts are views: whoever fills them keeps the bytes alive for the call.
struct ingresso_controllo {
  const scenario& sc;
  testi_descrizioni grezzi;  // the bytes of the two files as they are
  testi_descrizioni testi;   // as the compiler reads them
  bool convertiti_da_utf8 = false;
  bool con_piano = true;
  // The compilations again without the lines of the faults found so far: a
  // fuzz target bounds them, since each costs a whole compilation.
  int ricompilazioni_massime = ricompilazioni_predefinite;
};

// `compilate`, `registrata` and `esito` are the compilation of `testi` as it
// is.
std::vector<problema> controlla_descrizioni(const ingresso_controllo& in,
                                            const tabelle& compilate,
                                            const diagnostica& registrata,
                                            const esito_compilazione& esito);

#endif  // VALIDATION_CONTROLLO_H_
