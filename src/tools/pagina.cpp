#include "tools/pagina.h"

#include <cstdio>
#include <sstream>

#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"
#include "tools/esiti.h"
#include "tools/file_scenario.h"
#include "tools/formati.h"
#include "tools/html.h"
#include "tools/pagina_dati.h"
#include "tools/pagina_disegno.h"
#include "tools/rapporto.h"

namespace {

// A station's time, or an em dash when it has none.
std::string ora_o_nessuna(int32_t secondi) {
  if (secondi <= 0) return "\xE2\x80\x94";
  return ora_del_giorno(secondi);
}

void tabella_orario(std::ostream& o, const vista& v) {
  o << "<table "
       "id=\"orario\">\n<tr><th>Record</th><th>Stazione</th><th>Tipo</th>"
       "<th>Posizione (m)</th><th>Area (m)</th>";
  if (con_progressiva(v)) o << "<th>Progressiva (km)</th>";
  o << "<th>Orario</th></tr>\n";
  for (const fermata& f : v.stazioni) {
    const stazione& r = *f.r;
    o << "<tr class=\"stazione\"><td>" << f.record << "</td><td>"
      << testo(r.nome) << "</td><td>" << int{r.tipo}
      << (r.tipo < 25 ? " (fermata)" : "") << "</td><td>" << r.posizione
      << "</td><td>" << r.inizio << " \xE2\x80\x93 " << r.fine << "</td>";
    if (con_progressiva(v))
      o << "<td>" << numero_1(progressiva_km(v, r.posizione)) << "</td>";
    o << "<td>" << ora_o_nessuna(r.orario) << "</td></tr>\n";
  }
  o << "</table>\n";
}

// A file name as a relative address: every byte but letters, digits and
// "-._~" percent-encoded.
std::string indirizzo(const std::string& nome) {
  std::string uscita;
  for (unsigned char c : nome) {
    const bool libero = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                        c == '_' || c == '~';
    if (libero) {
      uscita += static_cast<char>(c);
    } else {
      char codice[4];
      std::snprintf(codice, sizeof codice, "%%%02X", c);
      uscita += codice;
    }
  }
  return uscita;
}

void elenco_documenti(std::ostream& o,
                      const std::vector<std::string>& documenti) {
  if (documenti.empty()) return;
  o << "<h2>Documenti per il macchinista</h2>\n<ul id=\"documenti\">\n";
  for (const std::string& nome : documenti) {
    o << "<li><a href=\"" << indirizzo(nome) << "\">" << xml(nome)
      << "</a></li>\n";
  }
  o << "</ul>\n";
}

}  // namespace

std::string pagina_html(const tabelle& t,
                        const std::optional<std::string>& errore,
                        const std::vector<std::string>& documenti) {
  const vista v = prepara_vista(t);
  std::ostringstream o;
  const std::string titolo = testo(t.stazioni[record_linea].nome) +
                             " \xE2\x80\x94 treno " +
                             testo(t.stazioni[record_nome_treno].nome);
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
       "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"it\" "
       "xml:lang=\"it\">\n<head>\n"
       "<meta charset=\"UTF-8\"/>\n<title>"
    << titolo
    << "</title>\n<style>\nbody{font-family:sans-serif;margin:16px;color:#222}"
       "h1{font-size:22px}h2{font-size:17px;margin-top:24px}"
       "table{border-collapse:collapse;font-size:13px}"
       "td,th{border:1px solid #ccc;padding:3px 8px;text-align:left}"
       "th{background:#eef}.errore{color:#b71c1c;font-weight:bold}.nota{color:#"
       "555}\n"
       "</style>\n</head>\n<body>\n<h1>"
    << titolo << "</h1>\n";
  o << "<p>Percorso di " << v.lunghezza << " m, " << v.stazioni.size()
    << " stazioni, " << v.segnali.size() << " segnali, " << v.indicatori.size()
    << " indicatori di velocit\xC3\xA0 massima, " << v.cartelli.size()
    << " cartelli, " << v.rallentamenti.size() << " rallentamenti, "
    << v.gallerie.size() << " gallerie.</p>\n";
  elenco_documenti(o, documenti);
  o << "<h2>Mappa</h2>\n";
  disegna_mappa(o, t, v);
  o << "<h2>Profili lungo il percorso</h2>\n";
  disegna_profili(o, t, v);
  o << "<h2>Orario</h2>\n";
  tabella_orario(o, v);
  o << "<h2>Errore registrato</h2>\n";
  if (!errore) {
    o << "<p class=\"nota\">Non noto: la pagina \xC3\xA8 costruita dai soli "
         "file binari. "
         "<code>scenario_builder compile --report</code> lo riporta.</p>\n";
  } else if (errore->empty()) {
    o << "<p id=\"errore\">Nessun errore registrato.</p>\n";
  } else {
    o << "<p id=\"errore\" class=\"errore\">" << xml(*errore) << "</p>\n";
  }
  o << "</body>\n</html>\n";
  return o.str();
}

esito_file scrivi_pagina(const scenario& sc, const tabelle& t, cartella& c,
                         const std::optional<std::string>& errore) {
  std::vector<std::string> documenti;
  for (const std::string& nome :
       {nome_scheda_treno(sc), nome_rallentamenti(sc), nome_note(sc)}) {
    if (c.esiste(nome)) documenti.push_back(nome);
  }
  const std::string pagina = pagina_html(t, errore, documenti);
  return sostituisci_file(c, nome_pagina(sc),
                          [&pagina](scrittore_file& uscita) {
                            uscita.scrivi(pagina.data(), pagina.size());
                          });
}

int esegui_pagina(const opzioni_pagina& o, std::ostream& uscita,
                  std::ostream& errori) {
  scenario sc;
  const esito_nomi nomi = scenario_da_nomi(o.nome_linea, o.codice_treno, sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  cartella_reale c(o.cartella);
  tabelle t;
  const int caricato = carica_scenario(c, sc, t, errori);
  if (caricato != uscita_riuscita) return caricato;
  const esito_file scritto = scrivi_pagina(sc, t, c, std::nullopt);
  if (!scritto.ok) return errore_file(scritto, errori);
  uscita << c.percorso(nome_pagina(sc)) << '\n';
  return uscita_riuscita;
}
