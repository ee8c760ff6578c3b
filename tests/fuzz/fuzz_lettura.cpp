// Arbitrary bytes as either description, through the whole reading, the route
// scan and the binary output, in an in-memory folder. The first byte chooses
// what the rest stands for. The description that is not fuzzed is a short one
// (1,000 m), and the costly parts, the plan and the files, run for a few
// inputs only, so that a run costs little and the fuzzer explores.
#include <cstddef>
#include <cstdint>
#include <string>

#include "brevi.h"
#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const uint8_t scelta = dati[0];
  const std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  const scenario s;
  tabelle t;
  diagnostica d;
  cartella_memoria c;
  std::string linea = linea_breve();
  std::string treno = treno_breve();
  switch (scelta % 3) {
    case 0:
      linea = resto;
      break;
    case 1:
      treno = resto;
      break;
    default: {
      // Both: the line description up to the first NUL byte, the train-run
      // description after it.
      const std::size_t taglio = resto.find('\0');
      linea = resto.substr(0, taglio);
      treno = taglio == std::string::npos ? std::string()
                                          : resto.substr(taglio + 1);
    }
  }
  c.file[nome_descrizione_linea(s)] = linea;
  if ((scelta & 0x80) == 0) c.file[nome_descrizione_treno(s)] = treno;
  // Bits 3 to 5: the binary files written for one input in eight, the plan
  // built for another one in eight, only the tables for the rest. The plan
  // costs a step a metre up to 7,000 m beyond the route's end: it is built
  // only when a first reading found a route of at most 3,000 m.
  const int modo = (scelta >> 3) & 7;
  if (modo == 6) {
    memorizza_percorso(s, c, c, /*con_piano=*/false, t, d);
    return 0;
  }
  cartella_memoria per_il_piano = c;
  compila_tabelle(s, c, /*con_piano=*/false, t, d);
  if (modo == 7 && t.ultima_cella() <= 200)
    compila_tabelle(s, per_il_piano, /*con_piano=*/true, t, d);
  return 0;
}
