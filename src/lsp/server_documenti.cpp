// The notifications of the server: documents opened, changed, saved, closed,
// and the checks that follow them.
#include <algorithm>
#include <utility>

#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/abbinamento.h"
#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
#include "lsp/server.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"

using json = nlohmann::json;

void server_lsp::notifica(const json& m) {
  const std::string metodo = m["method"];
  if (metodo == "exit") {
    finito_ = true;
    return;
  }
  if (!inizializzato_ || chiuso_) return;
  // Viewed, not copied: an opened document's parameters hold its whole text.
  static const json senza_parametri = json::object();
  const json& p = m.contains("params") ? m["params"] : senza_parametri;
  try {
    if (metodo == "textDocument/didOpen") apri(p);
    if (metodo == "textDocument/didChange") modifica(p);
    if (metodo == "textDocument/didClose") chiudi(p);
    // The partner on disk may have changed with the save.
    if (metodo == "textDocument/didSave")
      attese_[p.at("textDocument").at("uri").get<std::string>()] =
          orologio::now();
  } catch (const std::exception&) {
    // A notification has no answer: a malformed one is passed over.
  }
}

void server_lsp::apri(const json& p) {
  const json& td = p.at("textDocument");
  documento d;
  d.uri = td.at("uri").get<std::string>();
  d.percorso = percorso_da_uri(d.uri).value_or(d.uri);
  d.testo = td.at("text").get<std::string>();
  d.versione = td.value("version", 0);
  d.ruolo = ruolo_di(d.percorso, testo_cp1252(d.testo));
  documenti_[d.uri] = std::move(d);
  attese_[td.at("uri").get<std::string>()] = orologio::now();
}

void server_lsp::modifica(const json& p) {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  auto it = documenti_.find(uri);
  if (it == documenti_.end()) return;
  documento& d = it->second;
  for (const json& c : p.at("contentChanges")) {
    const std::string nuovo = c.at("text").get<std::string>();
    if (!c.contains("range")) {
      d.testo = nuovo;
      continue;
    }
    const json& r = c.at("range");
    sostituisci_intervallo(d.testo, r.at("start").at("line").get<int>(),
                           r.at("start").at("character").get<int>(),
                           r.at("end").at("line").get<int>(),
                           r.at("end").at("character").get<int>(), nuovo,
                           unita_);
  }
  d.versione = p.at("textDocument").value("version", d.versione);
  if (!std::string_view(d.percorso).ends_with("_linea.txt"))
    d.ruolo = ruolo_di(d.percorso, testo_cp1252(d.testo));
  attese_[uri] = orologio::now() + attesa_;
}

void server_lsp::chiudi(const json& p) {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  auto it = documenti_.find(uri);
  if (it == documenti_.end()) return;
  const documento chiuso = it->second;
  documenti_.erase(it);
  attese_.erase(uri);
  pubblicate_.erase(uri);
  compilate_.erase(uri);
  invia_({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
  // Its partner now reads the file on disk.
  std::vector<file_aperto> aperti;
  for (const auto& [u, d] : documenti_) aperti.push_back({d.percorso, d.ruolo});
  if (auto compagno = trova_compagno(chiuso.percorso, chiuso.ruolo, aperti)) {
    if (const documento* altro = per_percorso(*compagno))
      attese_[altro->uri] = orologio::now();
  }
}

std::optional<orologio::time_point> server_lsp::prossima_scadenza() const {
  std::optional<orologio::time_point> prima;
  for (const auto& [uri, quando] : attese_) {
    if (!prima || quando < *prima) prima = quando;
  }
  return prima;
}

void server_lsp::esegui_scadute(orologio::time_point ora) {
  std::vector<std::string> pronti;
  for (const auto& [uri, quando] : attese_) {
    if (quando <= ora) pronti.push_back(uri);
  }
  for (const std::string& uri : pronti) {
    // A check of the partner may have done this one's already.
    if (attese_.erase(uri) == 0 || documenti_.count(uri) == 0) continue;
    controlla(uri);
  }
}

const documento* server_lsp::per_percorso(const std::string& percorso) const {
  for (const auto& [uri, d] : documenti_) {
    if (d.percorso == percorso) return &d;
  }
  return nullptr;
}

testo_da_controllare server_lsp::testo_per(const std::string& percorso) const {
  if (percorso.empty()) return {};
  if (const documento* d = per_percorso(percorso)) return {d->testo, true};
  testo_da_controllare t;
  if (!leggi_percorso(percorso, t.testo).ok) t.testo.clear();
  return t;
}

void server_lsp::pubblica(const documento& d, json diagnostiche) {
  // Kept, then copied once into the message.
  const json& tenute = pubblicate_[d.uri] = std::move(diagnostiche);
  invia_(
      {{"jsonrpc", "2.0"},
       {"method", "textDocument/publishDiagnostics"},
       {"params",
        {{"uri", d.uri}, {"version", d.versione}, {"diagnostics", tenute}}}});
}
