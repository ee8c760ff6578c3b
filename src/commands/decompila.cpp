#include "commands/decompila.h"

#include <cmath>
#include <optional>

#include "core/scrittura_testo.h"
#include "decompiler/decompila.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "platform/sostituzione.h"
#include "tables/campi.h"
#include "tables/metri.h"
#include "cli/esiti.h"
#include "cli/file_scenario.h"
#include "cli/lingua.h"
#include "cli/messaggi.h"
#include "cli/percorsi.h"
#include "cli/rapporto.h"

namespace {

// "path: cell 61 (3000 m): what was found; nearest line: the line".
std::string riga_inspiegata(
    const voce_inspiegata& v, const scenario& sc,
    const std::function<std::string(const std::string&)>& nome_file) {
  std::string riga;
  switch (v.dove) {
    case voce_inspiegata::tabella::celle:
      riga = nome_file(nome_tabella_celle(sc)) + ": ";
      if (v.indice >= 0)
        riga += messaggi::luogo_cella(
                    v.indice, metro_della_cella(v.indice, aggancio::punto)) +
                ": ";
      break;
    case voce_inspiegata::tabella::stazioni:
      riga = nome_file(nome_tabella_stazioni(sc)) + ": ";
      if (v.indice >= 0) riga += messaggi::luogo_record(v.indice) + ": ";
      break;
    case voce_inspiegata::tabella::piano:
      riga = nome_file(nome_geometria_linea(sc)) + ": ";
      if (v.indice >= 0) riga += messaggi::luogo_metro(v.indice) + ": ";
      break;
  }
  riga += testo_di(v.trovato);
  const std::string piu_vicina = testo_di(v.piu_vicina);
  if (!piu_vicina.empty()) riga += "; " + messaggi::riga_piu_vicina(piu_vicina);
  return riga;
}

// Both descriptions, or neither: a file already there is replaced only when
// asked, and otherwise each one there is named.
int scrivi_descrizioni(const opzioni_decompila& o, const scenario& sc,
                       const esito_decompilazione& d, std::ostream& uscita,
                       std::ostream& errori) {
  cartella_reale destinazione(o.uscita);
  destinazione.imposta_attesa(attesa_con_avviso(o.attesa_blocco, errori));
  const std::pair<std::string, const std::vector<std::string>*> file[] = {
      {nome_descrizione_linea(sc), &d.righe_linea},
      {nome_descrizione_treno(sc), &d.righe_treno}};
  const cartella_reale ingresso(o.cartella);
  if (auto fine = rifiuta_ingresso_in_uscita(
          {ingresso.percorso(nome_geometria_linea(sc)),
           ingresso.percorso(nome_tabella_stazioni(sc)),
           ingresso.percorso(nome_tabella_celle(sc))},
          {destinazione.percorso(file[0].first),
           destinazione.percorso(file[1].first)},
          errori))
    return *fine;
  bool liberi = true;
  for (const auto& [nome, righe] : file) {
    if (o.sostituisci || !destinazione.esiste(nome)) continue;
    errori << messaggi::file_esistente(destinazione.percorso(nome)) << '\n';
    liberi = false;
  }
  if (!liberi) {
    errori << messaggi::nessuna_descrizione_scritta() << '\n';
    return uscita_errore_file;
  }
  // The two are one set: both replace the older ones, or neither does.
  insieme_sostituzioni insieme(destinazione);
  for (const auto& [nome, righe] : file) {
    const esito_file scritto = prepara_file_testo(insieme, nome, *righe);
    if (!scritto.ok) return errore_file(scritto, errori);
  }
  for (const auto& [nome, righe] : file)
    uscita << destinazione.percorso(nome) << '\n';
  if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
  const esito_file pubblicati = insieme.pubblica();
  if (!pubblicati.ok) return errore_file(pubblicati, errori);
  return uscita_riuscita;
}

// How to compile the descriptions back into the same files: the names held in
// the files give the competition codes, and a scenario without its plan is
// compiled without one.
void come_ricompilare(const opzioni_decompila& o, const esito_decompilazione& d,
                      std::ostream& uscita) {
  const std::string linea = cp1252_a_utf8(d.nome_linea);
  const std::string treno = cp1252_a_utf8(d.nome_treno);
  if (linea != o.nome_linea || treno != o.codice_treno)
    uscita << messaggi::nomi_dei_file(linea, treno) << '\n';
  if (!d.con_piano) uscita << messaggi::compilare_senza_piano() << '\n';
}

}  // namespace

int esegui_decompila(const opzioni_decompila& o, std::ostream& uscita,
                     std::ostream& errori) {
  cartella_reale ingresso(o.cartella);
  scenario sc;
  tabelle t;
  {
    // The files are read as one run's set: a compile waits meanwhile.
    lettura_cartella lettura;
    if (auto fine = tieni_in_lettura(ingresso, o.cartella, o.attesa_blocco,
                                     lettura, errori))
      return *fine;
    const int caricato = carica_scenario_nominato(o.nome_linea, o.codice_treno,
                                                  ingresso, sc, t, errori);
    if (caricato != uscita_riuscita) return caricato;
  }
  if (auto fine = prepara_cartella(o.uscita, errori)) return *fine;
  const esito_decompilazione d = decompila(
      t.celle, t.stazioni, t.planimetria.presente() ? &t.planimetria : nullptr);
  const int scritte = scrivi_descrizioni(o, sc, d, uscita, errori);
  if (scritte != uscita_riuscita) return scritte;
  come_ricompilare(o, d, uscita);
  const auto percorso = [&ingresso](const std::string& nome) {
    return ingresso.percorso(nome);
  };
  for (const voce_inspiegata& v : d.inspiegate)
    errori << riga_inspiegata(v, sc, percorso) << '\n';
  if (d.inspiegate.empty()) return uscita_riuscita;
  errori << messaggi::voci_inspiegate(d.inspiegate.size()) << '\n';
  return uscita_errore_registrato;
}

std::vector<std::string> contenuto_inspiegato(
    const tabelle& t, const scenario& sc,
    const std::function<std::string(const std::string&)>& nome_file) {
  const esito_decompilazione d = decompila(
      t.celle, t.stazioni, t.planimetria.presente() ? &t.planimetria : nullptr);
  std::vector<std::string> righe;
  for (const voce_inspiegata& v : d.inspiegate)
    righe.push_back(riga_inspiegata(v, sc, nome_file));
  return righe;
}
