#include "app/rapporto.h"

#include "app/diagnostica.h"
#include "platform/cp1252.h"

namespace {

// "path:line: keyword: " for a place in a description, "cella c (m m): " for
// the route scan.
std::string prefisso(const luogo_lettura& luogo, const nomi_descrizioni& nomi) {
  if (luogo.fonte == fonte_lettura::scansione) {
    return "cella " + std::to_string(luogo.cella) + " (" +
           std::to_string(luogo.cella * 50) + " m): ";
  }
  std::string testo =
      luogo.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (luogo.riga > 0) testo += ":" + std::to_string(luogo.riga);
  testo += ": ";
  if (!luogo.parola.empty()) testo += cp1252_a_utf8(luogo.parola) + ": ";
  return testo;
}

}  // namespace

std::string riga_errore(const stato& s, const nomi_descrizioni& nomi) {
  const codice_diagnostico* voce = cerca_codice(s.codice_errore);
  std::string riga = prefisso(s.luogo_errore, nomi) + "errore " +
                     std::to_string(s.codice_errore);
  if (voce != nullptr && voce->con_posizione &&
      s.luogo_errore.fonte != fonte_lettura::scansione) {
    riga += " a " + std::to_string(s.posizione_errore) + " m";
  }
  if (voce != nullptr) riga += ": " + cp1252_a_utf8(voce->testo);
  return riga;
}

std::string riga_avviso(const avviso& a, const nomi_descrizioni& nomi) {
  return prefisso(a.luogo, nomi) + "avviso: " + cp1252_a_utf8(a.testo);
}

std::string conta_avvisi(std::size_t quanti) {
  return std::to_string(quanti) + (quanti == 1 ? " avviso" : " avvisi");
}

void stampa_rapporto(const stato& s, const nomi_descrizioni& nomi,
                     std::ostream& errori) {
  for (const avviso& a : s.avvisi) errori << riga_avviso(a, nomi) << '\n';
  if (!s.avvisi.empty()) errori << conta_avvisi(s.avvisi.size()) << '\n';
  if (s.codice_errore != 0) errori << riga_errore(s, nomi) << '\n';
}
