#include "tools/messaggi.h"

#include <array>

namespace messaggi {

namespace {

struct esempio_comando {
  std::string_view comando;
  std::string_view riga;
};

constexpr std::array<esempio_comando, 7> esempi = {{
    {"compile",
     "scenario_builder compile linea.txt treno.txt --out scenario/ --report"},
    {"check", "scenario_builder check --strict linea.txt treno.txt"},
    {"inspect",
     "scenario_builder inspect scenario/Valdora_Cesina_KT52806.dat --at 4000"},
    {"report", "scenario_builder report scenario/"},
    {"documents",
     "scenario_builder documents linea.txt treno.txt --out scenario/ "
     "--data 01.06.2025"},
    {"new",
     "scenario_builder new mio_scenario --line-name Alta_Valle --train-code "
     "R101"},
    {"decompile", "scenario_builder decompile scenario/ --out sorgenti/"},
}};

constexpr std::array<voce_manuale, 5> uscite = {{
    {"0", "tutto scritto, nessun errore registrato"},
    {"1",
     "un errore registrato in una descrizione o nella scansione del percorso "
     "(i file sono scritti comunque, tranne con --strict)"},
    {"2",
     "Errore n. 1250 o 1251, contenuto riservato nella cella 1 o nel record "
     "85: nessun file binario scritto"},
    {"3", "un file non si pu\u00f2 leggere o scrivere"},
    {"64", "riga di comando errata"},
}};

constexpr std::array<voce_manuale, 2> ambiente = {{
    {"NO_COLOR", "se non \u00e8 vuota, i messaggi sono senza colori"},
    {"TERM", "con dumb, i messaggi sono senza colori"},
}};

}  // namespace

std::string versione() {
  return std::string("scenario_builder ") + VERSIONE_PROGRAMMA;
}
std::string_view aiuto_versione() { return "mostra la versione ed esce"; }

std::string esempio(std::string_view comando) {
  for (const esempio_comando& e : esempi) {
    if (e.comando == comando) return "Esempio:\n  " + std::string(e.riga);
  }
  return "";
}

std::string_view descrizione_nuovo() {
  return "scrive in DIR uno scenario iniziale commentato: una descrizione "
         "della linea e una del treno";
}
std::string_view aiuto_cartella_nuovo() {
  return "cartella dello scenario (creata se manca)";
}

std::string comando_sconosciuto(std::string_view dato, std::string_view vicino,
                                const std::vector<std::string>& comandi) {
  std::string testo =
      "scenario_builder: \"" + std::string(dato) + "\" non \u00e8 un comando";
  if (!vicino.empty())
    return testo + "; forse \"" + std::string(vicino) + "\"?";
  testo += "; i comandi sono:";
  for (const std::string& c : comandi) testo += " " + c;
  return testo;
}

std::string aiuto_per(std::string_view comando) {
  std::string testo = "Aiuto: scenario_builder";
  if (!comando.empty()) testo += " " + std::string(comando);
  return testo + " --help";
}

std::string cartella_mancante(std::string_view percorso) {
  return std::string(percorso) + ": cartella di uscita non trovata";
}
std::string non_una_cartella(std::string_view percorso) {
  return std::string(percorso) + ": non \u00e8 una cartella";
}
std::string cartella_non_creata(std::string_view percorso,
                                std::string_view motivo) {
  return std::string(percorso) +
         ": cartella non creata: " + std::string(motivo);
}

std::string file_esistente(std::string_view percorso) {
  return std::string(percorso) + ": esiste gi\u00e0";
}
std::string_view nessun_file_scritto() {
  return "nessun file scritto: i file esistenti non si sovrascrivono";
}

std::string_view nessuna_descrizione_scritta() {
  return "nessun file scritto: le descrizioni esistenti si sostituiscono solo "
         "con --force";
}
std::string nomi_dei_file(std::string_view linea, std::string_view treno) {
  return "i file portano i nomi \"" + std::string(linea) + "\" e \"" +
         std::string(treno) +
         "\": compilare con --line-name e --train-code uguali";
}
std::string_view compilare_senza_piano() {
  return "senza il file del piano: compilare con --no-plan";
}
std::string luogo_cella(int32_t cella, int64_t metro) {
  return "cella " + std::to_string(cella) + " (" + std::to_string(metro) +
         " m)";
}
std::string luogo_record(int32_t record) {
  return "record " + std::to_string(record);
}
std::string luogo_metro(int32_t metro) {
  return "metro " + std::to_string(metro);
}
std::string riga_piu_vicina(std::string_view riga) {
  return "riga pi\u00f9 vicina: " + std::string(riga);
}
std::string voci_inspiegate(std::size_t quante) {
  return std::to_string(quante) + (quante == 1 ? " voce" : " voci") +
         " che nessuna descrizione spiega";
}

std::string nessuno_scenario(std::string_view cartella) {
  return std::string(cartella) +
         ": nessuno scenario (servono L_T.sim e L_T.dat)";
}
std::string scenari_diversi(std::string_view cartella, std::size_t quanti) {
  return std::string(cartella) + ": " + std::to_string(quanti) +
         " scenari; sceglierne uno con --line-name e --train-code:";
}
std::string scelta_scenario(std::string_view linea, std::string_view treno) {
  return "  --line-name " + std::string(linea) + " --train-code " +
         std::string(treno);
}

std::string_view titolo_manuale() {
  return "costruttore di scenari per un simulatore di guida di treni";
}
std::string_view sezione_nome() { return "NOME"; }
std::string_view sezione_sintassi() { return "SINTASSI"; }
std::string_view sezione_descrizione() { return "DESCRIZIONE"; }
std::string_view sezione_opzioni() { return "OPZIONI"; }
std::string_view sezione_comandi() { return "COMANDI"; }
std::string_view sezione_uscita() { return "STATO DI USCITA"; }
std::string_view sezione_ambiente() { return "AMBIENTE"; }
std::string_view sezione_vedere() { return "VEDERE ANCHE"; }
std::string_view parola_comando() { return "COMANDO"; }
std::span<const voce_manuale> stati_di_uscita() { return uscite; }
std::span<const voce_manuale> variabili_ambiente() { return ambiente; }
std::string_view vedere_anche() {
  return "Il riferimento dei due linguaggi di descrizione: descriptions.md, "
         "nella cartella docs dei sorgenti e in share/doc/scenario_builder.";
}

}  // namespace messaggi
