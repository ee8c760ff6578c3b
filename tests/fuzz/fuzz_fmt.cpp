// Arbitrary bytes through the formatter: either refused, or formatted into a
// text that compiles to the same bytes, outcome and recorded fault as the
// input (with its partner description) and that formats to itself. The first
// byte chooses what the rest stands for: the line description, the train-run
// description, or both, cut at the first byte 0xFF 0xFF. The plan is compiled
// only for short routes, so that a run costs little. The compilations are
// those of tests/formatting/prova_formattazione.h (the binary files, the
// outcome, the recorded fault and its position), with the files in a folder
// that keeps its room from one input to the next and compares the formatted
// text's files with the input's as they are written (cartella_confronto.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "brevi.h"
#include "cartella_confronto.h"
#include "compiler/memorizza_percorso.h"
#include "dividi.h"
#include "formatting/formattazione.h"
#include "formatting/prova_formattazione.h"
#include "tables/tabelle.h"

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

// What a compilation ends with, besides its files.
struct esito_breve {
  int tipo = 0;  // esito_compilazione::tipo_esito
  std::string codice_fatale;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;

  bool operator==(const esito_breve&) const = default;
};

// Compiles the two descriptions into the folder: their files kept
// (`confronta` false) or compared with those kept.
esito_breve compila_in(cartella_confronto& c, const std::string& linea,
                       const std::string& treno, bool con_piano,
                       bool confronta) {
  const scenario sc;
  c.prepara(sc, confronta);
  c.linea() = linea;
  c.treno() = treno;
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, c, c, con_piano, t, d);
  return {static_cast<int>(esito.tipo), esito.codice, d.codice_errore,
          d.posizione_errore};
}

// The input and its formatted text compile alike, files included.
void compilano_uguali(cartella_confronto& c, const std::string& linea,
                      const std::string& treno, const esito_formattazione& fl,
                      const esito_formattazione& ft, bool con_piano) {
  const esito_breve prima = compila_in(c, linea, treno, con_piano, false);
  richiedi(prima == compila_in(c, fl.testo, ft.testo, con_piano, true) &&
           c.stessi_byte());
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
  static cartella_confronto cartella;  // its room only: cleared for each run
  compilano_uguali(cartella, linea, treno, fl, ft, false);
  // 15 bytes a cell: the plan only for a table of at most 200 cells.
  if (cartella.byte_celle() <= 15 * 201)
    compilano_uguali(cartella, linea, treno, fl, ft, true);
  return 0;
}
