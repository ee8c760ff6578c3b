// A buffer read with the checker's own reader, and the places in it: which
// item and which of its fields stands at a position of the editor.
#ifndef LSP_LETTURA_DOCUMENTO_H_
#define LSP_LETTURA_DOCUMENTO_H_

#include <optional>
#include <string>

#include "lsp/documento.h"
#include "validation/voci.h"

// A document's text read with the checker's reader, and what it was read
// from.
struct lettura_documento {
  std::string testo;  // UTF-8, as the document held it
  fonte_lettura ruolo;
  std::string byte;  // in Windows-1252: what `letta` views, never moved
  descrizione_letta letta;
};

// The document read with the checker's reader (Windows-1252, with the plan):
// read again only when its text or its role is not the one read last.
const descrizione_letta& letta_di(const documento& d);

struct luogo_nel_documento {
  const voce* v = nullptr;
  int valore = -1;  // the value under the cursor, -1 on the keyword
};

// The item and field at code point `punto` (0-based) of line `riga`.
std::optional<luogo_nel_documento> luogo_in(const descrizione_letta& letta,
                                            int riga, std::size_t punto);

// The code point of the line that a position of the editor stands at.
std::size_t punto_di(const documento& d, int riga, int carattere,
                     unita_posizione u);

#endif  // LSP_LETTURA_DOCUMENTO_H_
