// Arbitrary bytes as each of the three binary files: every decoder must refuse
// or accept them without a fault, and what it accepts must encode back to the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/uscita_binaria.h"
#include "tables/formato.h"

namespace {

// Decodes `byte` into a table; an accepted input must encode back to itself, a
// refused one must name an offset inside it.
template <typename Tabella, typename Decodifica, typename Codifica>
void verifica(std::string_view byte, Decodifica decodifica, Codifica codifica) {
  Tabella tabella;
  errore_decodifica e;
  if (decodifica(byte, tabella, e)) {
    std::string di_nuovo;
    codifica(di_nuovo, tabella);
    if (di_nuovo != byte) std::abort();
  } else if (e.offset > byte.size()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), quanti);
  verifica<std::vector<cella>>(byte, decodifica_celle,
                               [](std::string& d, const std::vector<cella>& t) {
                                 for (const cella& c : t) codifica_cella(d, c);
                               });
  verifica<tabella_stazioni>(byte, decodifica_stazioni,
                             [](std::string& d, const tabella_stazioni& t) {
                               for (const stazione& r : t)
                                 codifica_stazione(d, r);
                             });
  verifica<coordinate_piano>(byte, decodifica_piano,
                             [](std::string& d, const coordinate_piano& p) {
                               for (int asse = 0; asse < 2; ++asse) {
                                 codifica_asse(d, p, asse, 0, p.ultimo_metro());
                               }
                             });
  return 0;
}
