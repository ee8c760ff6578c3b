// `watch`: compiles the two descriptions, serves their report page on the
// loopback address, and compiles again at every save, pushing the new page to
// every open browser, which updates it in place and keeps its view.
#ifndef WATCH_VIGILA_H_
#define WATCH_VIGILA_H_

#include <ostream>

#include "commands/compila.h"

// The port tried first when none is given; the next ones follow when it is
// taken.
inline constexpr int porta_predefinita = 8150;
inline constexpr int porte_successive = 19;

struct opzioni_vigila {
  opzioni_compila compila;  // the descriptions, names, --out, --strict,
                            // --encoding
  int porta = porta_predefinita;
  bool porta_data = false;  // --port given: that port only
};

// Runs until SIGINT, SIGTERM or SIGHUP; returns 128 + the signal then, or the
// exit status of what stopped it from starting. The address goes to
// `uscita` first, then one line a build; the problems to `errori`.
int esegui_vigila(const opzioni_vigila& o, std::ostream& uscita,
                  std::ostream& errori);

#endif  // WATCH_VIGILA_H_
