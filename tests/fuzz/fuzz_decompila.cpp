// The round-trip property under the fuzzer: its bytes seed the generator of
// random scenarios, on short routes so that a run costs little (the tests
// take longer ones); every one that compiles with no fault must come back
// through the decompiler and the compiler with the same three files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "decompiler/generatore.h"
#include "decompiler/giro.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  uint64_t seme = 1469598103934665603ull;  // FNV-1a over the bytes
  for (std::size_t i = 0; i < quanti; ++i)
    seme = (seme ^ dati[i]) * 1099511628211ull;
  const scenario_casuale s = genera_scenario_breve(seme);
  const giro g =
      giro_completo(s.linea, s.treno, s.nome_linea, s.nome_treno, s.con_piano);
  if (!g.primo.senza_errori()) return 0;
  if (!g.decompilata.inspiegate.empty() || !g.secondo.senza_errori() ||
      !g.stessi_byte())
    std::abort();
  return 0;
}
