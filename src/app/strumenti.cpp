#include "app/strumenti.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/documentazione_cli.h"
#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/messaggi.h"
#include "cli/nomi_dai_file.h"
#include "lsp/formattazione_editore.h"
#include "lsp/lsp.h"
#include "cli/percorsi.h"
#include "cli/rapporto.h"
#include "cli/scenari_cartella.h"
#include "cli/suggerimento.h"
#include "cli/testi_cli.h"
#include "commands/compila.h"
#include "commands/decompila.h"
#include "commands/formatta.h"
#include "commands/ispeziona.h"
#include "commands/nuovo.h"
#include "commands/pagina_comando.h"
#include "page/pagina.h"
#include "watch/vigila.h"

namespace {

const char* descrizione() {
  return traduci(
      "Scenario builder.\n"
      "Without arguments it writes the default scenario (KT52806 on the line "
      "Valdora_Cesina)\n"
      "next to the executable: three documents for the driver and three "
      "binary files for the\n"
      "simulator. With a command it compiles or checks the descriptions that "
      "an author wrote,\n"
      "shows the content of the binary files or draws a summary page of "
      "them.");
}

// The program's command line: the parser and what each command fills.
struct riga_di_comando {
  CLI::App app{descrizione(), "scenario_builder"};
  opzioni_compila compila, controlla, documenti;
  opzioni_ispeziona ispeziona;
  opzioni_pagina pagina;
  opzioni_nuovo nuovo;
  opzioni_decompila decompila;
  opzioni_vigila vigila;
  opzioni_formatta formatta;
  CLI::App* c = nullptr;
  CLI::App* k = nullptr;
  CLI::App* i = nullptr;
  CLI::App* r = nullptr;
  CLI::App* m = nullptr;
  CLI::App* n = nullptr;
  CLI::App* d = nullptr;
  CLI::App* w = nullptr;
  CLI::App* f = nullptr;
  CLI::App* l = nullptr;
  int pausa_lsp = static_cast<int>(attesa_modifica.count());
};

// A command with its one example at the end of its help. Its help option
// was made before it took the program's option group, so it is put there.
CLI::App* aggiungi_comando(CLI::App& app, const std::string& nome,
                           const std::string& testo) {
  CLI::App* comando = app.add_subcommand(nome, testo);
  comando->footer(messaggi::esempio(nome));
  comando->group(traduci("Commands"));
  comando->get_help_ptr()->group(traduci("Options"));
  return comando;
}

template <typename Opzioni>
void opzioni_nomi(CLI::App* comando, Opzioni& o) {
  comando
      ->add_option("--line-name", o.nome_linea,
                   traduci("line name (first part of the file names)"))
      ->capture_default_str();
  comando->add_option("--train-code", o.codice_treno, traduci("train code"))
      ->capture_default_str();
}

// The folder of a scenario's binary files and its names, shared by report and
// decompile: without the names the folder's one scenario is taken, so they
// show no default.
template <typename Opzioni>
void cartella_dello_scenario(CLI::App* comando, Opzioni& o) {
  comando->add_option("DIR", o.cartella, traduci("the binary files' folder"))
      ->capture_default_str()
      ->type_name("DIR");
  comando->add_option("--line-name", o.nome_linea, traduci("line name"));
  comando->add_option("--train-code", o.codice_treno, traduci("train code"));
}

// How long a command that reads or writes a folder of scenario files waits for
// another run that holds it.
void opzione_attesa(CLI::App* comando, int& secondi) {
  comando
      ->add_option("--lock-wait", secondi,
                   traduci("seconds to wait for a folder that another run "
                           "holds before giving up with status 3"))
      ->capture_default_str()
      // No range in the help: CLI11 would write it in English.
      ->check(CLI::Range(0, 86400).description(""));
}

// The two descriptions and the scenario's names, shared by compile and check.
void opzioni_descrizioni(CLI::App* comando, opzioni_compila& o) {
  comando
      ->add_option(traduci("LINE_DESCRIPTION"), o.linea,
                   traduci("line description"))
      ->required()
      ->type_name("FILE");
  comando
      ->add_option(traduci("TRAIN_RUN_DESCRIPTION"), o.treno,
                   traduci("train-run description"))
      ->required()
      ->type_name("FILE");
  opzioni_nomi(comando, o);
}

// The options of the checks, shared by compile, check and documents; what
// --strict does besides is each command's own.
void opzioni_controllo(CLI::App* comando, opzioni_compila& o,
                       const char* rigoroso) {
  comando->add_flag("--strict", o.rigoroso, rigoroso);
  comando
      ->add_option_function<std::string>(
          "--encoding",
          [&o](const std::string& codifica) {
            o.da_utf8 = codifica == "utf-8";
          },
          traduci("the descriptions' encoding: windows-1252 (the default) or "
                  "utf-8"))
      ->check(CLI::IsMember({"windows-1252", "utf-8"}));
}

// The options of the driver's documents, shared by compile and documents.
std::vector<CLI::Option*> opzioni_documenti_cli(CLI::App* comando,
                                                richiesta_documenti& r) {
  return {
      comando->add_option("--classificazione", r.classificazione,
                          traduci("the train sheet's CLASSIFICAZIONE box")),
      comando->add_option("--massa-bloccata", r.massa_bloccata,
                          traduci("the MASSA BLOCCATA box (default: the "
                                  "percentuale massa frenata, 130%)")),
      comando->add_option("--voce-alta", r.voce_alta,
                          traduci("the entry at the sheet's top right "
                                  "(default: V and the highest speed, "
                                  "V150)")),
      comando->add_option("--voce-bassa", r.voce_bassa,
                          traduci("the entry at the sheet's bottom right "
                                  "(default: the number of cars, 12 "
                                  "VETTURE)")),
      comando->add_option("--autore", r.autore,
                          traduci("the scenario's author")),
      comando->add_option("--email", r.email,
                          traduci("the author's e-mail address")),
      comando
          ->add_option("--numero", r.numero,
                       traduci("the scenario's progressive number, from 1"))
          ->capture_default_str(),
      comando->add_option("--data", r.data,
                          traduci("the scenario's date, DD.MM.YYYY (default: "
                                  "today)")),
      comando
          ->add_option("--testo", r.testo,
                       traduci("a UTF-8 text file for the notes (default: a "
                               "summary of the scenario)"))
          ->type_name("FILE"),
  };
}

CLI::App* aggiungi_compila(CLI::App& app, opzioni_compila& o) {
  CLI::App* c = aggiungi_comando(
      app, "compile",
      traduci("compiles a line description and a train-run description into "
              "the binary files"));
  opzioni_descrizioni(c, o);
  c->add_option("--out", o.cartella, traduci("the binary files' folder"))
      ->capture_default_str()
      ->type_name("DIR");
  c->add_flag("--no-plan", o.senza_piano,
              traduci("neither works out nor writes the line's plan"));
  c->add_flag("--report", o.pagina,
              traduci("also writes the summary page (HTML)"));
  opzioni_controllo(c, o,
                    traduci("a warning counts as an error too (compile writes "
                            "no file)"));
  CLI::Option* documenti = c->add_flag(
      "--documents", o.documenti,
      traduci("also writes the train sheet, the slowdowns and the notes"));
  for (CLI::Option* d : opzioni_documenti_cli(c, o.richiesta))
    d->needs(documenti);
  opzione_attesa(c, o.attesa_blocco);
  return c;
}

CLI::App* aggiungi_documenti(CLI::App& app, opzioni_compila& o) {
  CLI::App* d = aggiungi_comando(
      app, "documents",
      traduci("writes the train sheet, the slowdowns and the notes from the "
              "two descriptions, without binary files"));
  opzioni_descrizioni(d, o);
  d->add_option("--out", o.cartella, traduci("the documents' folder"))
      ->capture_default_str()
      ->type_name("DIR");
  opzioni_controllo(d, o,
                    traduci("a warning counts as an error too (no document "
                            "is written)"));
  opzioni_documenti_cli(d, o.richiesta);
  opzione_attesa(d, o.attesa_blocco);
  return d;
}

CLI::App* aggiungi_controlla(CLI::App& app, opzioni_compila& o) {
  CLI::App* k = aggiungi_comando(
      app, "check",
      traduci("reads and checks the two descriptions as compile does, "
              "writing no file"));
  opzioni_descrizioni(k, o);
  k->add_flag("--json", o.json, traduci("the findings in JSON"));
  opzioni_controllo(k, o,
                    traduci("a warning counts as an error too (the exit "
                            "status is 1)"));
  return k;
}

CLI::App* aggiungi_ispeziona(CLI::App& app, opzioni_ispeziona& o) {
  CLI::App* i = aggiungi_comando(
      app, "inspect",
      traduci("shows the content of the binary files (*_linea.dat, *.sim, "
              "*.dat)"));
  i->add_option("FILE", o.file, traduci("the files to show"))
      ->required()
      ->type_name("FILE");
  i->add_flag("--all", o.tutto,
              traduci("every cell and every record, the empty ones too"));
  i->add_option("--at", o.metro,
                traduci("only the cells around this position (metres)"));
  i->add_flag("--json", o.json, traduci("everything in JSON (texts in UTF-8)"));
  i->add_flag("--csv", o.csv, traduci("the cells in CSV, a row a cell"));
  i->get_option("--json")->excludes("--csv");
  opzione_attesa(i, o.attesa_blocco);
  return i;
}

CLI::App* aggiungi_pagina(CLI::App& app, opzioni_pagina& o) {
  CLI::App* r = aggiungi_comando(
      app, "report",
      traduci("writes <line>_<train>_report.html from the binary files of a "
              "scenario"));
  cartella_dello_scenario(r, o);
  opzione_attesa(r, o.attesa_blocco);
  return r;
}

CLI::App* aggiungi_nuovo(CLI::App& app, opzioni_nuovo& o) {
  CLI::App* n =
      aggiungi_comando(app, "new", std::string(messaggi::descrizione_nuovo()));
  n->add_option("DIR", o.cartella,
                std::string(messaggi::aiuto_cartella_nuovo()))
      ->required()
      ->type_name("DIR");
  opzioni_nomi(n, o);
  opzione_attesa(n, o.attesa_blocco);
  return n;
}

CLI::App* aggiungi_decompila(CLI::App& app, opzioni_decompila& o) {
  CLI::App* d = aggiungi_comando(
      app, "decompile",
      traduci("writes the two descriptions again from the binary files of a "
              "scenario"));
  cartella_dello_scenario(d, o);
  d->add_option("--out", o.uscita,
                traduci("the descriptions' folder (created when missing)"))
      ->required()
      ->type_name("DIR");
  d->add_flag("--force", o.sostituisci,
              traduci("replaces the descriptions already there"));
  opzione_attesa(d, o.attesa_blocco);
  return d;
}

CLI::App* aggiungi_vigila(CLI::App& app, opzioni_vigila& o) {
  CLI::App* w = aggiungi_comando(
      app, "watch",
      traduci("compiles the two descriptions at every save and shows their "
              "summary page live at http://127.0.0.1:PORT/"));
  opzioni_descrizioni(w, o.compila);
  w->add_option("--out", o.compila.cartella,
                traduci("the binary files' folder, held for the whole run; "
                        "only a build without errors replaces its files"))
      ->capture_default_str()
      ->type_name("DIR");
  w->add_option("--port", o.porta,
                traduci("the port on 127.0.0.1 (0: any free one; by default "
                        "this one or the next free one)"))
      ->capture_default_str()
      ->check(CLI::Range(0, 65535));
  opzioni_controllo(w, o.compila,
                    traduci("a warning counts as an error too (the files "
                            "are not replaced)"));
  opzione_attesa(w, o.compila.attesa_blocco);
  return w;
}

CLI::App* aggiungi_formatta(CLI::App& app, opzioni_formatta& o) {
  CLI::App* f = aggiungi_comando(
      app, "fmt",
      traduci("rewrites descriptions in their canonical layout, never "
              "changing what they compile to"));
  f->add_option("FILE", o.file,
                traduci("the descriptions to format; - reads standard input "
                        "and writes standard output"))
      ->required()
      ->type_name("FILE");
  f->add_flag("--check", o.controlla,
              traduci("writes nothing; lists the files that would change and "
                      "exits with 1 when there is one"));
  f->add_flag("--diff", o.differenze,
              traduci("writes nothing; shows the changes as a unified diff"));
  return f;
}

CLI::App* aggiungi_lsp(CLI::App& app, int& pausa) {
  CLI::App* l = aggiungi_comando(
      app, "lsp",
      traduci("a language server (LSP) on standard input and output: "
              "diagnostics, hover, completion, quick fixes, outline, go to "
              "definition and formatting for the descriptions open in an "
              "editor"));
  l->add_option("--pause", pausa,
                traduci("milliseconds that a change waits for the next one "
                        "before it is checked"))
      ->check(CLI::Range(0, 10000))
      ->capture_default_str();
  return l;
}

void costruisci(riga_di_comando& rc) {
  rc.app.formatter(formato_aiuto());
  rc.app.option_defaults()->group(traduci("Options"));
  rc.app.set_help_flag("-h,--help", std::string(messaggi::aiuto_aiuto()));
  rc.app.set_version_flag("--version", messaggi::versione(),
                          std::string(messaggi::aiuto_versione()));
  rc.app.require_subcommand(1);
  rc.c = aggiungi_compila(rc.app, rc.compila);
  rc.k = aggiungi_controlla(rc.app, rc.controlla);
  rc.i = aggiungi_ispeziona(rc.app, rc.ispeziona);
  rc.r = aggiungi_pagina(rc.app, rc.pagina);
  rc.m = aggiungi_documenti(rc.app, rc.documenti);
  rc.n = aggiungi_nuovo(rc.app, rc.nuovo);
  rc.d = aggiungi_decompila(rc.app, rc.decompila);
  rc.w = aggiungi_vigila(rc.app, rc.vigila);
  rc.f = aggiungi_formatta(rc.app, rc.formatta);
  rc.l = aggiungi_lsp(rc.app, rc.pausa_lsp);
  etichette_dei_tipi(rc.app);
}

std::vector<std::string> nomi_comandi(const CLI::App& app) {
  std::vector<std::string> nomi;
  for (const CLI::App* comando : app.get_subcommands({}))
    nomi.push_back(comando->get_name());
  return nomi;
}

// The "Usage:" line of the help of the program or of one of its commands.
std::string riga_uso(const CLI::App& app, const CLI::App& comando) {
  std::istringstream aiuto(&comando == &app ? app.help()
                                            : comando.help(app.get_name()));
  const std::string inizio = etichetta_uso() + ":";
  std::string riga;
  while (std::getline(aiuto, riga)) {
    if (riga.rfind(inizio, 0) == 0) return riga + '\n';
  }
  return "";
}

// A bad command line's own error; the usage and the help follow it, for
// every bad command line, in esegui_strumenti.
int uso_errato(std::string_view errore, std::ostream& errori) {
  errori << "scenario_builder: " << errore << '\n';
  return uscita_uso_errato;
}

// The end of every bad command line: the usage of the command being read and
// where to find its help.
void uso_e_aiuto(const CLI::App& app, std::ostream& errori) {
  const CLI::App* comando = &app;
  for (const CLI::App* c : app.get_subcommands({})) {
    if (c->parsed()) comando = c;
  }
  errori << riga_uso(app, *comando)
         << messaggi::aiuto_per(comando == &app ? "" : comando->get_name())
         << '\n';
}

// The names of the program's own options ("-h", "--help", "--version"); the
// long ones alone are offered when one is mistyped.
std::vector<std::string> nomi_opzioni(const CLI::App& app, bool brevi) {
  std::vector<std::string> nomi;
  for (const CLI::Option* o : app.get_options()) {
    for (const std::string& l : o->get_lnames()) nomi.push_back("--" + l);
    if (!brevi) continue;
    for (const std::string& s : o->get_snames()) nomi.push_back("-" + s);
  }
  return nomi;
}

bool tra(const std::vector<std::string>& nomi, std::string_view parola) {
  return std::find(nomi.begin(), nomi.end(), parola) != nomi.end();
}

// Before the command: an option the program does not have, or the first word
// that is not an option, which names the command (the program's own options
// take no value); either gets the closest name.
std::optional<int> prima_del_comando(const CLI::App& app, int argc, char** argv,
                                     std::ostream& errori) {
  const std::vector<std::string> nomi = nomi_comandi(app);
  const std::vector<std::string> opzioni = nomi_opzioni(app, true);
  for (int n = 1; n < argc; ++n) {
    const std::string_view parola = argv[n];
    if (parola.empty() || parola == "--") continue;
    if (parola.front() == '-') {
      if (tra(opzioni, parola)) continue;
      errori << messaggi::opzione_sconosciuta(
                    parola, nome_vicino(parola, nomi_opzioni(app, false)))
             << '\n';
      return uscita_uso_errato;
    }
    if (tra(nomi, parola)) break;
    errori << messaggi::comando_sconosciuto(parola, nome_vicino(parola, nomi),
                                            nomi)
           << '\n';
    return uscita_uso_errato;
  }
  return std::nullopt;
}

// A word that CLI11 did not take after the command: when one reads as a long
// option, it is one the command does not have, and gets the closest name.
std::optional<int> opzione_del_comando(const CLI::App& app, int argc,
                                       char** argv, std::ostream& errori) {
  const CLI::App* comando = nullptr;
  for (const CLI::App* c : app.get_subcommands({})) {
    if (c->parsed()) comando = c;
  }
  if (comando == nullptr) return std::nullopt;
  const std::vector<std::string> opzioni = nomi_opzioni(*comando, false);
  const std::vector<std::string> del_programma = nomi_opzioni(app, false);
  for (int n = 1; n < argc; ++n) {
    const std::string_view intera = argv[n];
    if (intera == "--") break;
    if (intera.rfind("--", 0) != 0) continue;
    const std::string_view parola = intera.substr(0, intera.find('='));
    if (tra(opzioni, parola)) continue;
    if (tra(del_programma, parola)) {
      errori << messaggi::opzione_del_programma(parola) << '\n';
      return uscita_uso_errato;
    }
    errori << messaggi::opzione_sconosciuta(parola,
                                            nome_vicino(parola, opzioni))
           << '\n';
    return uscita_uso_errato;
  }
  return std::nullopt;
}

// Parses the command line; a status to end with when it does not name a
// command to run.
std::optional<int> analizza(CLI::App& app, int argc, char** argv,
                            std::ostream& uscita, std::ostream& errori) {
  if (auto fine = prima_del_comando(app, argc, argv, errori)) return *fine;
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    uscita << app.help();
    return uscita_riuscita;
  } catch (const CLI::CallForAllHelp&) {
    uscita << app.help("", CLI::AppFormatMode::All);
    return uscita_riuscita;
  } catch (const CLI::CallForVersion& e) {
    uscita << e.what() << '\n';
    return uscita_riuscita;
  } catch (const CLI::ParseError& e) {
    // A mistyped option is said first: the value or argument missing after
    // it follows from it.
    if (auto fine = opzione_del_comando(app, argc, argv, errori)) return *fine;
    return uso_errato(errore_della_riga(e), errori);
  }
  return std::nullopt;
}

