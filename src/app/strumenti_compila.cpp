#include "app/strumenti_compila.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/costruzione.h"
#include "app/diagnostica.h"
#include "app/esiti.h"
#include "app/nomi_file.h"
#include "app/rapporto.h"
#include "app/strumenti_pagina.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/uscita_binaria.h"
#include "platform/cartella_memoria.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "platform/sostituzione.h"

namespace fs = std::filesystem;

namespace {

// The scenario's names from the command line: UTF-8 there, Windows-1252 in the
// tables. A name that the code page cannot hold, or that cannot be part of a
// file name, is refused.
bool prepara_nomi(const opzioni_compila& o, stato& s, std::ostream& errori) {
  const std::pair<const std::string*, std::string*> nomi[] = {
      {&o.nome_linea, &s.nome_linea}, {&o.codice_treno, &s.nome_treno}};
  for (auto [dato, destinazione] : nomi) {
    if (!utf8_a_cp1252(*dato, *destinazione)) {
      errori << "nome non rappresentabile in Windows-1252: \"" << *dato
             << "\"\n";
      return false;
    }
    if (dato->find('/') != std::string::npos ||
        dato->find('\0') != std::string::npos) {
      errori << "nome non valido per un file: \"" << *dato << "\"\n";
      return false;
    }
  }
  s.radice_linea = o.nome_linea;
  s.radice_treno = o.codice_treno;
  return true;
}

// A private folder inside the output folder, removed with whatever is left in
// it.
class cartella_privata {
 public:
  explicit cartella_privata(const std::string& dentro) {
    std::string modello =
        (fs::path(dentro) / ".scenario_builder-XXXXXX").string();
    if (::mkdtemp(modello.data()) != nullptr)
      percorso_ = modello;
    else
      errore_ = errno;
  }
  ~cartella_privata() {
    if (percorso_.empty()) return;
    std::error_code ignorato;
    fs::remove_all(percorso_, ignorato);
  }
  cartella_privata(const cartella_privata&) = delete;
  cartella_privata& operator=(const cartella_privata&) = delete;

  const std::string& percorso() const { return percorso_; }
  int errore() const { return errore_; }

 private:
  std::string percorso_;
  int errore_ = 0;
};

// Reads both descriptions and puts them under the compiler's own names into
// `c`.
int prepara_copie(const opzioni_compila& o, const stato& s, cartella& c,
                  std::ostream& errori) {
  const std::pair<const std::string*, std::string> copie[] = {
      {&o.linea, nome_descrizione_linea(s)},
      {&o.treno, nome_descrizione_treno(s)}};
  for (const auto& [originale, nome] : copie) {
    std::string contenuto;
    esito_file esito = leggi_percorso(*originale, contenuto);
    if (esito.ok) {
      esito = sostituisci_file(c, nome, [&contenuto](scrittore_file& copia) {
        copia.scrivi(contenuto.data(), contenuto.size());
      });
    }
    if (!esito.ok) return errore_file(esito, errori);
  }
  return uscita_riuscita;
}

nlohmann::json luogo_json(const luogo_lettura& luogo,
                          const nomi_descrizioni& nomi) {
  nlohmann::json j;
  if (luogo.fonte == fonte_lettura::scansione) {
    j["cella"] = luogo.cella;
    j["metro"] = luogo.cella * 50;
    return j;
  }
  j["file"] =
      luogo.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (luogo.riga > 0) j["riga"] = luogo.riga;
  if (!luogo.parola.empty()) j["parola"] = cp1252_a_utf8(luogo.parola);
  return j;
}

void stampa_json(const stato& s, const nomi_descrizioni& nomi, int esito,
                 std::ostream& uscita) {
  nlohmann::json j;
  j["linea"] = nomi.linea;
  j["treno"] = nomi.treno;
  if (s.codice_errore != 0) {
    nlohmann::json e = luogo_json(s.luogo_errore, nomi);
    e["codice"] = s.codice_errore;
    const codice_diagnostico* voce = cerca_codice(s.codice_errore);
    if (voce != nullptr) {
      e["descrizione"] = cp1252_a_utf8(voce->testo);
      if (voce->con_posizione) e["posizione"] = s.posizione_errore;
    }
    e["messaggio"] = riga_errore(s, nomi);
    j["errore"] = e;
  } else {
    j["errore"] = nullptr;
  }
  j["avvisi"] = nlohmann::json::array();
  for (const avviso& a : s.avvisi) {
    nlohmann::json v = luogo_json(a.luogo, nomi);
    v["testo"] = cp1252_a_utf8(a.testo);
    v["messaggio"] = riga_avviso(a, nomi);
    j["avvisi"].push_back(v);
  }
  j["uscita"] = esito;
  uscita << j.dump(2) << '\n';
}

}  // namespace

