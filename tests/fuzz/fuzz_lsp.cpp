// Arbitrary bytes as the language server's input stream after initialize (first
// byte even), or as the text of a description opened and then changed (odd):
// no input may make the server fault, loop or send anything but JSON-RPC. A
// document's own diagnostics are then sent back for their quick fixes, and
// each of the first few is hovered at its start.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lsp/server.h"
#include "lsp/trasporto.h"
#include "ricompilazioni.h"

namespace {

// The most messages one input hands to the server at a time, and so the most
// diagnostics sent back for their fixes and hovers (with the request for the
// fixes, one delivery): the first ones published, each a JSON object built,
// printed and parsed again. Each change of a document is checked again (a
// compilation) and each hover looks the document up: without a bound the
// fuzzer's corpus soon keeps inputs of a dozen messages or more, which cost
// many times what a short one does, and the rate of a run fell from ~750 to
// ~250 inputs a second as they came. What one message can do, any number of
// them in a row can do too; a longer series is the tests' to run.
constexpr int messaggi_massimi = 8;
constexpr std::size_t diagnostiche_massime = messaggi_massimi - 1;

void controlla_uscita(const nlohmann::json& m) {
  if (!m.is_object() || m.value("jsonrpc", "") != "2.0") std::abort();
}

std::string cornicia(const nlohmann::json& m) { return incornicia(m.dump()); }

const char* const uri_documento = "file:///nessuna_cartella/F_T.txt";

// The quick fixes of the diagnostics published last, and a hover at each.
std::string correzioni(const nlohmann::json& diagnostiche) {
  std::string r = cornicia(
      {{"jsonrpc", "2.0"},
       {"id", 4},
       {"method", "textDocument/codeAction"},
       {"params",
        {{"textDocument", {{"uri", uri_documento}}},
         {"range", {{"start", {{"line", 0}, {"character", 0}}},
                    {"end", {{"line", 0}, {"character", 0}}}}},
         {"context", {{"diagnostics", diagnostiche}}}}}});
  for (const nlohmann::json& d : diagnostiche)
    r += cornicia({{"jsonrpc", "2.0"},
                   {"id", 5},
                   {"method", "textDocument/hover"},
                   {"params",
                    {{"textDocument", {{"uri", uri_documento}}},
                     {"position", d["range"]["start"]}}}});
  return r;
}

std::string come_documento(const std::string& testo) {
  const std::string uri = uri_documento;
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

void consegna(std::string& flusso, server_lsp& s) {
  for (int n = 0; n < messaggi_massimi && !s.finito(); ++n) {
    cornice c = estrai_messaggio(flusso);
    if (c.esito == esito_cornice::incompleto) break;
    if (c.esito == esito_cornice::errato) {
      s.cornice_errata();
      continue;
    }
    s.ricevi(c.corpo);
    s.esegui_scadute(orologio::time_point::max());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  std::string resto(reinterpret_cast<const char*>(dati + 1), quanti - 1);
  nlohmann::json diagnostiche;
  server_lsp s([&diagnostiche](const nlohmann::json& m) {
    controlla_uscita(m);
    if (m.value("method", "") != "textDocument/publishDiagnostics") return;
    const nlohmann::json& tutte = m["params"]["diagnostics"];
    diagnostiche = nlohmann::json::array();
    for (std::size_t i = 0; i < tutte.size() && i < diagnostiche_massime; ++i)
      diagnostiche.push_back(tutte[i]);
  });
  // No compilation again without the faulty lines: forty, as each check of
  // the server makes, would cost up to forty compilations a change.
  s.limita_ricompilazioni(ricompilazioni_fuzz);
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
  consegna(flusso, s);
  if (dati[0] % 2 == 1 && diagnostiche.is_array()) {
    flusso = correzioni(diagnostiche);
    consegna(flusso, s);
  }
  return 0;
}
