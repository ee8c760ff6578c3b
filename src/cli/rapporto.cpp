#include "cli/rapporto.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "tables/metri.h"
#include "cli/errori_sistema.h"
#include "cli/esiti.h"
#include "cli/lingua.h"

namespace {

// "path:line:column: " for a place in a description, "cell c (m m): " for
// the route scan.
std::string prefisso(const luogo_lettura& luogo, const nomi_descrizioni& nomi) {
  if (luogo.fonte == fonte_lettura::scansione) {
    return sostituisci(traduci("cell {0} ({1} m)"),
                       {std::to_string(luogo.cella),
                        std::to_string(
                            metro_della_cella(luogo.cella, aggancio::punto))}) +
           ": ";
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
  std::string riga = prefisso(d.luogo_errore, nomi) +
                     parola_gravita(gravita::errore) + " " +
                     std::to_string(d.codice_errore) + ": ";
  if (!d.luogo_errore.parola.empty())
    riga += cp1252_a_utf8(d.luogo_errore.parola) + ": ";
  if (voce != nullptr) riga += traduci(std::string(voce->testo).c_str());
  if (voce != nullptr && voce->con_posizione &&
      d.luogo_errore.fonte != fonte_lettura::scansione) {
    riga += " " + sostituisci(traduci("(at {0} m)"),
                              {std::to_string(d.posizione_errore)});
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
  riga += ": " + parola_gravita(p.g);
  if (p.codice != 0) riga += " " + std::to_string(p.codice);
  if (p.registrato) riga += " " + std::string(traduci("[recorded]"));
  riga += ": " + testo_di(p.testo);
  if (!p.suggerimento.empty()) {
    riga += " " + sostituisci(traduci("(maybe \"{0}\"?)"),
                              {cp1252_a_utf8(p.suggerimento)});
  }
  return visibile(riga);
}

std::string riga_non_letto(const problema& p, const nomi_descrizioni& nomi) {
  if (!p.non_letto) return "";
  std::string riga =
      p.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (p.riga > 0) riga += ":" + std::to_string(p.riga);
  riga += ": " + std::string(traduci("note")) + ": " + testo_di(*p.non_letto);
  return visibile(riga);
}

std::vector<std::size_t> problemi_da_mostrare(
    const std::vector<problema>& problemi) {
  std::vector<std::size_t> indici;
  for (std::size_t i = 0; i < problemi.size(); ++i) {
    // A fault that the compiler recorded, or one that stopped its reading,
    // is always shown: the rest are counted.
    if (i < problemi_mostrati || problemi[i].registrato ||
        problemi[i].non_letto)
      indici.push_back(i);
  }
  return indici;
}

std::size_t problemi_non_mostrati(const std::vector<problema>& problemi) {
  const std::size_t primi = std::min(problemi.size(), problemi_mostrati);
  std::size_t altri = conta_oltre(problemi, primi);
  for (std::size_t i : problemi_da_mostrare(problemi))
    if (i >= primi) altri -= problemi[i].quanti;
  return altri;
}

std::string conta_problemi(const std::vector<problema>& problemi) {
  const std::size_t e = conta(problemi, gravita::errore);
  const std::size_t a = conta(problemi, gravita::avviso);
  return sostituisci(traduci_plurale("{0} error", "{0} errors", e),
                     {std::to_string(e)}) +
         ", " +
         sostituisci(traduci_plurale("{0} warning", "{0} warnings", a),
                     {std::to_string(a)});
}

void stampa_problemi(const std::vector<problema>& problemi,
                     const nomi_descrizioni& nomi, std::ostream& errori) {
  const std::size_t mostrati = std::min(problemi.size(), problemi_mostrati);
  for (std::size_t i : problemi_da_mostrare(problemi)) {
    errori << riga_problema(problemi[i], nomi) << '\n';
    if (problemi[i].non_letto)
      errori << riga_non_letto(problemi[i], nomi) << '\n';
  }
  if (const std::size_t altri = problemi_non_mostrati(problemi); altri > 0) {
    errori << sostituisci(
                  traduci_plurale(
                      "... and {0} more problem not shown (only the first {1})",
                      "... and {0} more problems not shown (only the first "
                      "{1})",
                      altri),
                  {std::to_string(altri), std::to_string(mostrati)})
           << '\n';
  }
  if (!problemi.empty()) errori << conta_problemi(problemi) << '\n';
}

std::string parola_gravita(gravita g) {
  return g == gravita::errore ? traduci("error") : traduci("warning");
}

std::string parola_errore_fatale() { return traduci("Error no."); }

int errore(std::string_view a, std::ostream& errori) {
  errori << ' ' << parola_errore_fatale() << ' ' << a << '\n';
  return uscita_errore_fatale;
}

std::string motivo_del_file(const esito_file& esito) {
  return esito.motivo.empty() ? testo_errore_sistema(esito.errno_sistema)
                              : traduci(esito.motivo.c_str());
}

int errore_file(const esito_file& esito, std::ostream& errori) {
  errori << visibile(esito.percorso) << ": " << motivo_del_file(esito)
         << '\n';
  return uscita_errore_file;
}

int errore_decodifica_file(std::string_view percorso,
                           const errore_decodifica& e, std::ostream& errori) {
  errori << sostituisci(traduci("{0}: decoding error at byte {1}: {2}"),
                        {visibile(percorso), std::to_string(e.offset),
                         testo_di(e.motivo)})
         << '\n';
  return uscita_errore_file;
}

int errore_incoerenza_file(std::string_view percorso, const incoerenza& i,
                           std::ostream& errori) {
  errori << sostituisci(
                traduci("{0}: file not consistent with the others at "
                        "byte {1}: {2}"),
                {visibile(percorso), std::to_string(i.offset), i.motivo})
         << '\n';
  return uscita_errore_file;
}

int errore_uscita_standard(int errno_sistema, std::ostream& errori) {
  errori << traduci("writing to standard output failed");
  if (errno_sistema != 0) errori << ": " << testo_errore_sistema(errno_sistema);
  errori << '\n';
  return uscita_errore_file;
}

namespace {

// The stream's own slot that marks a failure already reported.
int indice_riportata() {
  static const int indice = std::ios_base::xalloc();
  return indice;
}

}  // namespace

std::optional<int> uscita_prima_di_pubblicare(std::ostream& uscita,
                                              std::ostream& errori) {
  errno = 0;
  uscita.flush();
  if (uscita.good()) return std::nullopt;
  uscita.iword(indice_riportata()) = 1;
  return errore_uscita_standard(errno, errori);
}

bool uscita_riportata(std::ostream& uscita) {
  return uscita.iword(indice_riportata()) != 0;
}

std::optional<int> rifiuta_ingresso_in_uscita(
    const std::vector<std::string>& letti,
    const std::vector<std::string>& scritti, std::ostream& errori) {
  for (const std::string& scritto : scritti) {
    for (const std::string& letto : letti) {
      if (!sostituirebbe(scritto, letto)) continue;
      errori << sostituisci(traduci("{0}: a file that this run reads and "
                                    "would replace with {1}; write the files "
                                    "elsewhere"),
                            {visibile(letto), visibile(scritto)})
             << '\n';
      return uscita_uso_errato;
    }
  }
  return std::nullopt;
}

int errore_nome(const esito_nomi& esito, std::ostream& errori) {
  if (esito.motivo == nome_rifiutato::vuoto) {
    errori << (esito.del_treno ? traduci("the train code cannot be empty")
                               : traduci("the line name cannot be empty"))
           << '\n';
    return uscita_uso_errato;
  }
  const char* formato =
      esito.motivo == nome_rifiutato::non_rappresentabile
          ? traduci("name not representable in Windows-1252: \"{0}\"")
      : esito.motivo == nome_rifiutato::inizia_con_punto
          ? traduci(
                "a name cannot begin with a dot (the program's working files "
                "do): \"{0}\"")
          : traduci(
                "name not valid for a file (separators, \"..\" and "
                "control characters are not allowed): \"{0}\"");
  errori << sostituisci(formato, {visibile(esito.nome)}) << '\n';
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
