// Quick fixes: a diagnostic whose check names what was probably meant (a
// misspelt keyword or header, a number without its thousands separator or
// decimal comma, a position on the grid) gets an edit that writes it.
#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/funzioni.h"

using json = nlohmann::json;

json azioni_di(const documento& d, const json& diagnostiche, unita_posizione) {
  json azioni = json::array();
  for (const json& diag : diagnostiche) {
    if (!diag.contains("data") || !diag["data"].is_object()) continue;
    const std::string forse = diag["data"].value("suggerimento", "");
    if (forse.empty() || !diag.contains("range")) continue;
    json modifica = {{"range", diag["range"]}, {"newText", forse}};
    json cambi = json::object();
    cambi[d.uri] = json::array({modifica});
    azioni.push_back({{"title", sostituisci(traduci("Write \"{0}\""), {forse})},
                      {"kind", "quickfix"},
                      {"diagnostics", json::array({diag})},
                      {"isPreferred", true},
                      {"edit", {{"changes", cambi}}}});
  }
  return azioni;
}
