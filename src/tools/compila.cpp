#include "tools/compila.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>

#include "compiler/memorizza_percorso.h"
#include "platform/cartella_descrizioni.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "tables/metri.h"
#include "tools/esiti.h"
#include "tools/pagina.h"
#include "tools/rapporto.h"

namespace fs = std::filesystem;

namespace {

// The scenario named on the command line, and the author's two descriptions
// read under the compiler's own names. Returns the exit status to end with
// when either cannot be had.
std::optional<int> prepara_ingresso(
    const opzioni_compila& o, scenario& sc,
    std::optional<cartella_descrizioni>& ingresso, std::ostream& errori) {
  const esito_nomi nomi = scenario_da_nomi(o.nome_linea, o.codice_treno, sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  ingresso.emplace(std::vector<cartella_descrizioni::voce>{
      {nome_descrizione_linea(sc), o.linea},
      {nome_descrizione_treno(sc), o.treno}});
  const esito_file caricate = ingresso->carica();
  if (!caricate.ok) return errore_file(caricate, errori);
  return std::nullopt;
}

nlohmann::json luogo_json(const luogo_lettura& luogo,
                          const nomi_descrizioni& nomi) {
  nlohmann::json j;
  if (luogo.fonte == fonte_lettura::scansione) {
    j["cella"] = luogo.cella;
    j["metro"] = metro_della_cella(luogo.cella, aggancio::punto);
    return j;
  }
  j["file"] =
      luogo.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (luogo.riga > 0) j["riga"] = luogo.riga;
  if (!luogo.parola.empty()) j["parola"] = cp1252_a_utf8(luogo.parola);
  return j;
}

nlohmann::json errore_json(const diagnostica& d, const nomi_descrizioni& nomi) {
  if (d.codice_errore == 0) return nullptr;
  nlohmann::json e = luogo_json(d.luogo_errore, nomi);
  e["codice"] = d.codice_errore;
  const codice_diagnostico* voce = cerca_codice(d.codice_errore);
  if (voce != nullptr) {
    e["descrizione"] = cp1252_a_utf8(voce->testo);
    if (voce->con_posizione) e["posizione"] = d.posizione_errore;
  }
  e["messaggio"] = riga_errore(d, nomi);
  return e;
}

void stampa_json(const diagnostica& d, const nomi_descrizioni& nomi, int esito,
                 std::ostream& uscita) {
  nlohmann::json j;
  j["linea"] = nomi.linea;
  j["treno"] = nomi.treno;
  j["errore"] = errore_json(d, nomi);
  j["avvisi"] = nlohmann::json::array();
  for (const avviso& a : d.avvisi) {
    nlohmann::json v = luogo_json(a.luogo, nomi);
    v["testo"] = cp1252_a_utf8(a.testo);
    v["messaggio"] = riga_avviso(a, nomi);
    j["avvisi"].push_back(v);
  }
  j["uscita"] = esito;
  uscita << j.dump(2) << '\n';
}

// The files that a completed compilation wrote, one path a line.
int elenca_scritti(const opzioni_compila& o, const scenario& sc,
                   const tabelle& t, const diagnostica& d,
                   cartella& destinazione, std::ostream& uscita,
                   std::ostream& errori) {
  if (t.planimetria.presente())
    uscita << destinazione.percorso(nome_geometria_linea(sc)) << '\n';
  uscita << destinazione.percorso(nome_tabella_stazioni(sc)) << '\n';
  uscita << destinazione.percorso(nome_tabella_celle(sc)) << '\n';
  if (!o.pagina) return uscita_riuscita;
  const nomi_descrizioni nomi{o.linea, o.treno};
  const std::string errore = d.codice_errore != 0 ? riga_errore(d, nomi) : "";
  const esito_file pagina = scrivi_pagina(sc, t, destinazione, errore);
  if (!pagina.ok) return errore_file(pagina, errori);
  uscita << destinazione.percorso(nome_pagina(sc)) << '\n';
  return uscita_riuscita;
}

}  // namespace

int esegui_compila(const opzioni_compila& o, std::ostream& uscita,
                   std::ostream& errori) {
  std::error_code problema;
  if (!fs::is_directory(o.cartella, problema)) {
    errori << o.cartella << ": cartella di uscita non trovata\n";
    return uscita_errore_file;
  }
  scenario sc;
  std::optional<cartella_descrizioni> ingresso;
  if (auto fine = prepara_ingresso(o, sc, ingresso, errori)) return *fine;
  cartella_reale destinazione(o.cartella);
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, *ingresso, destinazione, !o.senza_piano, t, d);
  const int risultato = concludi(d, esito, {o.linea, o.treno}, errori);
  if (esito.tipo != esito_compilazione::completata) return risultato;
  const int scritti = elenca_scritti(o, sc, t, d, destinazione, uscita, errori);
  return scritti != uscita_riuscita ? scritti : risultato;
}

int esegui_controlla(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori) {
  scenario sc;
  std::optional<cartella_descrizioni> ingresso;
  if (auto fine = prepara_ingresso(o, sc, ingresso, errori)) return *fine;
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      compila_tabelle(sc, *ingresso, /*con_piano=*/true, t, d);
  const nomi_descrizioni nomi{o.linea, o.treno};
  const bool fatale = esito.tipo == esito_compilazione::fatale;
  // Reserved content in cell 1 or record 85: the build would stop with
  // `errore`.
  const int risultato =
      fatale ? uscita_errore_fatale : uscita_della_compilazione(esito, d);
  if (o.json) {
    stampa_json(d, nomi, risultato, uscita);
  } else {
    stampa_rapporto(d, nomi, errori);
  }
  if (fatale) return errore(esito.codice, errori);
  if (!o.json && risultato == uscita_riuscita)
    uscita << "nessun errore, " << conta_avvisi(d.avvisi.size()) << '\n';
  return risultato;
}
