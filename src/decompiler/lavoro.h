// The working state that the parts of the decompiler share, and the small
// helpers that write description lines.
#ifndef DECOMPILER_LAVORO_H_
#define DECOMPILER_LAVORO_H_

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "decompiler/decompila.h"
#include "tables/metri.h"
#include "tables/tabelle.h"
#include "tables/valori_celle.h"

// One line of a description with the comment that goes before it (none when
// empty).
struct voce_descrizione {
  std::string commento;
  std::string riga;
};

// A speed board of the line description: visible, or hidden under a stop cell
// that replaced its kind and first value.
struct voce_indicatore {
  int32_t cella = 0;
  int16_t dato[4] = {0, 0, 0, 0};
  bool nascosto = false;
};

// A board text of the line description; `cella` is -1 until a cell is found
// for one whose cell a stop cell covers.
struct voce_cartello {
  int32_t record = 0;
  int32_t cella = -1;
  bool nascosto = false;
};

// A line of the train-run description that writes approach marks: a station
// (`indice` = its record) or a signal (`indice` = its cell). A signal that a
// station's stop cell covers goes before that station (`prima_di` = its
// record; 0 for any other line).
struct nodo_treno {
  bool stazione = false;
  int32_t indice = 0;
  voce_descrizione voce;
  int32_t prima_di = 0;
};

// A station's stop cell: it replaced the kind and the first value of what the
// cell held, and kept the rest.
struct fermata_stazione {
  int32_t cella = 0;
  int32_t record = 0;
};

// One approach mark that a line of `nodi` writes.
struct scrittore_avvicinamento {
  int32_t cella = 0;
  uint8_t valore = 0;
  int32_t nodo = 0;
};

struct lavoro {
  // The tables with the reserved values and the competition codes taken out:
  // every other value comes from a description line.
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  const coordinate_piano* piano = nullptr;
  int32_t ultima = 0;  // N, the last cell

  // Per cell: its kind and values (dato1 to dato4, tempo) are explained, or
  // already reported.
  std::vector<bool> spiegata;
  std::vector<bool> segnalata;
  int32_t numero_stazioni = 0;  // records 1 to numero_stazioni
  int32_t primo_cartello = primo_record_cartelli + 1;  // texts up to 80

  std::vector<voce_descrizione> generale_linea;
  std::vector<voce_descrizione> generale_treno;
  std::vector<voce_indicatore> indicatori;
  std::vector<voce_cartello> cartelli;
  std::vector<fermata_stazione> fermate;
  std::vector<int32_t> fermate_libere;  // stop cells that hide no value
  std::vector<nodo_treno> nodi;         // stations in record order, signals
  std::vector<scrittore_avvicinamento> scrittori;
  std::vector<voce_descrizione> rallentamenti;  // and abbattimento lines
  std::vector<voce_inspiegata> inspiegate;

  const cella& c(int32_t i) const { return celle[static_cast<std::size_t>(i)]; }
  bool in_tabella(int64_t i) const { return i >= 0 && i <= ultima; }
  void segnala(voce_inspiegata::tabella dove, int32_t indice, messaggio trovato,
               argomento piu_vicina = std::string());
  void segnala_cella(int32_t i, argomento piu_vicina = std::string());
};

// "parola, v1, v2, ..."
std::string riga_valori(std::string_view parola,
                        std::initializer_list<int64_t> valori);
// The field that reads back as `testo`: as it is, or between double quotes
// when blanks at its ends, a comma, a line end or a leading quote would change
// it. False when no field reads back as it (a quote in a text that needs
// quoting).
bool campo_testo(const std::string& testo, std::string& campo);
// A comment line: one field with "-" and no comma, so the reader drops it.
std::string riga_commento(std::string_view testo);
// A cell's kind and values in words, for the reports.
messaggio descrivi_cella(const cella& c);

// The metre of an item whose cell is P / 50 + 1 (signals, slowdowns, boards).
inline int64_t metro_cella_piu_uno(int32_t cella) {
  return metro_della_cella(cella, aggancio::punto);
}
// "cella C (M m)" for a comment, M the metre that puts an item there.
std::string cella_e_metro(int32_t cella, aggancio a);
// The range check of the reader: (P + margine) / 50 is not above N.
inline bool entro(int64_t posizione, int32_t margine, int32_t ultima) {
  return posizione + margine <= 50 * int64_t{ultima};
}
// The parts, each in its own file, called in this order by `decompila`.
// Records: the general lines of both descriptions, which records are
// stations and which board texts.
void leggi_record(lavoro& l);
// Stations: their lines, approach marks and stop cells.
void stazioni_treno(lavoro& l);
// The line description's main part.
std::vector<voce_descrizione> indicatori_vmax(lavoro& l);
std::vector<voce_descrizione> cartelli_indicatori(lavoro& l);
std::vector<voce_descrizione> gallerie(lavoro& l);
std::vector<voce_descrizione> curve(lavoro& l);
// The train-run description's items. The signals come with what the stop
// cells cover: a signal, a speed board of the line description, or nothing.
void segnali_treno(lavoro& l);
void rallentamenti_treno(lavoro& l);
void codici_treno(lavoro& l);
// The stations and signals (indices into `nodi`) in the order to write them.
std::vector<int32_t> ordine_treno(lavoro& l);

#endif  // DECOMPILER_LAVORO_H_
