#include "tools/rapporto.h"

#include "platform/cp1252.h"
#include "tables/metri.h"
#include "tools/esiti.h"

namespace {

// "path:line: keyword: " for a place in a description, "cella c (m m): " for
// the route scan.
std::string prefisso(const luogo_lettura& luogo, const nomi_descrizioni& nomi) {
  if (luogo.fonte == fonte_lettura::scansione) {
    return "cella " + std::to_string(luogo.cella) + " (" +
           std::to_string(metro_della_cella(luogo.cella, aggancio::punto)) +
           " m): ";
  }
  std::string testo =
      luogo.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (luogo.riga > 0) testo += ":" + std::to_string(luogo.riga);
  testo += ": ";
  if (!luogo.parola.empty()) testo += cp1252_a_utf8(luogo.parola) + ": ";
  return testo;
}

}  // namespace

std::string riga_errore(const diagnostica& d, const nomi_descrizioni& nomi) {
  const codice_diagnostico* voce = cerca_codice(d.codice_errore);
  std::string riga = prefisso(d.luogo_errore, nomi) + "errore " +
                     std::to_string(d.codice_errore);
  if (voce != nullptr && voce->con_posizione &&
      d.luogo_errore.fonte != fonte_lettura::scansione) {
    riga += " a " + std::to_string(d.posizione_errore) + " m";
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

void stampa_rapporto(const diagnostica& d, const nomi_descrizioni& nomi,
                     std::ostream& errori) {
  for (const avviso& a : d.avvisi) errori << riga_avviso(a, nomi) << '\n';
  if (!d.avvisi.empty()) errori << conta_avvisi(d.avvisi.size()) << '\n';
  if (d.codice_errore != 0) errori << riga_errore(d, nomi) << '\n';
}

int errore(std::string_view a, std::ostream& errori) {
  errori << " Errore n. " << a << '\n';
  return uscita_errore_fatale;
}

int errore_file(const esito_file& esito, std::ostream& errori) {
  errori << esito.percorso << ": " << esito.motivo << '\n';
  return uscita_errore_file;
}

int errore_decodifica_file(std::string_view percorso,
                           const errore_decodifica& e, std::ostream& errori) {
  errori << percorso << ": errore di decodifica al byte " << e.offset << ": "
         << e.motivo << '\n';
  return uscita_errore_file;
}

int errore_nome(const esito_nomi& esito, std::ostream& errori) {
  if (esito.motivo == nome_rifiutato::non_rappresentabile) {
    errori << "nome non rappresentabile in Windows-1252: \"" << esito.nome
           << "\"\n";
  } else {
    errori << "nome non valido per un file: \"" << esito.nome << "\"\n";
  }
  return uscita_uso_errato;
}

int uscita_della_compilazione(const esito_compilazione& esito,
                              const diagnostica& d) {
  if (d.codice_errore != 0 || esito.tipo == esito_compilazione::senza_tabella)
    return uscita_errore_registrato;
  return uscita_riuscita;
}

int concludi(const diagnostica& d, const esito_compilazione& esito,
             const nomi_descrizioni& nomi, std::ostream& errori) {
  switch (esito.tipo) {
    case esito_compilazione::fatale:
      return errore(esito.codice, errori);
    case esito_compilazione::guasto_file:
      return errore_file(esito.file, errori);
    case esito_compilazione::completata:
    case esito_compilazione::senza_tabella:
      break;
  }
  stampa_rapporto(d, nomi, errori);
  return uscita_della_compilazione(esito, d);
}
