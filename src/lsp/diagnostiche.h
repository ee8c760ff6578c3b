// The problems of a check as the protocol's diagnostics of one file: each
// at the range of the word or value it is about, with its severity, its fault
// code, its source and, for the fault the compiler recorded, that mark.
#ifndef LSP_DIAGNOSTICHE_H_
#define LSP_DIAGNOSTICHE_H_

#include <nlohmann/json.hpp>
#include <string_view>

#include "lsp/testo_lsp.h"
#include "lsp/verifica.h"

// The range of the word or value that begins at byte `inizio` of a line
// (UTF-8): a quoted text to its closing quote, a number to a blank or a
// comma, any other field to its comma; blanks at its end left out.
std::size_t fine_del_campo(std::string_view riga, std::size_t inizio);

// One file of the pair checked: its URI and its text (UTF-8), for the
// ranges of its own diagnostics and of those that point into it.
struct file_della_coppia {
  std::string uri;
  std::string testo;
};

// The diagnostics of description `fonte` (line or train run) of `v`; `file`
// holds the line description and the train run. The same problems, in the
// same order, as `check --json` gives for it: the first hundred. A fault on
// an occupied cell points at the item in it.
nlohmann::json diagnostiche_del_file(const esito_verifica& v,
                                     fonte_lettura fonte,
                                     const file_della_coppia (&file)[2],
                                     unita_posizione u);

// A range as the protocol writes it.
nlohmann::json intervallo(int riga_da, int car_da, int riga_a, int car_a);

#endif  // LSP_DIAGNOSTICHE_H_
