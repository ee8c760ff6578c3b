// Arbitrary bytes as either description, through the compiler and every check
// of the validation layer: no input may make the checks fault, loop or leave
// a problem without a message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/memorizza_percorso.h"
#include "platform/cartella_memoria.h"
#include "ricompilazioni.h"
#include "validation/controllo.h"

namespace {

// A short route with an item of each kind, so that every compilation again
// stays fast: the fuzzer's bytes take the place of one of the two.
constexpr const char* linea_breve =
    "[generale]\r\nlunghezza percorso, 4000\r\n"
    "progressiva chilometrica uno, 0, 12000, 1\r\n[curve]\r\n"
    "curvad4, 500, 200\r\npendenza, 0, 0\r\npendenza, 1000, 4\r\n"
    "montagna, 1500, 2000, 12\r\n"
    "indicatori_vmax, 700, 80, 90, 95, 0, 80, 90, 95, 0\r\n"
    "cartello_indicatore, 2500, (PONTE)\r\n[fine]\r\n";
constexpr const char* treno_breve =
    "[generale]\r\nnumero vetture, 6\r\norologio, 8 0 0\r\n"
    "velocita, 0, 100\r\naderenza, 0, 90\r\n"
    "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, A\r\n"
    "stazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, B\r\n"
    "segnale, 2200, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"
    "rallentamento, 3000, 60, 200, 0, 1, 0\r\n[fine]\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  testi_descrizioni testi{linea_breve, treno_breve};
  if (dati[0] % 2 == 0) {
    testi.linea = resto;
  } else {
    testi.treno = resto;
  }
  const scenario sc;
  cartella_memoria c;
  c.file[nome_descrizione_linea(sc)] = testi.linea;
  c.file[nome_descrizione_treno(sc)] = testi.treno;
  tabelle t;
  diagnostica d;
  // Without the plan, so that a long route stays fast to compile again.
  const esito_compilazione esito = compila_tabelle(sc, c, false, t, d);
  ingresso_controllo in{sc, testi, testi, false, false};
  // No compilation again without the faulty lines: forty, as check makes,
  // would cost forty compilations an input.
  in.ricompilazioni_massime = ricompilazioni_fuzz;
  for (const problema& p : controlla_descrizioni(in, t, d, esito)) {
    if (componi(p.testo).empty()) std::abort();
  }
  return 0;
}
