// Arbitrary bytes through the formatter: either refused, or formatted into a
// text that compiles to the same bytes, outcome and recorded fault as the
// input (with its partner description) and that formats to itself. The first
// byte chooses what the rest stands for: the line description, the train-run
// description, or both, cut at the first byte 0xFF 0xFF. The plan is compiled
// only for short routes, so that a run costs little.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "brevi.h"
#include "dividi.h"
#include "formatting/formattazione.h"
#include "formatting/prova_formattazione.h"

namespace {

void richiedi(bool vero) {
  if (!vero) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const uint8_t scelta = dati[0];
  const std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  std::string linea = linea_breve();
  std::string treno = treno_breve();
  if (scelta % 3 == 0) {
    linea = resto;
  } else if (scelta % 3 == 1) {
    treno = resto;
  } else {
    const std::vector<std::string> parti = dividi(resto, "\xFF\xFF", 2);
    linea = parti[0];
    treno = parti[1];
  }
  const esito_formattazione fl = formatta(linea);
  const esito_formattazione ft = formatta(treno);
  if (fl.rifiutato || ft.rifiutato) return 0;
  richiedi(formattato(fl.testo) == fl.testo);
  richiedi(formattato(ft.testo) == ft.testo);
  const compilazione_byte prima = compila_byte(linea, treno, false);
  richiedi(prima == compila_byte(fl.testo, ft.testo, false));
  // 15 bytes a cell: the plan only for a table of at most 200 cells.
  if (prima.byte_celle.size() <= 15 * 201)
    richiedi(compila_byte(linea, treno, true) ==
             compila_byte(fl.testo, ft.testo, true));
  return 0;
}
