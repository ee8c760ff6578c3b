// The driver's three documents for an author's own scenario, made from the
// compiled tables: the train sheet, the slowdown prescriptions and the notes,
// in the same form as the default build's documents.
#ifndef DOCUMENTS_DOCUMENTI_AUTORE_H_
#define DOCUMENTS_DOCUMENTI_AUTORE_H_

#include <optional>
#include <string>
#include <vector>

#include "tables/tabelle.h"

// A day of the calendar; the caller gives it (today's date by default), so
// that the same input always gives the same bytes.
struct data_calendario {
  int giorno = 0;
  int mese = 0;
  int anno = 0;
};

// What the tables cannot tell. Texts are UTF-8, as the author types them; an
// absent value takes the default that its comment gives.
struct opzioni_documenti {
  // Sheet heading: the train's number; default the train code of record 86.
  std::optional<std::string> codice_treno;
  // Sheet box "CLASSIFICAZIONE"; default blank.
  std::string classificazione;
  // Sheet box "MASSA BLOCCATA"; default the braked-mass percentage of record
  // 84, "130%" (blank when it is 0).
  std::optional<std::string> massa_bloccata;
  // The two entries on the right of the heading. Default of the upper one:
  // "V" and the highest speed limit of the run, "V150"; of the lower one: the
  // number of coaches of record 84, "12 VETTURE" (blank when it is 0).
  std::optional<std::string> voce_alta;
  std::optional<std::string> voce_bassa;

  // Notes heading. An empty author or e-mail reads "non indicato".
  std::string autore;
  std::string email;
  int numero = 1;  // the scenario's progressive number, from 1
  data_calendario data;
  // The author's prose, one paragraph per line, wrapped at 96 characters;
  // default a short summary of the scenario.
  std::optional<std::string> testo;
};

// The lines of one document as Windows-1252 text without line ends, or the
// reason why there are none (Italian, Windows-1252).
struct documento {
  std::vector<std::string> righe;
  std::string errore;
  bool ok() const { return errore.empty(); }
};

// The train sheet: a heading box, the classification and braked-mass boxes, and
// a table with a row per station and per change of the speed limit between the
// first and the last station. A time marked "*" is estimated.
documento righe_scheda_autore(const tabelle& t,
                              const opzioni_documenti& opzioni);

// The slowdown prescriptions: a line per slowdown, from km to km with its
// speed, or "NESSUNA PRESCRIZIONE".
documento righe_rallentamenti_autore(const tabelle& t);

// The notes: author, e-mail, number and date, an empty line, then the author's
// prose or the summary.
documento righe_note_autore(const tabelle& t, const opzioni_documenti& opzioni);

#endif  // DOCUMENTS_DOCUMENTI_AUTORE_H_
