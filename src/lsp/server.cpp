#include "lsp/server.h"

#include <utility>

#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/abbinamento.h"
#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"

using json = nlohmann::json;

namespace {

// The JSON-RPC error codes.
constexpr int errore_analisi = -32700;
constexpr int richiesta_non_valida = -32600;
constexpr int metodo_sconosciuto = -32601;
constexpr int parametri_non_validi = -32602;
constexpr int non_inizializzato = -32002;

std::string versione_server() { return "0.1.0"; }

}  // namespace

server_lsp::server_lsp(invio invia, formattatore formatta,
                       std::chrono::milliseconds attesa)
    : invia_(std::move(invia)),
      attesa_(attesa),
      formatta_(std::move(formatta)) {}

void server_lsp::errore(const json& id, int codice, const std::string& testo) {
  invia_({{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", codice}, {"message", testo}}}});
}

void server_lsp::cornice_errata() {
  errore(nullptr, errore_analisi,
         traduci("the message's header has no valid Content-Length"));
}

void server_lsp::ricevi(std::string_view corpo) {
  json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) {
    errore(nullptr, errore_analisi, traduci("the message is not valid JSON"));
    return;
  }
  const bool con_id = m.is_object() && m.contains("id") &&
                      (m["id"].is_number_integer() || m["id"].is_string());
  if (!m.is_object() || !m.contains("method") || !m["method"].is_string()) {
    // An answer to a request of ours carries no method: nothing to do.
    if (m.is_object() && con_id &&
        (m.contains("result") || m.contains("error")))
      return;
    errore(con_id ? m["id"] : json(nullptr), richiesta_non_valida,
           traduci("the message is not a JSON-RPC request or notification"));
    return;
  }
  if (con_id) {
    richiesta(m);
  } else {
    notifica(m);
  }
}

void server_lsp::richiesta(const json& m) {
  const std::string metodo = m["method"];
  const json& id = m["id"];
  // Viewed, not copied: a code action's parameters hold every diagnostic.
  static const json senza_parametri = json::object();
  const json& p = m.contains("params") ? m["params"] : senza_parametri;
  if (!inizializzato_ && metodo != "initialize") {
    errore(id, non_inizializzato, traduci("the server is not initialized yet"));
    return;
  }
  if (chiuso_) {
    errore(id, richiesta_non_valida, traduci("the server is shutting down"));
    return;
  }
  try {
    json r = rispondi(metodo, p);
    if (r.is_object() && r.contains("_sconosciuto")) {
      errore(id, metodo_sconosciuto,
             sostituisci(traduci("unknown method {0}"), {metodo}));
      return;
    }
    invia_({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(r)}});
  } catch (const std::exception&) {
    errore(
        id, parametri_non_validi,
        sostituisci(traduci("the parameters of {0} are not valid"), {metodo}));
  }
}

json server_lsp::rispondi(const std::string& metodo, const json& p) {
  if (metodo == "initialize") return inizializza(p);
  if (metodo == "shutdown") {
    chiuso_ = true;
    attese_.clear();
    return nullptr;
  }
  if (metodo == "textDocument/hover" || metodo == "textDocument/completion") {
    const documento& d = documento_di(p);
    const int riga = p.at("position").at("line").get<int>();
    const int car = p.at("position").at("character").get<int>();
    if (metodo == "textDocument/completion")
      return completamento_di(d, riga, car, unita_);
    // A hover says what the text under it compiles to: a change still
    // waiting for its check is checked now.
    if (attese_.count(d.uri) != 0) controlla(d.uri);
    const auto compilate = compilate_.find(d.uri);
    return hover_di(
        d, riga, car, unita_,
        compilate == compilate_.end() ? nullptr : &compilate->second);
  }
  if (metodo == "textDocument/definition") return definizione(p);
  if (metodo == "textDocument/documentSymbol")
    return simboli_di(documento_di(p), unita_);
  if (metodo == "textDocument/codeAction")
    return azioni_di(documento_di(p), p.at("context").at("diagnostics"),
                     unita_);
  if (metodo == "textDocument/formatting" && formatta_) {
    const documento& d = documento_di(p);
    const std::optional<std::string> nuovo = formatta_(d.testo);
    if (!nuovo || *nuovo == d.testo) return json::array();
    const int righe = static_cast<int>(inizi_righe(d.testo).size());
    return json::array(
        {{{"range", intervallo(0, 0, righe, 0)}, {"newText", *nuovo}}});
  }
  return {{"_sconosciuto", true}};
}

json server_lsp::inizializza(const json& p) {
  unita_ = unita_posizione::utf16;
  const json* codifiche = nullptr;
  if (p.contains("capabilities") && p["capabilities"].contains("general") &&
      p["capabilities"]["general"].contains("positionEncodings"))
    codifiche = &p["capabilities"]["general"]["positionEncodings"];
  if (codifiche != nullptr && codifiche->is_array()) {
    for (const json& c : *codifiche) {
      if (c == "utf-8") unita_ = unita_posizione::utf8;
    }
  }
  inizializzato_ = true;
  json capacita = {{"positionEncoding",
                    unita_ == unita_posizione::utf8 ? "utf-8" : "utf-16"},
                   {"textDocumentSync",
                    {{"openClose", true},
                     {"change", 2},
                     {"save", {{"includeText", false}}}}},
                   {"hoverProvider", true},
                   {"completionProvider", {{"triggerCharacters", {"["}}}},
                   {"documentSymbolProvider", true},
                   {"definitionProvider", true},
                   {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}};
  if (formatta_) capacita["documentFormattingProvider"] = true;
  return {{"capabilities", capacita},
          {"serverInfo",
           {{"name", "scenario_builder"}, {"version", versione_server()}}}};
}

const documento& server_lsp::documento_di(const json& p) const {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  auto it = documenti_.find(uri);
  if (it == documenti_.end()) throw std::out_of_range("document not open");
  return it->second;
}

json server_lsp::definizione(const json& p) const {
  const documento& d = documento_di(p);
  const int riga = p.at("position").at("line").get<int>();
  const int car = p.at("position").at("character").get<int>();
  auto it = pubblicate_.find(d.uri);
  if (it == pubblicate_.end()) return nullptr;
  for (const json& diag : it->second) {
    const json& r = diag["range"];
    if (!diag.contains("relatedInformation") || r["start"]["line"] != riga ||
        car < r["start"]["character"].get<int>() ||
        car > r["end"]["character"].get<int>())
      continue;
    return diag["relatedInformation"][0]["location"];
  }
  return nullptr;
}
