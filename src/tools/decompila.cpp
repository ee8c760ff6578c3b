#include "tools/decompila.h"

#include <cmath>
#include <filesystem>
#include <optional>

#include "core/scrittura_testo.h"
#include "decompiler/decompila.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "tables/campi.h"
#include "tables/metri.h"
#include "tools/esiti.h"
#include "tools/file_scenario.h"
#include "tools/rapporto.h"

namespace fs = std::filesystem;

namespace {

// The three files must agree on the route: the cells and the plan have the
// sizes that the route length of the station table gives. A minimal check of
// this command's own; the message names the file that disagrees.
std::optional<esito_file> misure_discordi(const tabelle& t, const scenario& sc,
                                          const cartella& c) {
  const int64_t lunghezza = dati_generali(t.stazioni).lunghezza_percorso();
  const int64_t metri = lunghezza + 7000;
  const auto celle = static_cast<int64_t>(std::nearbyint(
                         static_cast<double>(metri) / metri_per_cella)) +
                     1;
  const std::string percorso = std::to_string(lunghezza) + " m in " +
                               c.percorso(nome_tabella_stazioni(sc));
  if (static_cast<int64_t>(t.celle.size()) != celle) {
    return esito_file::fallito(c.percorso(nome_tabella_celle(sc)),
                               std::to_string(t.celle.size()) +
                                   " celle, ma il percorso di " + percorso +
                                   " ne vuole " + std::to_string(celle));
  }
  if (t.planimetria.presente() && t.planimetria.ultimo_metro() != metri) {
    return esito_file::fallito(
        c.percorso(nome_geometria_linea(sc)),
        "piano fino al metro " + std::to_string(t.planimetria.ultimo_metro()) +
            ", ma il percorso di " + percorso + " lo vuole fino al metro " +
            std::to_string(metri));
  }
  return std::nullopt;
}

// "path: cella 61 (3000 m): what was found; riga più vicina: the line".
std::string riga_inspiegata(const voce_inspiegata& v, const scenario& sc,
                            const cartella& c) {
  std::string riga;
  switch (v.dove) {
    case voce_inspiegata::tabella::celle:
      riga = c.percorso(nome_tabella_celle(sc)) + ": ";
      if (v.indice >= 0)
        riga += "cella " + std::to_string(v.indice) + " (" +
                std::to_string(metro_della_cella(v.indice, aggancio::punto)) +
                " m): ";
      break;
    case voce_inspiegata::tabella::stazioni:
      riga = c.percorso(nome_tabella_stazioni(sc)) + ": ";
      if (v.indice >= 0) riga += "record " + std::to_string(v.indice) + ": ";
      break;
    case voce_inspiegata::tabella::piano:
      riga = c.percorso(nome_geometria_linea(sc)) + ": ";
      if (v.indice >= 0) riga += "metro " + std::to_string(v.indice) + ": ";
      break;
  }
  riga += cp1252_a_utf8(v.trovato);
  if (!v.piu_vicina.empty())
    riga += "; riga pi\u00f9 vicina: " + cp1252_a_utf8(v.piu_vicina);
  return riga;
}

// Both descriptions, or neither: a file already there is replaced only when
// asked.
int scrivi_descrizioni(const opzioni_decompila& o, const scenario& sc,
                       const esito_decompilazione& d, std::ostream& uscita,
                       std::ostream& errori) {
  cartella_reale destinazione(o.uscita);
  const std::pair<std::string, const std::vector<std::string>*> file[] = {
      {nome_descrizione_linea(sc), &d.righe_linea},
      {nome_descrizione_treno(sc), &d.righe_treno}};
  for (const auto& [nome, righe] : file) {
    if (!o.sostituisci && destinazione.esiste(nome))
      return errore_file(
          esito_file::fallito(destinazione.percorso(nome),
                              "esiste gi\u00e0 (--force per sostituirlo)"),
          errori);
  }
  for (const auto& [nome, righe] : file) {
    const esito_file scritto = scrivi_file_testo(destinazione, nome, *righe);
    if (!scritto.ok) return errore_file(scritto, errori);
    uscita << destinazione.percorso(nome) << '\n';
  }
  return uscita_riuscita;
}

// How to compile the descriptions back into the same files: the names held in
// the files give the competition codes, and a scenario without its plan is
// compiled without one.
void come_ricompilare(const opzioni_decompila& o, const esito_decompilazione& d,
                      std::ostream& uscita) {
  const std::string linea = cp1252_a_utf8(d.nome_linea);
  const std::string treno = cp1252_a_utf8(d.nome_treno);
  if (linea != o.nome_linea || treno != o.codice_treno) {
    uscita << "i file portano i nomi \"" << linea << "\" e \"" << treno
           << "\": compilare con --line-name e --train-code uguali\n";
  }
  if (!d.con_piano)
    uscita << "senza il file del piano: compilare con --no-plan\n";
}

}  // namespace

int esegui_decompila(const opzioni_decompila& o, std::ostream& uscita,
                     std::ostream& errori) {
  std::error_code problema;
  if (!fs::is_directory(o.uscita, problema)) {
    errori << o.uscita << ": cartella di uscita non trovata\n";
    return uscita_errore_file;
  }
  scenario sc;
  const esito_nomi nomi = scenario_da_nomi(o.nome_linea, o.codice_treno, sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  cartella_reale ingresso(o.cartella);
  tabelle t;
  const int caricato = carica_scenario(ingresso, sc, t, errori);
  if (caricato != uscita_riuscita) return caricato;
  if (const auto discorde = misure_discordi(t, sc, ingresso))
    return errore_file(*discorde, errori);
  const esito_decompilazione d = decompila(
      t.celle, t.stazioni, t.planimetria.presente() ? &t.planimetria : nullptr);
  const int scritte = scrivi_descrizioni(o, sc, d, uscita, errori);
  if (scritte != uscita_riuscita) return scritte;
  come_ricompilare(o, d, uscita);
  for (const voce_inspiegata& v : d.inspiegate)
    errori << riga_inspiegata(v, sc, ingresso) << '\n';
  if (d.inspiegate.empty()) return uscita_riuscita;
  errori << d.inspiegate.size()
         << (d.inspiegate.size() == 1 ? " voce" : " voci")
         << " che nessuna descrizione spiega\n";
  return uscita_errore_registrato;
}
