// A check after a change: the pair that the changed description belongs to,
// compiled and checked together, and the diagnostics of both files published.
#include <filesystem>

#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/abbinamento.h"
#include "lsp/diagnostiche.h"
#include "lsp/server.h"
#include "platform/cp1252.h"

using json = nlohmann::json;

void server_lsp::controlla(const std::string& uri) {
  const documento d = documenti_.at(uri);
  std::vector<file_aperto> aperti;
  for (const auto& [u, altro] : documenti_)
    aperti.push_back({altro.percorso, altro.ruolo});
  const std::optional<std::string> compagno =
      trova_compagno(d.percorso, d.ruolo, aperti);
  if (!compagno && annunciati_soli_.insert(uri).second) {
    const std::string nome =
        std::filesystem::path(d.percorso).filename().string();
    invia_({{"jsonrpc", "2.0"},
            {"method", "window/showMessage"},
            {"params",
             {{"type", 3},
              {"message",
               sostituisci(traduci("{0}: no description of the other kind "
                                   "goes with it in its folder (L_linea.txt "
                                   "goes with each L_T.txt): it is checked "
                                   "alone"),
                           {nome})}}}});
  }
  if (compagno) annunciati_soli_.erase(uri);
  const std::string altro = compagno.value_or("");
  if (d.ruolo == fonte_lettura::descrizione_treno) {
    verifica_e_pubblica(altro, d.percorso, true, true);
    return;
  }
  verifica_e_pubblica(d.percorso, altro, true, true);
  // Every other open train run of this line is checked against it again.
  for (const file_aperto& a : aperti) {
    if (a.ruolo == fonte_lettura::descrizione_treno && a.percorso != altro &&
        vanno_insieme(d.percorso, a.percorso))
      verifica_e_pubblica(d.percorso, a.percorso, false, true);
  }
}

void server_lsp::verifica_e_pubblica(const std::string& linea,
                                     const std::string& treno,
                                     bool pubblica_linea, bool pubblica_treno) {
  const testo_da_controllare testi[2] = {testo_per(linea), testo_per(treno)};
  const esito_verifica v = verifica_coppia(testi[0], testi[1], ricompilazioni_);
  file_della_coppia file[2];
  for (int i = 0; i < 2; ++i) {
    const std::string& percorso = i == 0 ? linea : treno;
    if (percorso.empty()) continue;
    file[i].uri = uri_da_percorso(percorso);
    file[i].testo =
        testi[i].dall_editor ? testi[i].testo : cp1252_a_utf8(testi[i].testo);
  }
  for (auto [percorso, fonte, si] :
       {std::tuple{&linea, fonte_lettura::descrizione_linea, pubblica_linea},
        std::tuple{&treno, fonte_lettura::descrizione_treno, pubblica_treno}}) {
    const documento* d = percorso->empty() ? nullptr : per_percorso(*percorso);
    if (d == nullptr) continue;
    compilate_[d->uri] = v.compilate;
    if (!si) continue;
    pubblica(*d, diagnostiche_del_file(v, fonte, file, unita_));
    // Checked with the pair: no need to check it again for itself.
    attese_.erase(d->uri);
  }
}
