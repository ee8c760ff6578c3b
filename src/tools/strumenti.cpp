#include "tools/strumenti.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <vector>

#include "tools/compila.h"
#include "tools/esiti.h"
#include "tools/ispeziona.h"
#include "tools/pagina.h"
#include "tools/percorsi.h"

namespace {

constexpr const char* descrizione =
    "Costruttore di scenari.\n"
    "Senza argomenti scrive lo scenario predefinito (KT52806 sulla linea "
    "Valdora_Cesina)\n"
    "accanto all'eseguibile: tre documenti per il macchinista e tre file "
    "binari per il\n"
    "simulatore. Con un comando compila o controlla le descrizioni scritte da "
    "un autore,\n"
    "mostra il contenuto dei file binari o ne disegna una pagina di riepilogo.";

void opzioni_nomi(CLI::App* comando, opzioni_compila& o) {
  comando
      ->add_option("--line-name", o.nome_linea,
                   "nome della linea (prima parte dei nomi dei file)")
      ->capture_default_str();
  comando->add_option("--train-code", o.codice_treno, "codice del treno")
      ->capture_default_str();
}

// The two descriptions and the scenario's names, shared by compile and check.
void opzioni_descrizioni(CLI::App* comando, opzioni_compila& o) {
  comando->add_option("LINE_DESCRIPTION", o.linea, "descrizione della linea")
      ->required();
  comando
      ->add_option("TRAIN_RUN_DESCRIPTION", o.treno,
                   "descrizione della corsa del treno")
      ->required();
  opzioni_nomi(comando, o);
}

// The options of the checks, shared by compile and check.
void opzioni_controllo(CLI::App* comando, opzioni_compila& o) {
  comando->add_flag("--strict", o.rigoroso,
                    "anche un avviso conta come errore (compile non scrive "
                    "file)");
  comando
      ->add_option_function<std::string>(
          "--encoding",
          [&o](const std::string& codifica) {
            o.da_utf8 = codifica == "utf-8";
          },
          "codifica delle descrizioni: windows-1252 (predefinita) o utf-8")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}));
}

// The options of the driver's documents, shared by compile and documents.
std::vector<CLI::Option*> opzioni_documenti_cli(CLI::App* comando,
                                                richiesta_documenti& r) {
  return {
      comando->add_option("--classificazione", r.classificazione,
                          "riquadro CLASSIFICAZIONE della scheda treno"),
      comando->add_option("--massa-bloccata", r.massa_bloccata,
                          "riquadro MASSA BLOCCATA (predefinito: la "
                          "percentuale massa frenata, 130%)"),
      comando->add_option("--voce-alta", r.voce_alta,
                          "voce in alto a destra della scheda (predefinita: "
                          "V e la velocit\u00e0 massima, V150)"),
      comando->add_option("--voce-bassa", r.voce_bassa,
                          "voce in basso a destra della scheda (predefinita: "
                          "il numero di vetture, 12 VETTURE)"),
      comando->add_option("--autore", r.autore, "autore dello scenario"),
      comando->add_option("--email", r.email, "indirizzo email dell'autore"),
      comando
          ->add_option("--numero", r.numero,
                       "numero progressivo dello scenario, da 1")
          ->capture_default_str(),
      comando->add_option("--data", r.data,
                          "data dello scenario, GG.MM.AAAA (predefinita: "
                          "oggi)"),
      comando->add_option("--testo", r.testo,
                          "file di testo UTF-8 per le note (predefinito: un "
                          "riassunto dello scenario)"),
  };
}

CLI::App* aggiungi_compila(CLI::App& app, opzioni_compila& o) {
  CLI::App* c = app.add_subcommand(
      "compile",
      "compila una descrizione della linea e una del treno nei file binari");
  opzioni_descrizioni(c, o);
  c->add_option("--out", o.cartella, "cartella dei file binari")
      ->capture_default_str();
  c->add_flag("--no-plan", o.senza_piano,
              "non calcola n\u00e9 scrive la geometria della linea");
  c->add_flag("--report", o.pagina,
              "scrive anche la pagina di riepilogo (HTML)");
  opzioni_controllo(c, o);
  CLI::Option* documenti =
      c->add_flag("--documents", o.documenti,
                  "scrive anche la scheda treno, i rallentamenti e le note");
  for (CLI::Option* d : opzioni_documenti_cli(c, o.richiesta))
    d->needs(documenti);
  return c;
}

