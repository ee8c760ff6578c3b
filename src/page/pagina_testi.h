// Every word that the report page shows, in one place (UTF-8), in the
// language of the run. The page's script gets its own words from here too.
// A text with {0}, {1} is a whole phrase whose parts are put in its place.
#ifndef PAGE_PAGINA_TESTI_H_
#define PAGE_PAGINA_TESTI_H_

#include <cstddef>

#include "cli/lingua.h"

namespace parole {

// The page's language tag (its html element's lang).
inline const char* lingua() {
  return traduci_in("the language tag of the report page", "en");
}

// Headings and summary.
inline const char* treno() { return traduci("train {0}"); }
inline const char* percorso_di() { return traduci("Route of {0} m"); }
inline const char* conta_stazioni(std::size_t n) {
  return traduci_plurale("{0} station", "{0} stations", n);
}
inline const char* conta_segnali(std::size_t n) {
  return traduci_plurale("{0} signal", "{0} signals", n);
}
inline const char* conta_indicatori(std::size_t n) {
  return traduci_plurale("{0} speed board", "{0} speed boards", n);
}
inline const char* conta_cartelli(std::size_t n) {
  return traduci_plurale("{0} board with text", "{0} boards with text", n);
}
inline const char* conta_rallentamenti(std::size_t n) {
  return traduci_plurale("{0} slowdown", "{0} slowdowns", n);
}
inline const char* conta_gallerie(std::size_t n) {
  return traduci_plurale("{0} tunnel", "{0} tunnels", n);
}
inline const char* conta_problemi(std::size_t n) {
  return traduci_plurale("{0} problem", "{0} problems", n);
}
inline const char* documenti() { return traduci("Documents for the driver"); }
inline const char* mappa() { return traduci("Map"); }
inline const char* profili() { return traduci("Profiles along the route"); }
inline const char* orario() { return traduci("Timetable"); }
inline const char* stazioni() { return traduci("Stations"); }
inline const char* segnali() { return traduci("Signals"); }
inline const char* indicatori() { return traduci("Speed boards"); }
inline const char* cartelli() { return traduci("Boards with text"); }
inline const char* rallentamenti() { return traduci("Slowdowns"); }
inline const char* gallerie() { return traduci("Tunnels"); }
inline const char* codici() { return traduci("Speed codes"); }
inline const char* problemi() { return traduci("Problems of the compilation"); }
inline const char* elenchi() { return traduci("Lists"); }
inline const char* nessun_problema() { return traduci("No error recorded."); }
inline const char* inspiegato() {
  return traduci("Content that no description explains");
}
inline const char* inspiegato_nota() {
  return traduci(
      "No pair of descriptions compiles to these cells or records (files "
      "written after a fault, or edited by hand); the drawings and tables "
      "above may leave them out. scenario_builder decompile says the same.");
}
inline const char* problemi_non_noti() {
  return traduci(
      "Not known: the page is built from the binary files alone; "
      "<code>scenario_builder compile --report</code> reports the problems "
      "of the compilation.");
}
inline const char* senza_geometria() {
  return traduci(
      "The line's plan is not available (no *_linea.dat file, or compiled "
      "with --no-plan).");
}
inline const char* senza_script() {
  return traduci(
      "Without scripts the page shows the whole route; with scripts one can "
      "zoom, search and sort the tables.");
}

// The legends of the drawings.
inline const char* legenda_stazione() { return traduci("station"); }
inline const char* legenda_segnale() { return traduci("signal"); }
inline const char* legenda_indicatore() {
  return traduci_in("a legend of the drawings", "speed board");
}
inline const char* legenda_cartello() { return traduci("board"); }
inline const char* legenda_codice() { return traduci("speed code"); }
inline const char* legenda_galleria() { return traduci("tunnel"); }
inline const char* legenda_rallentamento() { return traduci("slowdown"); }
inline const char* legenda_errore() { return traduci("error"); }
inline const char* legenda_avviso() { return traduci("warning"); }
inline const char* legenda_non_letto() { return traduci("not read"); }
inline const char* legenda_limite() { return traduci("train's limit"); }
inline const char* legenda_efficace() {
  return traduci("limit in force (train, board A, slowdowns)");
}
inline const char* legenda_indicatori() {
  return traduci("boards A, B, C (left)");
}
inline const char* legenda_oltre() { return traduci("plan beyond the route"); }
inline const char* nota_mappa() {
  return traduci("The plan is turned: start on the left, end on the right.");
}

// Panels of the profiles.
inline const char* pannello_quota() {
  return traduci("Elevation (m, from the gradients)");
}
inline const char* pannello_velocita() { return traduci("Speed (km/h)"); }
inline const char* pannello_curvatura() {
  return traduci("Curvature (1/km, right positive)");
}
inline const char* senza_curvatura() { return traduci("plan not available"); }
// The unit symbol, the same in every language.
inline const char* km() { return "km"; }
// The abbreviation of the kilometric progressive.
inline const char* progr() { return traduci("prog."); }

// What an item is, in its tooltip and its table.
inline const char* stazione() { return traduci("Station {0}"); }
inline const char* segnale() { return traduci("Signal {0}"); }
inline const char* indicatore() { return traduci("Speed board"); }
inline const char* cartello() { return traduci("Board"); }
inline const char* codice() { return traduci("Speed code {0}"); }
inline const char* codice_senza_valore() { return traduci("without a value"); }
inline const char* galleria_di_tipo() { return traduci("Tunnel of kind {0}"); }
inline const char* rallentamento_a() { return traduci("Slowdown at {0} km/h"); }
inline const char* da_a() { return traduci("from {0} to {1}"); }
inline const char* non_letto_linea() {
  return traduci(
      "Not read: the reading of the line description stopped at {0}");
}
inline const char* non_letto_treno() {
  return traduci(
      "Not read: the reading of the train-run description stopped at {0}");
}
inline const char* errore() { return traduci("error"); }
inline const char* avviso() { return traduci("warning"); }
inline const char* sinistra() { return traduci("left {0}"); }
inline const char* destra() { return traduci("right {0}"); }
inline const char* strisce() { return traduci("stripes {0}"); }
inline const char* tipo() { return traduci("kind {0}"); }
inline const char* area() { return traduci("area {0}–{1} m"); }
inline const char* fermata() { return traduci("stop"); }

// Table columns.
inline const char* col_numero() { return traduci("No."); }
inline const char* col_record() { return traduci("Record"); }
inline const char* col_posizione() { return traduci("Position (m)"); }
inline const char* col_progressiva() { return traduci("Progressive (km)"); }
inline const char* col_stazione() { return traduci("Station"); }
inline const char* col_tipo() { return traduci("Kind"); }
inline const char* col_area() { return traduci("Area (m)"); }
inline const char* col_orario() { return traduci("Time"); }
inline const char* col_sinistra() { return traduci("Left"); }
inline const char* col_destra() { return traduci("Right"); }
inline const char* col_rapp() { return traduci("Packed (rapp)"); }
inline const char* col_tempo() { return traduci("Time value"); }
inline const char* col_testo() { return traduci("Text"); }
inline const char* col_da() { return traduci("From (m)"); }
inline const char* col_a() { return traduci("To (m)"); }
inline const char* col_lunghezza() { return traduci("Length (m)"); }
inline const char* col_velocita() { return traduci("Speed (km/h)"); }
inline const char* col_valore() { return traduci("Value"); }
inline const char* col_gravita() { return traduci("Severity"); }
inline const char* col_dove() { return traduci("Where"); }
inline const char* col_messaggio() { return traduci("Message"); }

// The script's words: the controls, the search and the self-check.
inline const char* riduci() { return traduci("Zoom out"); }
inline const char* ingrandisci() { return traduci("Zoom in"); }
inline const char* indietro() { return traduci("Back"); }
inline const char* avanti() { return traduci("Forward"); }
inline const char* tutto() { return traduci("The whole route"); }
inline const char* cerca() { return traduci("Search"); }
inline const char* cerca_suggerimento() {
  return traduci("station, signal, board or metres");
}
inline const char* vista() { return traduci("View from {0} to {1}"); }
inline const char* nessun_risultato() { return traduci("no result"); }
inline const char* oltre_il_percorso() {
  return traduci("{0}: beyond the route ({1})");
}
inline const char* dall_inizio() { return traduci("{0} from the start"); }
inline const char* progressiva_trovata() {
  return traduci("progressive km {0} at {1} from the start");
}
inline const char* progressiva_assente() {
  return traduci("no progressive km {0} on this route");
}
// The readout at the cursor: metre, progressive, elevation, gradient, the
// radius or straight track, the limit in force, the nearest station.
inline const char* lettura() {
  return traduci(
      "{0} m, prog. {1} km: elevation {2} m, gradient {3} ‰, {4}, limit {5} "
      "km/h, nearest station {6}");
}
inline const char* raggio() { return traduci("radius {0} m"); }
inline const char* rettilineo() { return traduci("straight"); }
inline const char* scarica() { return traduci("Download as"); }
inline const char* filtro_errori() { return traduci("errors ({0})"); }
inline const char* risultato() {
  return traduci_in("the search's results", "{0} of {1}");
}

}  // namespace parole

#endif  // PAGE_PAGINA_TESTI_H_
