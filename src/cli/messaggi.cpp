#include "cli/messaggi.h"

#include <array>

#include "cli/lingua.h"

namespace messaggi {

namespace {

struct esempio_comando {
  std::string_view comando;
  const char* riga;
};

// The examples name files as a user of the language would.
constexpr std::array<esempio_comando, 10> esempi = {{
    {"compile",
     N_("scenario_builder compile line.txt train.txt --out scenario/ "
        "--report")},
    {"check", N_("scenario_builder check --strict line.txt train.txt")},
    {"inspect",
     "scenario_builder inspect scenario/Valdora_Cesina_KT52806.dat --at 4000"},
    {"report", "scenario_builder report scenario/"},
    {"documents",
     N_("scenario_builder documents line.txt train.txt --out scenario/ "
        "--data 01.06.2025")},
    {"new", N_("scenario_builder new my_scenario --line-name Alta_Valle "
               "--train-code R101")},
    {"decompile", N_("scenario_builder decompile scenario/ --out sources/")},
    {"watch", N_("scenario_builder watch line.txt train.txt --out scenario/")},
    {"fmt", N_("scenario_builder fmt --check line.txt train.txt")},
    {"lsp", "scenario_builder lsp --pause 300"},
}};

constexpr std::array<voce_manuale, 6> uscite = {{
    {"0", N_("everything written, no error recorded")},
    {"1", N_("an error recorded in a description or in the route scan (the "
             "files are written all the same, except with --strict)")},
    {"2", N_("Error no. 1250 or 1251, reserved content in cell 1 or in record "
             "85: no binary file written")},
    {"3", N_("a file cannot be read or written")},
    {"64", N_("bad command line")},
    {"128+n", N_("ended by signal n (SIGINT, SIGTERM, SIGHUP): the temporary "
                 "files are removed first and no file is replaced")},
}};

constexpr std::array<voce_manuale, 3> ambiente = {{
    {"LANG, LC_ALL, LC_MESSAGES, LANGUAGE",
     N_("the language of the messages: Italian under an Italian locale "
        "(it_IT.UTF-8), English otherwise; the words of the descriptions "
        "and of the documents are Italian in every language")},
    {"NO_COLOR", N_("when not empty, the messages have no colours")},
    {"TERM", N_("with dumb, the messages have no colours")},
}};

}  // namespace

std::string versione() {
  return std::string("scenario_builder ") + VERSIONE_PROGRAMMA;
}
std::string_view aiuto_versione() {
  return traduci("print the version and exit");
}
std::string_view aiuto_aiuto() { return traduci("print this help and exit"); }

std::string esempio(std::string_view comando) {
  for (const esempio_comando& e : esempi) {
    if (e.comando == comando)
      return std::string(traduci("Example:")) + "\n  " + traduci(e.riga);
  }
  return "";
}

std::string_view descrizione_nuovo() {
  return traduci(
      "writes into DIR a commented starter scenario: a line description and "
      "a train-run description");
}
std::string_view aiuto_cartella_nuovo() {
  return traduci("the scenario's folder (created when missing)");
}

std::string comando_sconosciuto(std::string_view dato, std::string_view vicino,
                                const std::vector<std::string>& comandi) {
  if (!vicino.empty()) {
    return sostituisci(
        traduci("scenario_builder: \"{0}\" is not a command; maybe \"{1}\"?"),
        {std::string(dato), std::string(vicino)});
  }
  std::string elenco;
  for (const std::string& c : comandi)
    elenco += (elenco.empty() ? "" : " ") + c;
  return sostituisci(
      traduci(
          "scenario_builder: \"{0}\" is not a command; the commands are: {1}"),
      {std::string(dato), elenco});
}

std::string opzione_del_programma(std::string_view dato) {
  return sostituisci(
      traduci("scenario_builder: \"{0}\" is an option of the program: give it "
              "before the command"),
      {std::string(dato)});
}

std::string opzione_sconosciuta(std::string_view dato,
                                std::string_view vicino) {
  if (vicino.empty()) {
    return sostituisci(traduci("scenario_builder: unknown option \"{0}\""),
                       {std::string(dato)});
  }
  return sostituisci(
      traduci("scenario_builder: unknown option \"{0}\"; maybe \"{1}\"?"),
      {std::string(dato), std::string(vicino)});
}

std::string aiuto_per(std::string_view comando) {
  std::string riga = "scenario_builder";
  if (!comando.empty()) riga += " " + std::string(comando);
  return sostituisci(traduci("Help: {0}"), {riga + " --help"});
}

std::string cartella_mancante(std::string_view percorso) {
  return sostituisci(traduci("{0}: output folder not found"),
                     {std::string(percorso)});
}
std::string non_una_cartella(std::string_view percorso) {
  return sostituisci(traduci("{0}: not a folder"), {std::string(percorso)});
}
std::string cartella_non_creata(std::string_view percorso,
                                std::string_view motivo) {
  return sostituisci(traduci("{0}: folder not created: {1}"),
                     {std::string(percorso), std::string(motivo)});
}

std::string file_esistente(std::string_view percorso) {
  return sostituisci(traduci("{0}: exists already"), {std::string(percorso)});
}
std::string_view nessun_file_scritto() {
  return traduci("no file written: existing files are not overwritten");
}

std::string_view nessuna_descrizione_scritta() {
  return traduci(
      "no file written: existing descriptions are replaced only with --force");
}
std::string nomi_dei_file(std::string_view linea, std::string_view treno) {
  return sostituisci(traduci("the files bear the names \"{0}\" and \"{1}\": "
                             "compile with the same --line-name and "
                             "--train-code"),
                     {std::string(linea), std::string(treno)});
}
std::string_view compilare_senza_piano() {
  return traduci("without the plan's file: compile with --no-plan");
}
std::string luogo_cella(int32_t cella, int64_t metro) {
  return sostituisci(traduci("cell {0} ({1} m)"),
                     {std::to_string(cella), std::to_string(metro)});
}
std::string luogo_record(int32_t record) {
  return sostituisci(traduci("record {0}"), {std::to_string(record)});
}
std::string luogo_metro(int32_t metro) {
  return sostituisci(traduci("metre {0}"), {std::to_string(metro)});
}
std::string riga_piu_vicina(std::string_view riga) {
  return sostituisci(traduci("nearest line: {0}"), {std::string(riga)});
}
std::string voci_inspiegate(std::size_t quante) {
  return sostituisci(
      traduci_plurale("{0} entry that no description explains",
                      "{0} entries that no description explains", quante),
      {std::to_string(quante)});
}

std::string nessuno_scenario(std::string_view cartella) {
  return sostituisci(traduci("{0}: no scenario (L_T.sim and L_T.dat are "
                             "needed)"),
                     {std::string(cartella)});
}
std::string nessuno_scenario_nominato(std::string_view cartella,
                                      std::string_view radice) {
  return sostituisci(traduci("{0}: no scenario ({1}.sim and {1}.dat are "
                             "needed)"),
                     {std::string(cartella), std::string(radice)});
}
std::string scenari_diversi(std::string_view cartella, std::size_t quanti) {
  return sostituisci(
      traduci_plurale(
          "{0}: {1} scenario; choose one with --line-name and --train-code:",
          "{0}: {1} scenarios; choose one with --line-name and --train-code:",
          quanti),
      {std::string(cartella), std::to_string(quanti)});
}
std::string scelta_scenario(std::string_view linea, std::string_view treno) {
  return "  --line-name " + std::string(linea) + " --train-code " +
         std::string(treno);
}

std::string_view titolo_manuale() {
  return traduci("scenario builder for a train-driving simulator");
}
std::string_view sezione_nome() { return traduci("NAME"); }
std::string_view sezione_sintassi() { return traduci("SYNOPSIS"); }
std::string_view sezione_descrizione() { return traduci("DESCRIPTION"); }
std::string_view sezione_opzioni() { return traduci("OPTIONS"); }
std::string_view sezione_comandi() { return traduci("COMMANDS"); }
std::string_view sezione_uscita() { return traduci("EXIT STATUS"); }
std::string_view sezione_ambiente() { return traduci("ENVIRONMENT"); }
std::string_view sezione_vedere() { return traduci("SEE ALSO"); }
std::string_view parola_comando() { return traduci("COMMAND"); }
std::span<const voce_manuale> stati_di_uscita() { return uscite; }
std::span<const voce_manuale> variabili_ambiente() { return ambiente; }
std::string_view vedere_anche() {
  return traduci(
      "The reference of the two description languages: descriptions.md, in "
      "the docs folder of the sources and in share/doc/scenario_builder.");
}

}  // namespace messaggi
