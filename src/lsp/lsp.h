// `scenario_builder lsp`: the language server over standard input and output.
#ifndef LSP_LSP_H_
#define LSP_LSP_H_

#include <ostream>

#include "lsp/server.h"

// Reads messages from the file descriptor `ingresso` until `exit` or the end
// of the input, and writes the answers to `uscita`. Returns the exit status.
// A change is checked once `attesa` has passed without another.
int esegui_lsp(int ingresso, std::ostream& uscita,
               std::chrono::milliseconds attesa = attesa_modifica,
               formattatore formatta = {});

#endif  // LSP_LSP_H_
