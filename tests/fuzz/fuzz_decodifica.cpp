// Arbitrary bytes as each of the three binary files: every decoder must refuse
// or accept them without a fault, and what it accepts must encode back to the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/decodifica.h"
#include "compiler/uscita_binaria.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), quanti);
  errore_decodifica e;
  std::vector<cella> celle;
  if (decodifica_celle(byte, celle, e)) {
    std::string di_nuovo;
    for (const cella& c : celle) codifica_cella(di_nuovo, c);
    if (di_nuovo != byte) std::abort();
  } else if (e.offset > quanti) {
    std::abort();
  }
  tabella_stazioni stazioni;
  if (decodifica_stazioni(byte, stazioni, e)) {
    std::string di_nuovo;
    for (const stazione& r : stazioni) codifica_stazione(di_nuovo, r);
    if (di_nuovo != byte) std::abort();
  } else if (e.offset > quanti) {
    std::abort();
  }
  coordinate_piano piano;
  if (decodifica_piano(byte, piano, e)) {
    std::string di_nuovo;
    for (int asse = 0; asse < 2; ++asse)
      codifica_asse(di_nuovo, piano, asse, 0, piano.ultimo_metro());
    if (di_nuovo != byte) std::abort();
  } else if (e.offset > quanti) {
    std::abort();
  }
  return 0;
}