CLI::App* aggiungi_documenti(CLI::App& app, opzioni_compila& o) {
  CLI::App* d = app.add_subcommand(
      "documents",
      "scrive la scheda treno, i rallentamenti e le note dalle due "
      "descrizioni, senza file binari");
  opzioni_descrizioni(d, o);
  d->add_option("--out", o.cartella, "cartella dei documenti")
      ->capture_default_str();
  opzioni_controllo(d, o);
  opzioni_documenti_cli(d, o.richiesta);
  return d;
}

CLI::App* aggiungi_controlla(CLI::App& app, opzioni_compila& o) {
  CLI::App* k = app.add_subcommand(
      "check",
      "legge e controlla le due descrizioni come compile, senza scrivere file");
  opzioni_descrizioni(k, o);
  k->add_flag("--json", o.json, "risultati in JSON");
  opzioni_controllo(k, o);
  return k;
}

CLI::App* aggiungi_ispeziona(CLI::App& app, opzioni_ispeziona& o) {
  CLI::App* i = app.add_subcommand(
      "inspect",
      "mostra il contenuto dei file binari (*_linea.dat, *.sim, *.dat)");
  i->add_option("FILE", o.file, "file da mostrare")->required();
  i->add_flag("--all", o.tutto, "tutte le celle e tutti i record, anche vuoti");
  i->add_option("--at", o.metro,
                "solo le celle intorno a questa posizione (metri)");
  i->add_flag("--json", o.json, "tutto in JSON (testi in UTF-8)");
  i->add_flag("--csv", o.csv, "le celle in CSV, una riga per cella");
  i->get_option("--json")->excludes("--csv");
  return i;
}

CLI::App* aggiungi_pagina(CLI::App& app, opzioni_pagina& o) {
  CLI::App* r = app.add_subcommand(
      "report",
      "scrive <linea>_<treno>_report.html dai file binari di uno scenario");
  r->add_option("DIR", o.cartella, "cartella dei file binari")
      ->capture_default_str();
  r->add_option("--line-name", o.nome_linea, "nome della linea")
      ->capture_default_str();
  r->add_option("--train-code", o.codice_treno, "codice del treno")
      ->capture_default_str();
  return r;
}

// Parses the command line; a status to end with when it does not name a
// command to run.
std::optional<int> analizza(CLI::App& app, int argc, char** argv,
                            std::ostream& uscita, std::ostream& errori) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    uscita << app.help();
    return uscita_riuscita;
  } catch (const CLI::CallForAllHelp&) {
    uscita << app.help("", CLI::AppFormatMode::All);
    return uscita_riuscita;
  } catch (const CLI::ParseError& e) {
    errori << "scenario_builder: " << e.what() << "\n\n" << app.help();
    return uscita_uso_errato;
  }
  return std::nullopt;
}

}  // namespace

int esegui_strumenti(int argc, char** argv, std::ostream& uscita,
                     std::ostream& errori) {
  CLI::App app{descrizione, "scenario_builder"};
  app.require_subcommand(1);
  opzioni_compila compila, controlla, documenti;
  opzioni_ispeziona ispeziona;
  opzioni_pagina pagina;
  CLI::App* c = aggiungi_compila(app, compila);
  CLI::App* k = aggiungi_controlla(app, controlla);
  CLI::App* i = aggiungi_ispeziona(app, ispeziona);
  CLI::App* r = aggiungi_pagina(app, pagina);
  CLI::App* m = aggiungi_documenti(app, documenti);
  if (auto fine = analizza(app, argc, argv, uscita, errori)) return *fine;
  if (c->parsed()) {
    compila.cartella = percorso_pulito(compila.cartella);
    return esegui_compila(compila, uscita, errori);
  }
  if (k->parsed()) return esegui_controlla(controlla, uscita, errori);
  if (i->parsed()) return esegui_ispeziona(ispeziona, uscita, errori);
  if (r->parsed()) {
    pagina.cartella = percorso_pulito(pagina.cartella);
    return esegui_pagina(pagina, uscita, errori);
  }
  if (m->parsed()) {
    documenti.cartella = percorso_pulito(documenti.cartella);
    return esegui_documenti(documenti, uscita, errori);
  }
  errori << app.help();
  return uscita_uso_errato;
}
