// A language server driven in the tests: messages in, every message it sent
// kept; and the subset match of transcript tests (an expected object's keys
// must be there with matching values, arrays element by element).
#ifndef TESTS_LSP_SESSIONE_H_
#define TESTS_LSP_SESSIONE_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lsp/server.h"

struct sessione_lsp {
  std::vector<nlohmann::json> uscite;
  server_lsp server{[this](const nlohmann::json& m) { uscite.push_back(m); }};

  // Sends a message and lets every waiting check run, as if the typing had
  // paused.
  void invia(const nlohmann::json& m) {
    server.ricevi(m.dump());
    server.esegui_scadute(orologio::time_point::max());
  }
  void inizia(const nlohmann::json& capacita = nlohmann::json::object());
  void apri(const std::string& percorso, const std::string& testo_utf8);
  // The last diagnostics published for a file.
  nlohmann::json diagnostiche(const std::string& percorso) const;
  // The answer to request `id`.
  nlohmann::json risposta(int id) const;
};

bool contiene(const nlohmann::json& reale, const nlohmann::json& atteso);

#endif  // TESTS_LSP_SESSIONE_H_
