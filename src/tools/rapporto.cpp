#include "tools/rapporto.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/cp1252.h"
#include "tables/metri.h"
#include "tools/esiti.h"

namespace {

// "path:line:column: " for a place in a description, "cella c (m m): " for
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
  if (luogo.riga > 0 && luogo.colonna > 0)
    testo += ":" + std::to_string(luogo.colonna);
  return testo + ": ";
}

}  // namespace

std::string visibile(std::string_view utf8) {
  std::string risultato;
  risultato.reserve(utf8.size());
  char escape[8];
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const auto dopo =
        i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if (c < 0x20 || c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      risultato += escape;
    } else if (c == 0xC2 && dopo >= 0x80 && dopo < 0xA0) {
      std::snprintf(escape, sizeof escape, "\\u%04x", dopo);
      risultato += escape;
      ++i;
    } else {
      risultato += static_cast<char>(c);
    }
  }
  return risultato;
}

std::string riga_errore(const diagnostica& d, const nomi_descrizioni& nomi) {
  const codice_diagnostico* voce = cerca_codice(d.codice_errore);
  std::string riga = prefisso(d.luogo_errore, nomi) + "errore " +
                     std::to_string(d.codice_errore) + ": ";
  if (!d.luogo_errore.parola.empty())
    riga += cp1252_a_utf8(d.luogo_errore.parola) + ": ";
  if (voce != nullptr) riga += cp1252_a_utf8(voce->testo);
  if (voce != nullptr && voce->con_posizione &&
      d.luogo_errore.fonte != fonte_lettura::scansione) {
    riga += " (a " + std::to_string(d.posizione_errore) + " m)";
  }
  return visibile(riga);
}

std::string riga_problema(const problema& p, const nomi_descrizioni& nomi) {
  std::string riga =
      p.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (p.riga > 0) {
    riga += ":" + std::to_string(p.riga);
    if (p.colonna > 0) riga += ":" + std::to_string(p.colonna);
  }
  riga += p.g == gravita::errore ? ": errore" : ": avviso";
  if (p.codice != 0) riga += " " + std::to_string(p.codice);
  if (p.registrato) riga += " [registrato]";
  riga += ": " + cp1252_a_utf8(componi(p.testo));
  if (!p.suggerimento.empty())
    riga += " (forse \"" + cp1252_a_utf8(p.suggerimento) + "\"?)";
  return visibile(riga);
}

std::string conta_problemi(const std::vector<problema>& problemi) {
  const std::size_t e = conta(problemi, gravita::errore);
  const std::size_t a = conta(problemi, gravita::avviso);
  return std::to_string(e) + (e == 1 ? " errore, " : " errori, ") +
         std::to_string(a) + (a == 1 ? " avviso" : " avvisi");
}

void stampa_problemi(const std::vector<problema>& problemi,
                     const nomi_descrizioni& nomi, std::ostream& errori) {
  const std::size_t mostrati = std::min(problemi.size(), problemi_mostrati);
  for (std::size_t i = 0; i < mostrati; ++i)
    errori << riga_problema(problemi[i], nomi) << '\n';
  if (problemi.size() > mostrati) {
    errori << "... e altri " << problemi.size() - mostrati
           << " problemi non mostrati (solo i primi " << mostrati << ")\n";
  }
  if (!problemi.empty()) errori << conta_problemi(problemi) << '\n';
}

int errore(std::string_view a, std::ostream& errori) {
  errori << " Errore n. " << a << '\n';
  return uscita_errore_fatale;
}

int errore_file(const esito_file& esito, std::ostream& errori) {
  errori << visibile(esito.percorso) << ": " << esito.motivo << '\n';
  return uscita_errore_file;
}

int errore_decodifica_file(std::string_view percorso,
                           const errore_decodifica& e, std::ostream& errori) {
  errori << visibile(percorso) << ": errore di decodifica al byte " << e.offset
         << ": " << e.motivo << '\n';
  return uscita_errore_file;
}

int errore_incoerenza_file(std::string_view percorso, const incoerenza& i,
                           std::ostream& errori) {
  errori << visibile(percorso) << ": file non coerente con gli altri al byte "
         << i.offset << ": " << i.motivo << '\n';
  return uscita_errore_file;
}

int errore_uscita_standard(int errno_sistema, std::ostream& errori) {
  errori << "scrittura dello standard output non riuscita";
  if (errno_sistema != 0) errori << ": " << std::strerror(errno_sistema);
  errori << '\n';
  return uscita_errore_file;
}

int errore_nome(const esito_nomi& esito, std::ostream& errori) {
  if (esito.motivo == nome_rifiutato::non_rappresentabile) {
    errori << "nome non rappresentabile in Windows-1252: \""
           << visibile(esito.nome) << "\"\n";
  } else {
    errori << "nome non valido per un file (separatori, \"..\" e caratteri "
              "di controllo non sono ammessi): \""
           << visibile(esito.nome) << "\"\n";
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
  if (d.codice_errore != 0) errori << riga_errore(d, nomi) << '\n';
  return uscita_della_compilazione(esito, d);
}
