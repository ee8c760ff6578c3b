// Arbitrary bytes as either description, through the whole reading, the route
// scan and the binary output, in an in-memory folder. The first byte chooses
// what the rest stands for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "line/dati_linea.h"
#include "platform/cartella_memoria.h"
#include "train_run/dati_treno.h"

namespace {

std::string unisci(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += riga + "\r\n";
  return testo;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const uint8_t scelta = dati[0];
  const std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  const scenario s;
  tabelle t;
  diagnostica d;
  cartella_memoria c;
  std::string linea = unisci(righe_linea());
  std::string treno = unisci(righe_treno());
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
  // The plan file of a long route is large; write the files only when there is
  // no plan, so that a run stays fast.
  const bool con_piano = (scelta & 0x40) == 0;
  if (con_piano) {
    compila_tabelle(s, c, con_piano, t, d);
  } else {
    memorizza_percorso(s, c, c, con_piano, t, d);
  }
  return 0;
}
