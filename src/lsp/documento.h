// A description open in the editor: its path, its text as the editor holds it
// (UTF-8) and which description it is.
#ifndef LSP_DOCUMENTO_H_
#define LSP_DOCUMENTO_H_

#include <cstdint>
#include <memory>
#include <string>

#include "core/diagnostica.h"
#include "lsp/testo_lsp.h"

struct lettura_documento;

struct documento {
  std::string uri;
  std::string percorso;
  std::string testo;  // UTF-8
  int64_t versione = 0;
  fonte_lettura ruolo = fonte_lettura::descrizione_treno;
  // The text as the checker's reader last read it (see letta_di): a hover,
  // the outline and the quick fixes of one version read it once.
  mutable std::shared_ptr<const lettura_documento> lettura;
};

#endif  // LSP_DOCUMENTO_H_