// `report` and `decompile` without both names take them from the one
// scenario of their folder.
template <typename Opzioni>
std::optional<int> nomi_dalla_cartella(const CLI::App& comando, Opzioni& o,
                                       std::ostream& errori) {
  o.cartella = percorso_pulito(o.cartella);
  const bool con_linea = comando.get_option("--line-name")->count() > 0;
  const bool con_treno = comando.get_option("--train-code")->count() > 0;
  if (con_linea && con_treno) return std::nullopt;
  // A name given is refused before the folder is searched with it.
  scenario controllato;
  const esito_nomi nomi =
      scenario_da_nomi(o.nome_linea, o.codice_treno, controllato);
  if (nomi.motivo != nome_rifiutato::nessuno) return errore_nome(nomi, errori);
  nomi_scenario scelto;
  const auto fine = scegli_scenario(
      o.cartella, con_linea ? std::optional(o.nome_linea) : std::nullopt,
      con_treno ? std::optional(o.codice_treno) : std::nullopt, scelto, errori);
  o.nome_linea = scelto.linea;
  o.codice_treno = scelto.treno;
  return fine;
}

// `compile`, `check`, `documents` and `watch` take the names that `new` put
// into the descriptions' file names, for each one not given, and say so.
void nomi_dai_file_descrizioni(const CLI::App& comando, opzioni_compila& o,
                               std::ostream& errori) {
  const std::string detto = scegli_nomi_dai_file(
      o.linea, o.treno, comando.get_option("--line-name")->count() > 0,
      comando.get_option("--train-code")->count() > 0, o.nome_linea,
      o.codice_treno);
  if (!detto.empty()) errori << visibile(detto) << '\n';
}

