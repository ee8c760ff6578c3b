// A description open in the editor: its path, its text as the editor holds it
// (UTF-8) and which description it is.
#ifndef LSP_DOCUMENTO_H_
#define LSP_DOCUMENTO_H_

#include <cstdint>
#include <string>

#include "core/diagnostica.h"
#include "lsp/testo_lsp.h"

struct documento {
  std::string uri;
  std::string percorso;
  std::string testo;  // UTF-8
  int64_t versione = 0;
  fonte_lettura ruolo = fonte_lettura::descrizione_treno;
};

#endif  // LSP_DOCUMENTO_H_
