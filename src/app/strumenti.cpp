#include "app/strumenti.h"

#include <CLI/CLI.hpp>

#include "app/esiti.h"
#include "app/strumenti_compila.h"

namespace {

constexpr const char* descrizione =
    "Costruttore di scenari.\n"
    "Senza argomenti scrive lo scenario predefinito (KT52806 sulla linea Valdora_Cesina)\n"
    "accanto all'eseguibile: tre documenti per il macchinista e tre file binari per il\n"
    "simulatore. Con un comando compila o controlla le descrizioni scritte da un autore.";

void opzioni_nomi(CLI::App* comando, opzioni_compila& o) {
  comando->add_option("--line-name", o.nome_linea, "nome della linea (prima parte dei nomi dei file)")
      ->capture_default_str();
  comando->add_option("--train-code", o.codice_treno, "codice del treno")->capture_default_str();
}

}  // namespace

int esegui_strumenti(int argc, char** argv, std::ostream& uscita, std::ostream& errori) {
  CLI::App app{descrizione, "scenario_builder"};
  app.require_subcommand(1);

  opzioni_compila compila;
  CLI::App* c = app.add_subcommand(
      "compile", "compila una descrizione della linea e una del treno nei file binari");
  c->add_option("LINE_DESCRIPTION", compila.linea, "descrizione della linea")->required();
  c->add_option("TRAIN_RUN_DESCRIPTION", compila.treno, "descrizione della corsa del treno")
      ->required();
  c->add_option("--out", compila.cartella, "cartella dei file binari")->capture_default_str();
  opzioni_nomi(c, compila);
  c->add_flag("--no-plan", compila.senza_piano, "non calcola n\u00e9 scrive la geometria della linea");

  opzioni_compila controlla;
  CLI::App* k = app.add_subcommand(
      "check", "legge e controlla le due descrizioni come compile, senza scrivere file");
  k->add_option("LINE_DESCRIPTION", controlla.linea, "descrizione della linea")->required();
  k->add_option("TRAIN_RUN_DESCRIPTION", controlla.treno, "descrizione della corsa del treno")
      ->required();
  opzioni_nomi(k, controlla);
  k->add_flag("--json", controlla.json, "risultati in JSON");

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
  if (c->parsed()) return esegui_compila(compila, uscita, errori);
  if (k->parsed()) return esegui_controlla(controlla, uscita, errori);
  errori << app.help();
  return uscita_uso_errato;
}