int esegui_compila(const opzioni_compila& o, std::ostream& uscita,
                   std::ostream& errori) {
  stato s;
  if (!prepara_nomi(o, s, errori)) return uscita_uso_errato;
  std::error_code problema;
  if (!fs::is_directory(o.cartella, problema)) {
    errori << o.cartella << ": cartella di uscita non trovata\n";
    return uscita_errore_file;
  }
  cartella_privata privata(o.cartella);
  if (privata.percorso().empty()) {
    return errore_file(
        esito_file::fallito(o.cartella, std::strerror(privata.errore())),
        errori);
  }
  cartella_reale copie(privata.percorso());
  const int preparazione = prepara_copie(o, s, copie, errori);
  if (preparazione != uscita_riuscita) return preparazione;

  esito_compilazione esito = compila_tabelle(s, copie, o.senza_piano ? 0 : 1);
  cartella_reale destinazione(o.cartella);
  if (esito.tipo == esito_compilazione::completata) {
    esito.file = scrivi_file_binari(s, destinazione);
    if (!esito.file.ok) esito.tipo = esito_compilazione::guasto_file;
  }
  const nomi_descrizioni nomi{o.linea, o.treno};
  const int risultato = concludi(s, esito, nomi, errori);
  if (esito.tipo == esito_compilazione::completata) {
    if (s.j != 0)
      uscita << destinazione.percorso(nome_geometria_linea(s)) << '\n';
    uscita << destinazione.percorso(nome_tabella_stazioni(s)) << '\n';
    uscita << destinazione.percorso(nome_tabella_celle(s)) << '\n';
    if (o.pagina) {
      const std::string errore =
          s.codice_errore != 0 ? riga_errore(s, nomi) : "";
      const esito_file pagina = scrivi_pagina(s, destinazione, errore);
      if (!pagina.ok) return errore_file(pagina, errori);
      uscita << destinazione.percorso(nome_pagina(s)) << '\n';
    }
  }
  return risultato;
}

int esegui_controlla(const opzioni_compila& o, std::ostream& uscita,
                     std::ostream& errori) {
  stato s;
  if (!prepara_nomi(o, s, errori)) return uscita_uso_errato;
  cartella_memoria copie;
  const int preparazione = prepara_copie(o, s, copie, errori);
  if (preparazione != uscita_riuscita) return preparazione;
  const esito_compilazione esito = compila_tabelle(s, copie, 1);
  const nomi_descrizioni nomi{o.linea, o.treno};
  int risultato = uscita_riuscita;
  if (esito.tipo == esito_compilazione::fatale) {
    // Reserved content in cell 1 or record 85: the build would stop with
    // `errore`.
    risultato = uscita_errore_fatale;
  } else if (s.codice_errore != 0 ||
             esito.tipo == esito_compilazione::senza_tabella) {
    risultato = uscita_errore_registrato;
  }
  if (o.json) {
    stampa_json(s, nomi, risultato, uscita);
    if (esito.tipo == esito_compilazione::fatale) errore(esito.codice, errori);
    return risultato;
  }
  if (esito.tipo == esito_compilazione::fatale) {
    stampa_rapporto(s, nomi, errori);
    return errore(esito.codice, errori);
  }
  stampa_rapporto(s, nomi, errori);
  if (risultato == uscita_riuscita)
    uscita << "nessun errore, " << conta_avvisi(s.avvisi.size()) << '\n';
  return risultato;
}
