// The texts of the command line that are not the options' own: the version,
// the examples of each command, the errors of the command line and of `new`
// and `report`, and the sections of the manual page, each in the language of
// the run (cli/lingua.h).
#ifndef CLI_MESSAGGI_H_
#define CLI_MESSAGGI_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace messaggi {

// "scenario_builder 0.1.0"
std::string versione();
std::string_view aiuto_versione();
std::string_view aiuto_aiuto();

// The one example that closes the help of a command; empty for a name that
// is not a command.
std::string esempio(std::string_view comando);
std::string_view descrizione_nuovo();
std::string_view aiuto_cartella_nuovo();

// A command name that the program does not know, with the closest one or,
// when none is close, the list of the commands.
std::string comando_sconosciuto(std::string_view dato, std::string_view vicino,
                                const std::vector<std::string>& comandi);
// An option that the program does not have, with the closest one when one
// is close.
// An option of the program given after the command.
std::string opzione_del_programma(std::string_view dato);
std::string opzione_sconosciuta(std::string_view dato, std::string_view vicino);
// Where to read more after a bad command line: "Help: scenario_builder
// compile --help".
std::string aiuto_per(std::string_view comando);

// Folders.
std::string cartella_mancante(std::string_view percorso);
std::string non_una_cartella(std::string_view percorso);
std::string cartella_non_creata(std::string_view percorso,
                                std::string_view motivo);

// `new`.
std::string file_esistente(std::string_view percorso);
std::string_view nessun_file_scritto();

// `decompile`: descriptions already there, how to compile the descriptions
// back, and what no description explains ("cell 61 (3000 m)", "record 85",
// "metre 5000").
std::string_view nessuna_descrizione_scritta();
std::string nomi_dei_file(std::string_view linea, std::string_view treno);
std::string_view compilare_senza_piano();
std::string luogo_cella(int32_t cella, int64_t metro);
std::string luogo_record(int32_t record);
std::string luogo_metro(int32_t metro);
std::string riga_piu_vicina(std::string_view riga);
std::string voci_inspiegate(std::size_t quante);

// `report`: a folder with no scenario, or with several.
std::string nessuno_scenario(std::string_view cartella);
// The same when a name was given: the files looked for, as "Nope_*" or
// "*_R1" without the extension (`radice`).
std::string nessuno_scenario_nominato(std::string_view cartella,
                                      std::string_view radice);
std::string scenari_diversi(std::string_view cartella, std::size_t quanti);
std::string scelta_scenario(std::string_view linea, std::string_view treno);

// The manual page. An entry's text is English (core/testi.h): it is translated
// where the page is written.
struct voce_manuale {
  std::string_view nome;
  const char* testo;
};
std::string_view titolo_manuale();  // the one line under NAME
std::string_view sezione_nome();
std::string_view sezione_sintassi();
std::string_view sezione_descrizione();
std::string_view sezione_opzioni();
std::string_view sezione_comandi();
std::string_view sezione_uscita();
std::string_view sezione_ambiente();
std::string_view sezione_vedere();
std::string_view parola_comando();  // COMMAND in the synopsis
std::span<const voce_manuale> stati_di_uscita();
std::span<const voce_manuale> variabili_ambiente();
std::string_view vedere_anche();

}  // namespace messaggi

#endif  // CLI_MESSAGGI_H_
