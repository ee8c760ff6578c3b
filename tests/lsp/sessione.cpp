#include "lsp/sessione.h"

#include "lsp/testo_lsp.h"

using json = nlohmann::json;

void sessione_lsp::inizia(const json& capacita) {
  invia({{"jsonrpc", "2.0"},
         {"id", 0},
         {"method", "initialize"},
         {"params", {{"capabilities", capacita}}}});
  invia({{"jsonrpc", "2.0"},
         {"method", "initialized"},
         {"params", json::object()}});
}

void sessione_lsp::apri(const std::string& percorso,
                        const std::string& testo_utf8) {
  invia({{"jsonrpc", "2.0"},
         {"method", "textDocument/didOpen"},
         {"params",
          {{"textDocument",
            {{"uri", uri_da_percorso(percorso)},
             {"languageId", "scenario"},
             {"version", 1},
             {"text", testo_utf8}}}}}});
}

json sessione_lsp::diagnostiche(const std::string& percorso) const {
  const std::string uri = uri_da_percorso(percorso);
  for (auto it = uscite.rbegin(); it != uscite.rend(); ++it) {
    if (it->value("method", "") == "textDocument/publishDiagnostics" &&
        (*it)["params"]["uri"] == uri)
      return (*it)["params"]["diagnostics"];
  }
  return nullptr;
}

json sessione_lsp::risposta(int id) const {
  for (const json& m : uscite) {
    if (m.contains("id") && m["id"] == id && !m.contains("method")) return m;
  }
  return nullptr;
}

bool contiene(const json& reale, const json& atteso) {
  if (atteso.is_object()) {
    if (!reale.is_object()) return false;
    for (const auto& [k, v] : atteso.items()) {
      if (!reale.contains(k) || !contiene(reale[k], v)) return false;
    }
    return true;
  }
  if (atteso.is_array()) {
    if (!reale.is_array() || reale.size() != atteso.size()) return false;
    for (std::size_t i = 0; i < atteso.size(); ++i) {
      if (!contiene(reale[i], atteso[i])) return false;
    }
    return true;
  }
  return reale == atteso;
}
