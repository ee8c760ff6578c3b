#include "commands/compila.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <utility>

#include "compiler/memorizza_percorso.h"
#include "compiler/uscita_binaria.h"
#include "cli/coerenza.h"
#include "tables/piano_su_file.h"
#include "platform/cartella_descrizioni.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "platform/sostituzione.h"
#include "cli/esiti.h"
#include "cli/lingua.h"
#include "page/pagina.h"
#include "page/pagina_problemi.h"
#include "cli/percorsi.h"
#include "cli/rapporto.h"
#include "validation/controllo.h"

namespace {


// The author's two descriptions, when the caller holds them already.
using testi_dati = std::optional<std::pair<std::string, std::string>>;

// The scenario named on the command line and the author's two descriptions,
// read (or taken from `dati`) and converted when asked. Returns the exit
// status to end with when either cannot be had.
std::optional<int> prepara_ingresso(
    const opzioni_compila& o, compilazione_controllata& c,
    std::optional<cartella_descrizioni>& ingresso, std::ostream& errori,
    testi_dati dati = std::nullopt) {
  const esito_nomi nomi = scenario_da_nomi(o.nome_linea, o.codice_treno, c.sc);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  const std::string linea = nome_descrizione_linea(c.sc);
  const std::string treno = nome_descrizione_treno(c.sc);
  ingresso.emplace(std::vector<cartella_descrizioni::voce>{{linea, o.linea},
                                                           {treno, o.treno}});
  const esito_file caricate =
      dati ? esito_file::riuscito() : ingresso->carica();
  if (dati)
    ingresso->carica_testi({std::move(dati->first), std::move(dati->second)});
  if (!caricate.ok) {
    c.esito.tipo = esito_compilazione::guasto_file;
    c.esito.file = caricate;
    return errore_file(caricate, errori);
  }
  // The checks view the folder's bytes; only a conversion keeps the
  // originals aside.
  c.ingresso.grezzi = {*ingresso->contenuto(linea),
                       *ingresso->contenuto(treno)};
  c.ingresso.convertiti_da_utf8 = o.da_utf8;
  c.ingresso.con_piano = !o.senza_piano;
  c.ingresso.ricompilazioni_massime = o.ricompilazioni;
  if (o.da_utf8) {
    c.grezzi_linea = *ingresso->contenuto(linea);
    c.grezzi_treno = *ingresso->contenuto(treno);
    c.ingresso.grezzi = {c.grezzi_linea, c.grezzi_treno};
    for (auto [nome, fonte] :
         {std::pair{linea, fonte_lettura::descrizione_linea},
          std::pair{treno, fonte_lettura::descrizione_treno}}) {
      if (auto p = da_utf8(*ingresso->contenuto(nome), fonte))
        c.problemi.push_back(std::move(*p));
    }
  }
  c.ingresso.testi = {*ingresso->contenuto(linea), *ingresso->contenuto(treno)};
  return std::nullopt;
}

// Compiles and checks. A description that could not be converted is not
// compiled.
void compila_e_controlla(compilazione_controllata& c, cartella& ingresso) {
  if (!c.problemi.empty()) {
    c.esito.tipo = esito_compilazione::senza_tabella;
  } else {
    c.esito = compila_tabelle(c.sc, ingresso, c.ingresso.con_piano, c.t, c.d);
    if (c.esito.tipo != esito_compilazione::guasto_file)
      c.problemi = controlla_descrizioni(c.ingresso, c.t, c.d, c.esito);
  }
  // The views end with the folder that holds their bytes.
  c.ingresso.grezzi = c.ingresso.testi = {};
}

}  // namespace

int uscita_del_controllo(const compilazione_controllata& c, bool rigoroso) {
  if (c.esito.tipo == esito_compilazione::fatale) return uscita_errore_fatale;
  const bool errori = conta(c.problemi, gravita::errore) > 0;
  const bool avvisi = conta(c.problemi, gravita::avviso) > 0;
  if (errori || c.d.codice_errore != 0 || (rigoroso && avvisi) ||
      c.esito.tipo == esito_compilazione::senza_tabella) {
    return uscita_errore_registrato;
  }
  return uscita_riuscita;
}

