// The answers about one open description: hover, completion, outline, quick
// fixes. Each reads the text with the checker's own reader.
#ifndef LSP_FUNZIONI_H_
#define LSP_FUNZIONI_H_

#include <nlohmann/json.hpp>
#include <vector>

#include "lsp/documento.h"
#include "lsp/verifica.h"

// The Windows-1252 text of a buffer as the compiler reads it; a letter the
// code page cannot hold becomes '?', so that columns still count letters.
std::string testo_cp1252(const std::string& utf8);

// `compilate`: the tables of the last check of the document's pair, if any.
nlohmann::json hover_di(const documento& d, int riga, int carattere,
                        unita_posizione u, const tabelle_compilate* compilate);
nlohmann::json completamento_di(const documento& d, int riga, int carattere,
                                unita_posizione u);
nlohmann::json simboli_di(const documento& d, unita_posizione u);
// The quick fixes for the diagnostics the client sends back.
nlohmann::json azioni_di(const documento& d, const nlohmann::json& diagnostiche,
                         unita_posizione u);

#endif  // LSP_FUNZIONI_H_
