// The decompiler's passes, each with what it reads and what it returns, and
// the small helpers that write description lines. No pass changes what
// another made: `decompila` hands each the results it needs, in order.
#ifndef DECOMPILER_PASSI_H_
#define DECOMPILER_PASSI_H_

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

// The tables as every pass reads them: the reserved values and the
// competition codes taken out, so that every other value comes from a
// description line. No pass changes them.
// The cells are the caller's, not a copy (a long route has tens of
// thousands): cell 1, the only one with reserved values, is read through
// `c` from `prima`.
struct tabelle_lette {
  const std::vector<cella>& lette;
  cella prima;  // cell 1
  tabella_stazioni stazioni;
  const coordinate_piano* piano = nullptr;
  int32_t ultima = 0;  // N, the last cell

  const cella& c(int32_t i) const {
    return i == 1 ? prima : lette[static_cast<std::size_t>(i)];
  }
  std::size_t numero_celle() const { return lette.size(); }
  bool in_tabella(int64_t i) const { return i >= 0 && i <= ultima; }
};

// What one pass found that no description compiles to, in the order it found
// it, and the cells whose kind and values (dato1 to dato4, tempo) it explains.
// A cell's own report (`della_cella`) is made once per cell however many
// passes find it: the caller keeps the first.
struct resoconto {
  struct segnalazione {
    voce_inspiegata voce;
    bool della_cella = false;
  };
  std::vector<segnalazione> segnalazioni;
  std::vector<int32_t> spiegate;

  void segnala(voce_inspiegata::tabella dove, int32_t indice, messaggio trovato,
               argomento piu_vicina = std::string());
  void segnala_cella(const tabelle_lette& t, int32_t i,
                     argomento piu_vicina = std::string());
  void spiega(int32_t i) { spiegate.push_back(i); }
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
// The passes, each in its own file. Each takes the tables and what earlier
// passes made, and returns what it makes; `decompila` calls them in order.

// A pass that makes description lines.
struct righe_passo {
  std::vector<voce_descrizione> righe;
  resoconto r;
};

// Records: the general lines of both descriptions, which records are
// stations (1 to numero_stazioni) and which board texts (primo_cartello to
// 80).
struct esito_record {
  std::vector<voce_descrizione> generale_linea;
  std::vector<voce_descrizione> generale_treno;
  int32_t numero_stazioni = 0;
  int32_t primo_cartello = primo_record_cartelli + 1;
  resoconto r;
};
esito_record leggi_record(const tabelle_lette& t);

// Stations: their lines (in record order), approach marks and stop cells.
struct esito_stazioni {
  std::vector<nodo_treno> nodi;
  std::vector<scrittore_avvicinamento> scrittori;
  std::vector<fermata_stazione> fermate;
  resoconto r;
};
esito_stazioni stazioni_treno(const tabelle_lette& t, int32_t numero_stazioni);

// Signals, from the kind-1 cells and from the stop cells that cover one; what
// else a stop cell covers: a speed board of the line description, or nothing
// (`fermate_libere`). Their lines are numbered after the stations'.
struct esito_segnali {
  std::vector<nodo_treno> nodi;
  std::vector<scrittore_avvicinamento> scrittori;
  std::vector<voce_indicatore> indicatori_nascosti;
  std::vector<int32_t> fermate_libere;
  resoconto r;
};
esito_segnali segnali_treno(const tabelle_lette& t, const esito_stazioni& s);

// The train-run description's slowdowns and "abbattimento" lines.
righe_passo rallentamenti_treno(const tabelle_lette& t);
righe_passo codici_treno(const tabelle_lette& t);

// The line description's main part.
righe_passo curve(const tabelle_lette& t);
righe_passo gallerie(const tabelle_lette& t);
righe_passo indicatori_vmax(const tabelle_lette& t,
                            const std::vector<voce_indicatore>& nascosti);
righe_passo cartelli_indicatori(const tabelle_lette& t, int32_t primo_cartello,
                                const std::vector<int32_t>& fermate_libere);

// The stations and signals (indices into `nodi`, the stations first, in
// record order) in the order to write them.
struct esito_ordine {
  std::vector<int32_t> ordine;
  resoconto r;
};
esito_ordine ordine_treno(const tabelle_lette& t,
                          const std::vector<nodo_treno>& nodi,
                          const std::vector<scrittore_avvicinamento>& scrittori,
                          int32_t numero_stazioni);

#endif  // DECOMPILER_PASSI_H_