namespace {

std::string nome_file(fonte_lettura fonte, const nomi_descrizioni& nomi) {
  return fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
}

nlohmann::ordered_json problema_json(const problema& p,
                                     const nomi_descrizioni& nomi) {
  nlohmann::ordered_json j;
  j["file"] = nome_file(p.fonte, nomi);
  j["riga"] = p.riga;
  j["colonna"] = p.colonna;
  j["gravita"] = p.g == gravita::errore ? "errore" : "avviso";
  j["codice"] = p.codice;
  j["parola"] = cp1252_a_utf8(p.parola);
  j["messaggio"] = testo_di(p.testo);
  j["suggerimento"] = cp1252_a_utf8(p.suggerimento);
  if (p.metro) j["metro"] = *p.metro;
  j["registrato"] = p.registrato;
  j["riga_intera"] = riga_problema(p, nomi);
  if (p.non_letto) j["non_letto"] = testo_di(*p.non_letto);
  return j;
}

// The fault as the compiler keeps it: the code and the position of the
// record, or the fatal code that stopped the build; null when there is none.
nlohmann::ordered_json registro_json(const compilazione_controllata& c,
                                     const nomi_descrizioni& nomi) {
  if (c.esito.tipo == esito_compilazione::fatale)
    return {{"codice", std::stoi(c.esito.codice)}, {"fatale", true}};
  if (c.d.codice_errore == 0) return nullptr;
  nlohmann::ordered_json j;
  j["codice"] = c.d.codice_errore;
  j["posizione"] = c.d.posizione_errore;
  const codice_diagnostico* voce = cerca_codice(c.d.codice_errore);
  if (voce != nullptr)
    j["descrizione"] = traduci(std::string(voce->testo).c_str());
  j["messaggio"] = riga_errore(c.d, nomi);
  return j;
}

// A description that could not be read, in the shape of a problem: the
// path and the reason, as the line on standard error gives them.
nlohmann::ordered_json file_json(const esito_file& f) {
  const std::string motivo = motivo_del_file(f);
  return {{"file", f.percorso},
          {"riga", 0},
          {"colonna", 0},
          {"gravita", "errore"},
          {"codice", 0},
          {"parola", ""},
          {"messaggio", motivo},
          {"suggerimento", ""},
          {"registrato", false},
          {"riga_intera", visibile(f.percorso) + ": " + motivo}};
}

void stampa_json(const compilazione_controllata& c,
                 const nomi_descrizioni& nomi, int esito,
                 std::ostream& uscita) {
  nlohmann::ordered_json j;
  j["linea"] = nomi.linea;
  j["treno"] = nomi.treno;
  j["registro"] = registro_json(c, nomi);
  j["problemi"] = nlohmann::ordered_json::array();
  const bool illeggibile = c.esito.tipo == esito_compilazione::guasto_file;
  if (illeggibile) j["problemi"].push_back(file_json(c.esito.file));
  for (std::size_t i : problemi_da_mostrare(c.problemi))
    j["problemi"].push_back(problema_json(c.problemi[i], nomi));
  if (c.problemi.size() > problemi_mostrati)
    j["problemi_omessi"] = problemi_non_mostrati(c.problemi);
  j["errori"] = conta(c.problemi, gravita::errore) + (illeggibile ? 1 : 0);
  j["avvisi"] = conta(c.problemi, gravita::avviso);
  j["uscita"] = esito;
  // A path or a description need not be UTF-8: what is not becomes U+FFFD,
  // and the document stays valid.
  uscita << j.dump(2, ' ', false,
                   nlohmann::ordered_json::error_handler_t::replace)
         << '\n';
}

// The names of the files that a completed compilation writes; the documents,
// when asked, go before the page, which links them.
std::vector<std::string> nomi_scritti(const opzioni_compila& o,
                                      const compilazione_controllata& c,
                                      bool con_documenti) {
  std::vector<std::string> nomi;
  if (c.t.piano.presente()) nomi.push_back(nome_geometria_linea(c.sc));
  nomi.push_back(nome_tabella_stazioni(c.sc));
  nomi.push_back(nome_tabella_celle(c.sc));
  if (con_documenti) {
    for (const std::string& nome : nomi_documenti(c.sc)) nomi.push_back(nome);
  }
  if (o.pagina) nomi.push_back(nome_pagina(c.sc));
  return nomi;
}

// The files that a completed compilation wrote, one path a line.
void elenca_scritti(const opzioni_compila& o, const compilazione_controllata& c,
                    bool con_documenti, const cartella& destinazione,
                    std::ostream& uscita) {
  for (const std::string& nome : nomi_scritti(o, c, con_documenti))
    uscita << destinazione.percorso(nome) << '\n';
}

// A description that is one of the files this run would replace (by its path
// or another name of the same file) is refused before anything is written: the
// set would put the compiled bytes in place of the author's own text.
std::optional<int> rifiuta_descrizione_in_uscita(
    const opzioni_compila& o, const compilazione_controllata& c,
    bool con_documenti, const cartella& destinazione, std::ostream& errori) {
  for (const std::string& nome : nomi_scritti(o, c, con_documenti)) {
    const std::string scritto = destinazione.percorso(nome);
    for (const std::string& letto : {o.linea, o.treno}) {
      if (!sostituirebbe(scritto, letto)) continue;
      errori << sostituisci(traduci("{0}: a description that this run would "
                                    "replace with {1}; write the files "
                                    "elsewhere with --out"),
                            {visibile(letto), nome})
             << '\n';
      return uscita_uso_errato;
    }
  }
  return std::nullopt;
}

// Without a plan of its own (--no-plan), a run that left an older plan beside
// its new tables would leave files that do not fit together when that plan
// is another route's: such a plan is removed with the set. One that cannot be
// read or decoded fits nothing either.
bool piano_da_togliere(const compilazione_controllata& c,
                       cartella& destinazione) {
  const std::string nome = nome_geometria_linea(c.sc);
  if (c.t.piano.presente() || !destinazione.esiste(nome)) return false;
  std::unique_ptr<lettore_file> lettore;
  if (!destinazione.apri(nome, lettore).ok) return true;
  coordinate_piano piano;
  errore_decodifica e;
  if (!decodifica_piano(std::move(lettore), piano, e)) return true;
  return controlla_insieme({&c.t.stazioni, &c.t.celle, &piano}).has_value();
}

// The binary files and, when asked, the documents and the report page,
// prepared as one set in `insieme`; an older plan that does not fit them is
// removed with it, and the user told so on `errori`.
esito_file prepara_insieme(const opzioni_compila& o,
                           const compilazione_controllata& c,
                           const std::optional<opzioni_documenti>& documenti,
                           insieme_sostituzioni& insieme, std::ostream& errori) {
  esito_file esito = prepara_file_binari(c.sc, c.t, insieme);
  if (esito.ok && documenti)
    esito = prepara_documenti_autore(c.sc, c.t, *documenti, insieme);
  if (esito.ok && o.pagina) {
    esito = prepara_pagina(
        c.sc, c.t, insieme,
        problemi_per_la_pagina(c.problemi, c.d, {o.linea, o.treno}));
  }
  if (esito.ok && piano_da_togliere(c, insieme.destinazione())) {
    const std::string nome = nome_geometria_linea(c.sc);
    insieme.togli(nome);
    errori << sostituisci(traduci("{0}: removed: an older plan that does not "
                                  "fit the new files (--no-plan)"),
                          {visibile(insieme.destinazione().percorso(nome))})
           << '\n';
  }
  return esito;
}

// Before anything is compiled: the descriptions and the scenario's names, then
// the documents' options when asked. The exit status to end with when one
// cannot be had.
std::optional<int> prepara_scrittura(
    const opzioni_compila& o, bool con_documenti, compilazione_controllata& c,
    std::optional<cartella_descrizioni>& ingresso,
    std::optional<opzioni_documenti>& documenti, std::ostream& errori) {
  if (auto fine = prepara_ingresso(o, c, ingresso, errori)) return fine;
  if (!con_documenti) return std::nullopt;
  return prepara_documenti(o.richiesta, c.sc, cartella_reale(o.cartella),
                           {o.linea, o.treno}, documenti.emplace(), errori);
}

// Compiles, checks and prints every problem. The exit status to end with when
// nothing may be written (a fatal stop, no table, --strict with problems);
// else `risultato` is the status that the run ends with once its files are
// written.
std::optional<int> compila_e_riporta(const opzioni_compila& o,
                                     compilazione_controllata& c,
                                     cartella& ingresso, int& risultato,
                                     std::ostream& errori) {
  compila_e_controlla(c, ingresso);
  // A description that the disk failed to give back: nothing to report on.
  if (c.esito.tipo == esito_compilazione::guasto_file)
    return errore_file(c.esito.file, errori);
  stampa_problemi(c.problemi, {o.linea, o.treno}, errori);
  risultato = uscita_del_controllo(c, o.rigoroso);
  if (c.esito.tipo == esito_compilazione::fatale)
    return errore(c.esito.codice, errori);
  if (c.esito.tipo != esito_compilazione::completata) return risultato;
  if (o.rigoroso && !c.problemi.empty()) {
    errori << traduci("no file written (--strict)") << '\n';
    return uscita_errore_registrato;
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> compila_in_memoria(const opzioni_compila& o,
                                      compilazione_controllata& c,
                                      std::ostream& errori) {
  std::optional<cartella_descrizioni> ingresso;
  if (auto fine = prepara_ingresso(o, c, ingresso, errori)) return fine;
  compila_e_controlla(c, *ingresso);
  if (c.esito.tipo == esito_compilazione::guasto_file)
    return errore_file(c.esito.file, errori);
  return std::nullopt;
}

esito_file scrivi_compilazione(const opzioni_compila& o,
                               const compilazione_controllata& c,
                               cartella& destinazione) {
  insieme_sostituzioni insieme(destinazione);
  // watch always builds the plan: no older one is ever removed to be told.
  std::ostringstream nessuno;
  const esito_file esito =
      prepara_insieme(o, c, std::nullopt, insieme, nessuno);
  if (!esito.ok) return esito;
  return insieme.pubblica();
}

// A description in UTF-8 turned into Windows-1252; a letter the code page
// cannot hold is a problem at its line and column.
std::optional<problema> da_utf8(std::string& testo, fonte_lettura fonte) {
  if (testo.rfind("\xEF\xBB\xBF", 0) == 0) testo.erase(0, 3);
  std::string convertito;
  std::size_t dove;
  char32_t codice;
  if (utf8_a_cp1252(testo, convertito, dove, codice)) {
    testo = std::move(convertito);
    return std::nullopt;
  }
  problema p;
  p.fonte = fonte;
  p.riga =
      1 + static_cast<int>(std::count(
              testo.begin(), testo.begin() + static_cast<long>(dove), '\n'));
  const std::size_t a_capo = testo.rfind('\n', dove);
  p.colonna =
      static_cast<int>(dove - (a_capo == std::string::npos ? 0 : a_capo + 1)) +
      1;
  char nome[16];
  std::snprintf(nome, sizeof nome, "U+%04X", static_cast<unsigned>(codice));
  p.testo = codice == 0
                ? messaggio{N_("the file is not valid UTF-8 at this point")}
                : messaggio{N_("the letter {0} does not exist in "
                               "Windows-1252: the compiler cannot write it"),
                            {nome}};
  return p;
}

int esegui_compila(const opzioni_compila& o, std::ostream& uscita,
                   std::ostream& errori) {
  compilazione_controllata c;
  std::optional<cartella_descrizioni> ingresso;
  std::optional<opzioni_documenti> documenti;
  if (auto fine =
          prepara_scrittura(o, o.documenti, c, ingresso, documenti, errori))
    return *fine;
  int risultato = uscita_riuscita;
  if (auto fine = compila_e_riporta(o, c, *ingresso, risultato, errori))
    return *fine;
  if (auto fine = prepara_cartella(o.cartella, errori)) return *fine;
  cartella_reale destinazione(o.cartella);
  destinazione.imposta_attesa(attesa_con_avviso(o.attesa_blocco, errori));
  if (auto fine = rifiuta_descrizione_in_uscita(o, c, documenti.has_value(),
                                                destinazione, errori))
    return *fine;
  insieme_sostituzioni insieme(destinazione);
  esito_file scritti = prepara_insieme(o, c, documenti, insieme, errori);
  if (!scritti.ok) return errore_file(scritti, errori);
  // The list goes out before the set is published: a run that cannot tell
  // what it wrote replaces nothing.
  elenca_scritti(o, c, documenti.has_value(), destinazione, uscita);
  if (auto fine = uscita_prima_di_pubblicare(uscita, errori)) return *fine;
  scritti = insieme.pubblica();
  if (!scritti.ok) return errore_file(scritti, errori);
  return risultato;
}

namespace {

int controlla(const opzioni_compila& o, testi_dati dati, std::ostream& uscita,
              std::ostream& errori) {
  compilazione_controllata c;
  std::optional<cartella_descrizioni> ingresso;
  const nomi_descrizioni nomi{o.linea, o.treno};
  if (auto fine = prepara_ingresso(o, c, ingresso, errori, std::move(dati))) {
    // A description that could not be read is still reported in JSON.
    if (o.json && c.esito.tipo == esito_compilazione::guasto_file)
      stampa_json(c, nomi, *fine, uscita);
    return *fine;
  }
  // check always works out the plan, whose curves can fault too.
  c.ingresso.con_piano = true;
  compila_e_controlla(c, *ingresso);
  // A description that the disk failed to give back: nothing else to report.
  if (c.esito.tipo == esito_compilazione::guasto_file) {
    c.problemi.clear();
    if (o.json) stampa_json(c, nomi, uscita_errore_file, uscita);
    return errore_file(c.esito.file, errori);
  }
  const int risultato = uscita_del_controllo(c, o.rigoroso);
  if (o.json) {
    stampa_json(c, nomi, risultato, uscita);
  } else {
    stampa_problemi(c.problemi, nomi, errori);
  }
  if (c.esito.tipo == esito_compilazione::fatale)
    return errore(c.esito.codice, errori);
  if (!o.json && c.problemi.empty()) {
    uscita << sostituisci(traduci("no problems: {0}"), {conta_problemi({})})
           << '\n';
  }
  return risultato;
}

}  // namespace

int esegui_controlla(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori) {
  return controlla(o, std::nullopt, uscita, errori);
}

int esegui_controlla_testi(const opzioni_compila& o, std::string linea,
                           std::string treno, std::ostream& uscita,
                           std::ostream& errori) {
  return controlla(o, std::pair{std::move(linea), std::move(treno)}, uscita,
                   errori);
}

int esegui_documenti(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori) {
  compilazione_controllata c;
  std::optional<cartella_descrizioni> ingresso;
  std::optional<opzioni_documenti> documenti;
  if (auto fine = prepara_scrittura(o, /*con_documenti=*/true, c, ingresso,
                                    documenti, errori))
    return *fine;
  int risultato = uscita_riuscita;
  if (auto fine = compila_e_riporta(o, c, *ingresso, risultato, errori))
    return *fine;
  if (auto fine = prepara_cartella(o.cartella, errori)) return *fine;
  cartella_reale destinazione(o.cartella);
  destinazione.imposta_attesa(attesa_con_avviso(o.attesa_blocco, errori));
  const int scritti =
      scrivi_documenti(c.sc, c.t, *documenti, destinazione, uscita, errori);
  return scritti != uscita_riuscita ? scritti : risultato;
}
