// What a person is told about a compilation and its files, on standard error,
// in the language of the run: the fault recorded, if any, and the warnings,
// each in one line that names the description as the user knows it, the line
// and the keyword; a file that could not be read, written or decoded; the
// fatal message. Each ends with the exit status that goes with it.
#ifndef CLI_RAPPORTO_H_
#define CLI_RAPPORTO_H_

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/memorizza_percorso.h"
#include "core/diagnostica.h"
#include "core/scenario.h"
#include "platform/cartella.h"
#include "tables/formato.h"
#include "cli/coerenza.h"
#include "validation/problemi.h"

// How the user knows the two descriptions (paths in the console's UTF-8).
struct nomi_descrizioni {
  std::string linea;
  std::string treno;
};

// The fault recorded, as the compiler keeps it: "treno.txt:23:1: error 8:
// stazione: station position not a multiple of 50 (at 46025 m)", or for the
// route scan "cell 61 (3000 m): error 11: ...". UTF-8, no line end.
std::string riga_errore(const diagnostica& d, const nomi_descrizioni& nomi);

// One problem found by the checks: "linea.txt:15:1: error 15 [recorded]:
// ...", "linea.txt:4:1: warning: ... (maybe \"pendenza\"?)". UTF-8, no line
// end.
std::string riga_problema(const problema& p, const nomi_descrizioni& nomi);
// "3 errors, 1 warning" (in the language of the run).
std::string conta_problemi(const std::vector<problema>& problemi);

// No one reads more problems than this: beyond it they are only counted, in
// the lines for people and in JSON alike.
inline constexpr std::size_t problemi_mostrati = 100;

// The note of a fault that stopped the reading of a description, on a line of
// its own: "linea.txt:21: note: the compiler stops reading ..."; empty when
// the problem has none.
std::string riga_non_letto(const problema& p, const nomi_descrizioni& nomi);

// The indices of the problems shown: the first `problemi_mostrati`, and past
// them every fault recorded or that stopped the reading.
std::vector<std::size_t> problemi_da_mostrare(
    const std::vector<problema>& problemi);
// How many problems the ones not shown stand for.
std::size_t problemi_non_mostrati(const std::vector<problema>& problemi);

// The problems shown, one a line (with the note of a fault that stopped the
// reading after its own), then how many more there were, then their count.
void stampa_problemi(const std::vector<problema>& problemi,
                     const nomi_descrizioni& nomi, std::ostream& errori);

// The text with every control character shown as an escape ("\x1b",
// "\u0085"), so that bytes from a description, a file or a path cannot act
// on the terminal. UTF-8 in and out.
std::string visibile(std::string_view utf8);

// The words that say how grave a problem is ("error", "warning") and the one
// of the fatal message ("Error no."), in the language of the run: the report
// lines and their colour find them there.
std::string parola_gravita(gravita g);
std::string parola_errore_fatale();

// The fatal message " Error no. " followed by the code; returns the status the
// program ends with.
int errore(std::string_view a, std::ostream& errori);
// Why a file could not be read or written, in the language of the run.
std::string motivo_del_file(const esito_file& esito);
// A failed file operation: "path: reason".
int errore_file(const esito_file& esito, std::ostream& errori);
// A file that does not decode: "path: decoding error at byte N: reason".
int errore_decodifica_file(std::string_view percorso,
                           const errore_decodifica& e, std::ostream& errori);
// A file that does not fit the other files of its scenario:
// "path: file not consistent with the others at byte N: reason".
int errore_incoerenza_file(std::string_view percorso, const incoerenza& i,
                           std::ostream& errori);
// Standard output could not be written (a full disk, a closed pipe): the
// system's error number, 0 when unknown.
int errore_uscita_standard(int errno_sistema, std::ostream& errori);
// Flushes standard output before a set is published, so that a run whose
// list of files cannot be written replaces nothing: returns the status to end
// with when it failed, after saying so on `errori` (once: uscita_riportata()
// is then true).
std::optional<int> uscita_prima_di_pubblicare(std::ostream& uscita,
                                              std::ostream& errori);
// Whether the failure of `uscita` was reported already.
bool uscita_riportata(std::ostream& uscita);
// An input (a path in `letti`) that is the same file as one of the files that
// the run would replace (the paths in `scritti`: same device and inode) is
// refused before anything is written; the status 64 then, after saying which
// on `errori`.
std::optional<int> rifiuta_ingresso_in_uscita(
    const std::vector<std::string>& letti,
    const std::vector<std::string>& scritti, std::ostream& errori);
// A name that cannot name a scenario.
int errore_nome(const esito_nomi& esito, std::ostream& errori);

// The exit status of a compilation that was not stopped by a file or by
// `errore`: 1 when a fault was recorded or there is no table, else 0.
int uscita_della_compilazione(const esito_compilazione& esito,
                              const diagnostica& d);

// The end of the default build: the fatal message, a failed file, or the fault
// recorded. Returns the exit status.
int concludi(const diagnostica& d, const esito_compilazione& esito,
             const nomi_descrizioni& nomi, std::ostream& errori);

#endif  // CLI_RAPPORTO_H_
