#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "documents/documenti_autore.h"
#include "documents/percorso_autore.h"
#include "documents/testo_autore.h"
#include "tables/campi.h"

namespace {

constexpr std::size_t larghezza_prosa = 96;

bool bisestile(int anno) {
  return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
}

// The four heading lines and the empty line after them.
std::vector<std::string> intestazione(const opzioni_documenti& o) {
  auto oppure_non_indicato = [](const std::string& t) {
    return t.empty() ? std::string("non indicato") : t;
  };
  char data[32];
  std::snprintf(data, sizeof data, "%02d.%02d.%04d", o.data.giorno, o.data.mese,
                o.data.anno);
  return {"AUTORE: " + oppure_non_indicato(o.autore),
          "INDIRIZZO EMAIL: " + oppure_non_indicato(o.email),
          "NUMERO PROGRESSIVO SCENARIO: " + std::to_string(o.numero),
          std::string("DATA REALIZZAZIONE SCENARIO: ") + data, ""};
}

bool vuota(const std::string& riga) {
  return riga.find_first_not_of(' ') == std::string::npos;
}

// Paragraphs of prose, each wrapped; blank lines around the whole text
// dropped.
std::vector<std::string> prosa(const std::vector<std::string>& paragrafi) {
  std::size_t inizio = 0, fine = paragrafi.size();
  while (inizio < fine && vuota(paragrafi[inizio])) ++inizio;
  while (fine > inizio && vuota(paragrafi[fine - 1])) --fine;
  std::vector<std::string> righe;
  for (std::size_t k = inizio; k < fine; ++k) {
    for (std::string& riga : a_capo(paragrafi[k], larghezza_prosa))
      righe.push_back(std::move(riga));
  }
  return righe;
}

// A count for the summary: the number, or "nessuno" / "nessuna".
std::string conteggio(std::size_t numero, const char* nessuno) {
  return numero == 0 ? nessuno : std::to_string(numero);
}

// A length in kilometres as prose writes it: "62 km", "8,35 km".
std::string lunghezza_in_km(int32_t metri) {
  std::string testo = std::to_string(metri / 1000);
  int resto = metri % 1000;
  if (resto != 0) {
    std::string decimali = std::to_string(1000 + (resto < 0 ? -resto : resto));
    decimali = decimali.substr(1, decimali.find_last_not_of('0'));
    testo += "," + decimali;
  }
  return testo + " km";
}

std::vector<std::string> paragrafi_riassunto(const std::vector<cella>& celle,
                                             const tabella_stazioni& t) {
  const std::vector<stazione> s = stazioni_del_percorso(t);
  const dati_generali g(t);
  std::string chi = "Scenario della linea " + g.nome_linea() +
                    " per il treno " + g.codice_treno() + ": percorso di " +
                    lunghezza_in_km(g.lunghezza_percorso());
  if (s.size() >= 2) chi += " da " + s.front().nome + " a " + s.back().nome;
  std::vector<std::string> paragrafi = {
      chi + ".", "Localit\xE0 di servizio: " + conteggio(s.size(), "nessuna") +
                     ". Segnali: " +
                     conteggio(static_cast<std::size_t>(numero_segnali(celle)),
                               "nessuno") +
                     ". Rallentamenti: " +
                     conteggio(rallentamenti(celle).size(), "nessuno") + "."};
  if (s.size() >= 2 && s.front().orario > 0 && s.back().orario > 0) {
    paragrafi.push_back("Il treno parte alle " + ora_minuti(s.front().orario) +
                        " e arriva alle " + ora_minuti(s.back().orario) + ".");
  }
  return paragrafi;
}

}  // namespace

bool data_esistente(const data_calendario& d) {
  constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.anno < 1 || d.anno > 9999 || d.mese < 1 || d.mese > 12) return false;
  const int nel_mese = giorni[d.mese - 1] + (d.mese == 2 && bisestile(d.anno));
  return d.giorno >= 1 && d.giorno <= nel_mese;
}

std::vector<std::string> righe_note_autore(const tabelle& t,
                                           const opzioni_documenti& opzioni) {
  std::vector<std::string> righe = intestazione(opzioni);
  const std::vector<std::string> corpo =
      prosa(opzioni.testo ? *opzioni.testo
                          : paragrafi_riassunto(t.celle, t.stazioni));
  righe.insert(righe.end(), corpo.begin(), corpo.end());
  return righe;
}
