// Arbitrary bytes as the language server's input stream after initialize (first
// byte even), or as the text of a description opened and then changed (odd):
// no input may make the server fault, loop or send anything but JSON-RPC.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lsp/server.h"
#include "lsp/trasporto.h"

namespace {

void controlla_uscita(const nlohmann::json& m) {
  if (!m.is_object() || m.value("jsonrpc", "") != "2.0") std::abort();
}

std::string cornicia(const nlohmann::json& m) { return incornicia(m.dump()); }

std::string come_documento(const std::string& testo) {
  const std::string uri = "file:///nessuna_cartella/F_T.txt";
  return cornicia({{"jsonrpc", "2.0"},
                    {"method", "textDocument/didOpen"},
                    {"params",
                     {{"textDocument",
                       {{"uri", uri}, {"version", 1}, {"text", testo}}}}}}) +
         cornicia({{"jsonrpc", "2.0"},
                    {"method", "textDocument/didChange"},
                    {"params",
                     {{"textDocument", {{"uri", uri}, {"version", 2}}},
                      {"contentChanges",
                       {{{"range",
                          {{"start", {{"line", 1}, {"character", 3}}},
                           {"end", {{"line", 2}, {"character", 1}}}}},
                         {"text", "\xC3\xA8,"}}}}}}}) +
         cornicia({{"jsonrpc", "2.0"},
                    {"id", 2},
                    {"method", "textDocument/hover"},
                    {"params",
                     {{"textDocument", {{"uri", uri}}},
                      {"position", {{"line", 1}, {"character", 2}}}}}}) +
         cornicia({{"jsonrpc", "2.0"},
                    {"id", 3},
                    {"method", "textDocument/documentSymbol"},
                    {"params", {{"textDocument", {{"uri", uri}}}}}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  server_lsp s(controlla_uscita);
  std::string flusso =
      cornicia({{"jsonrpc", "2.0"},
                 {"id", 1},
                 {"method", "initialize"},
                 {"params", {{"capabilities", nlohmann::json::object()}}}});
  if (dati[0] % 2 == 0) {
    flusso += resto;
  } else {
    // The editor's text is UTF-8: bytes that are not become U+FFFD first.
    const nlohmann::json testo =
        nlohmann::json::parse(nlohmann::json(resto).dump(
            -1, ' ', false, nlohmann::json::error_handler_t::replace));
    flusso += come_documento(testo.get<std::string>());
  }
  while (!s.finito()) {
    cornice c = estrai_messaggio(flusso);
    if (c.esito == esito_cornice::incompleto) break;
    if (c.esito == esito_cornice::errato) {
      s.cornice_errata();
      continue;
    }
    s.ricevi(c.corpo);
    s.esegui_scadute(orologio::time_point::max());
  }
  return 0;
}
