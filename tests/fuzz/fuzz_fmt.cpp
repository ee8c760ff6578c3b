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

// The text formatted, and checked to be its own fixed point. The two fixed
// partner descriptions are formatted on their first input only: the result
// of the same text is the same, and formatting costs more than compiling.
esito_formattazione formattata(const std::string& testo) {
  static const auto formatta_e_prova = [](const std::string& t) {
    esito_formattazione f = formatta(t);
    if (!f.rifiutato) richiedi(formattato(f.testo) == f.testo);
    return f;
  };
  static const esito_formattazione linea = formatta_e_prova(linea_breve());
  static const esito_formattazione treno = formatta_e_prova(treno_breve());
  if (&testo != &linea_breve() && &testo != &treno_breve())
    return formatta_e_prova(testo);
  return &testo == &linea_breve() ? linea : treno;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const uint8_t scelta = dati[0];
  const std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  const std::vector<std::string> parti = dividi(resto, "\xFF\xFF", 2);
  const std::string& linea = scelta % 3 == 0   ? resto
                             : scelta % 3 == 1 ? linea_breve()
                                               : parti[0];
  const std::string& treno = scelta % 3 == 0   ? treno_breve()
                             : scelta % 3 == 1 ? resto
                                               : parti[1];
  const esito_formattazione fl = formattata(linea);
  const esito_formattazione ft = formattata(treno);
  if (fl.rifiutato || ft.rifiutato) return 0;
  const compilazione_byte prima = compila_byte(linea, treno, false);
  richiedi(prima == compila_byte(fl.testo, ft.testo, false));
  // 15 bytes a cell: the plan only for a table of at most 200 cells.
  if (prima.byte_celle.size() <= 15 * 201)
    richiedi(compila_byte(linea, treno, true) ==
             compila_byte(fl.testo, ft.testo, true));
  return 0;
}