// Runs the command that the arguments name; usage errors go to `errori`.
int esegui_comando(riga_di_comando& rc, int argc, char** argv,
                   std::ostream& uscita, std::ostream& errori) {
  if (auto fine = analizza(rc.app, argc, argv, uscita, errori)) return *fine;
  if (rc.c->parsed()) {
    rc.compila.cartella = percorso_pulito(rc.compila.cartella);
    nomi_dai_file_descrizioni(*rc.c, rc.compila, errori);
    return esegui_compila(rc.compila, uscita, errori);
  }
  if (rc.k->parsed()) {
    nomi_dai_file_descrizioni(*rc.k, rc.controlla, errori);
    return esegui_controlla(rc.controlla, uscita, errori);
  }
  if (rc.i->parsed()) return esegui_ispeziona(rc.ispeziona, uscita, errori);
  if (rc.r->parsed()) {
    if (auto fine = nomi_dalla_cartella(*rc.r, rc.pagina, errori)) return *fine;
    return esegui_pagina(rc.pagina, uscita, errori);
  }
  if (rc.m->parsed()) {
    rc.documenti.cartella = percorso_pulito(rc.documenti.cartella);
    nomi_dai_file_descrizioni(*rc.m, rc.documenti, errori);
    return esegui_documenti(rc.documenti, uscita, errori);
  }
  if (rc.n->parsed()) return esegui_nuovo(rc.nuovo, uscita, errori);
  if (rc.d->parsed()) {
    if (auto fine = nomi_dalla_cartella(*rc.d, rc.decompila, errori))
      return *fine;
    rc.decompila.uscita = percorso_pulito(rc.decompila.uscita);
    return esegui_decompila(rc.decompila, uscita, errori);
  }
  if (rc.w->parsed()) {
    rc.vigila.compila.cartella = percorso_pulito(rc.vigila.compila.cartella);
    nomi_dai_file_descrizioni(*rc.w, rc.vigila.compila, errori);
    rc.vigila.porta_data = rc.w->get_option("--port")->count() > 0;
    return esegui_vigila(rc.vigila, uscita, errori);
  }
  if (rc.f->parsed())
    return esegui_formatta(rc.formatta, std::cin, uscita, errori);
  if (rc.l->parsed())
    return esegui_lsp(0, uscita, std::chrono::milliseconds(rc.pausa_lsp),
                      formatta_per_editore);
  return uso_errato(traduci("a command is needed"), errori);
}

}  // namespace

int esegui_strumenti(int argc, char** argv, std::ostream& uscita,
                     std::ostream& errori) {
  riga_di_comando rc;
  costruisci(rc);
  const int esito = esegui_comando(rc, argc, argv, uscita, errori);
  if (esito == uscita_uso_errato) uso_e_aiuto(rc.app, errori);
  return con_uscita_scritta(esito, uscita, errori);
}

int con_uscita_scritta(int esito, std::ostream& uscita, std::ostream& errori) {
  // What could not reach standard output (a full disk, a closed pipe) did not
  // reach the user: the run failed as a file that cannot be written does.
  errno = 0;
  uscita.flush();
  if (uscita.good() || uscita_riportata(uscita)) return esito;
  return std::max(esito, errore_uscita_standard(errno, errori));
}

std::string pagina_manuale_programma() {
  riga_di_comando rc;
  costruisci(rc);
  return pagina_manuale(rc.app, messaggi::versione());
}

std::string completamento_programma() {
  riga_di_comando rc;
  costruisci(rc);
  return completamento_bash(rc.app);
}
