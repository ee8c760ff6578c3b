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

// "24.03.2001", or empty when the day does not exist.
std::string data_scritta(const data_calendario& d) {
  constexpr int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.anno < 1 || d.anno > 9999 || d.mese < 1 || d.mese > 12) return "";
  const int nel_mese = giorni[d.mese - 1] + (d.mese == 2 && bisestile(d.anno));
  if (d.giorno < 1 || d.giorno > nel_mese) return "";
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d.%02d.%04d", d.giorno, d.mese,
                d.anno);
  return testo;
}

// The four heading lines and the empty line after them.
documento intestazione(const opzioni_documenti& o) {
  const testo_convertito autore = converti_voce(o.autore, "autore");
  if (!autore.ok()) return {{}, autore.errore};
  const testo_convertito email = converti_voce(o.email, "email");
  if (!email.ok()) return {{}, email.errore};
  if (o.numero < 1)
    return {{},
            "numero dello scenario non valido: " + std::to_string(o.numero)};
  const std::string data = data_scritta(o.data);
  if (data.empty()) {
    return {{},
            "data non valida: " + std::to_string(o.data.giorno) + "." +
                std::to_string(o.data.mese) + "." +
                std::to_string(o.data.anno)};
  }
  auto oppure_non_indicato = [](const std::string& t) {
    return t.empty() ? std::string("non indicato") : t;
  };
  return {{"AUTORE: " + oppure_non_indicato(autore.righe.front()),
           "INDIRIZZO EMAIL: " + oppure_non_indicato(email.righe.front()),
           "NUMERO PROGRESSIVO SCENARIO: " + std::to_string(o.numero),
           "DATA REALIZZAZIONE SCENARIO: " + data, ""},
          ""};
}

bool vuota(const std::string& riga) {
  return riga.find_first_not_of(' ') == std::string::npos;
}

// The author's prose: each line a paragraph, wrapped; blank lines around the
// whole text dropped.
documento prosa(const std::string& utf8) {
  const testo_convertito testo = converti_testo(utf8, "testo delle note");
  if (!testo.ok()) return {{}, testo.errore};
  std::size_t inizio = 0, fine = testo.righe.size();
  while (inizio < fine && vuota(testo.righe[inizio])) ++inizio;
  while (fine > inizio && vuota(testo.righe[fine - 1])) --fine;
  documento d;
  for (std::size_t k = inizio; k < fine; ++k) {
    for (std::string& riga : a_capo(testo.righe[k], larghezza_prosa))
      d.righe.push_back(std::move(riga));
  }
  return d;
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

documento righe_note_autore(const tabelle& t,
                            const opzioni_documenti& opzioni) {
  documento d = intestazione(opzioni);
  if (!d.ok()) return d;
  if (opzioni.testo) {
    documento testo = prosa(*opzioni.testo);
    if (!testo.ok()) return testo;
    d.righe.insert(d.righe.end(), testo.righe.begin(), testo.righe.end());
    return d;
  }
  for (const std::string& paragrafo :
       paragrafi_riassunto(t.celle, t.stazioni)) {
    for (std::string& riga : a_capo(paragrafo, larghezza_prosa))
      d.righe.push_back(std::move(riga));
  }
  return d;
}
