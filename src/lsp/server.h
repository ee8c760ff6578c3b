// The language server's state and its answer to each message: the open
// documents, the checks waiting for their moment (a change is checked once
// the typing pauses), the agreed position unit. Everything it sends goes
// through `invia`; it writes no file.
#ifndef LSP_SERVER_H_
#define LSP_SERVER_H_

#include <chrono>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>

#include "lsp/documento.h"
#include "lsp/verifica.h"

using orologio = std::chrono::steady_clock;

// A formatter of a whole description (UTF-8 in, UTF-8 out; nothing when the
// text cannot be formatted), for textDocument/formatting when one is given.
using formattatore =
    std::function<std::optional<std::string>(const std::string&)>;

// How long a change waits for the next one before it is checked.
inline constexpr std::chrono::milliseconds attesa_modifica{150};

class server_lsp {
 public:
  using invio = std::function<void(const nlohmann::json&)>;
  explicit server_lsp(invio invia, formattatore formatta = {},
                      std::chrono::milliseconds attesa = attesa_modifica);

  // One message's body, as it came; a body that is not JSON-RPC gets an
  // error answer.
  void ricevi(std::string_view corpo);
  // A frame whose header could not be read.
  void cornice_errata();
  // The moment the next check waits for, if one waits.
  std::optional<orologio::time_point> prossima_scadenza() const;
  // Runs every check whose moment has come by `ora`.
  void esegui_scadute(orologio::time_point ora);

  // How many times each check compiles again without the lines of the
  // faults found so far (as `check`, 40 unless told): the fuzzer bounds it,
  // so that an input costs a compilation or two, not forty.
  void limita_ricompilazioni(int n) { ricompilazioni_ = n; }

  bool finito() const { return finito_; }
  // The exit status: 0 after shutdown then exit, 1 otherwise.
  int uscita() const { return chiuso_ ? 0 : 1; }

 private:
  void richiesta(const nlohmann::json& m);
  void notifica(const nlohmann::json& m);
  nlohmann::json rispondi(const std::string& metodo, const nlohmann::json& p);
  nlohmann::json inizializza(const nlohmann::json& p);
  void apri(const nlohmann::json& p);
  void modifica(const nlohmann::json& p);
  void chiudi(const nlohmann::json& p);
  void controlla(const std::string& uri);
  void verifica_e_pubblica(const std::string& linea, const std::string& treno,
                           bool pubblica_linea, bool pubblica_treno);
  testo_da_controllare testo_per(const std::string& percorso) const;
  const documento* per_percorso(const std::string& percorso) const;
  void pubblica(const documento& d, nlohmann::json diagnostiche);
  void errore(const nlohmann::json& id, int codice, const std::string& testo);
  const documento& documento_di(const nlohmann::json& p) const;
  nlohmann::json definizione(const nlohmann::json& p) const;

  invio invia_;
  std::chrono::milliseconds attesa_;
  formattatore formatta_;
  std::map<std::string, documento> documenti_;  // by URI
  std::map<std::string, orologio::time_point> attese_;
  std::set<std::string> annunciati_soli_;
  // The diagnostics last published for each open document: go to definition
  // follows their pointers to the item in an occupied cell.
  std::map<std::string, nlohmann::json> pubblicate_;
  // The tables of the last check of each open document's pair, for the
  // hover.
  std::map<std::string, tabelle_compilate> compilate_;
  unita_posizione unita_ = unita_posizione::utf16;
  int ricompilazioni_ = ricompilazioni_predefinite;
  bool inizializzato_ = false;
  bool chiuso_ = false;
  bool finito_ = false;
};

#endif  // LSP_SERVER_H_
