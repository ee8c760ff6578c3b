// The driver's three documents for an author's own scenario, made from the
// compiled tables: the train sheet, the slowdown prescriptions and the notes,
// in the same form as the default build's documents. Every line is
// Windows-1252 text without its line end; the same tables and options always
// give the same lines.
#ifndef DOCUMENTS_DOCUMENTI_AUTORE_H_
#define DOCUMENTS_DOCUMENTI_AUTORE_H_

#include <optional>
#include <string>
#include <vector>

#include "tables/tabelle.h"

// A day of the calendar. The caller gives it, so that nothing here depends on
// the clock.
struct data_calendario {
  int giorno = 0;
  int mese = 0;
  int anno = 0;
};

// True for a day that exists, from year 1 to 9999.
bool data_esistente(const data_calendario& d);

// What the tables cannot tell, once for both forms: as the user types them
// (`richiesta_documenti`, UTF-8, the date and the prose as typed) and as the
// documents take them (`opzioni_documenti`). Texts there are Windows-1252
// (`converti_voce` and `converti_testo` bring an author's UTF-8 there), each
// cut to its box; an absent value takes the default that its comment gives.
template <typename Data, typename Testo>
struct voci_documenti {
  // Sheet box "CLASSIFICAZIONE"; default blank.
  std::string classificazione;
  // Sheet box "MASSA BLOCCATA"; default the braked-mass percentage of record
  // 84, "130%" (blank when it is 0).
  std::optional<std::string> massa_bloccata;
  // The two entries on the right of the heading. Default of the upper one:
  // "V" and the highest speed limit between the first and the last station,
  // "V150"; of the lower one: the number of coaches of record 84, "12
  // VETTURE" (blank when it is 0).
  std::optional<std::string> voce_alta;
  std::optional<std::string> voce_bassa;

  // Notes heading. An empty author or e-mail reads "non indicato".
  std::string autore;
  std::string email;
  int numero = 1;  // the scenario's progressive number, from 1
  Data data;
  Testo testo;
};

// A day that exists; the author's prose, one paragraph a line, wrapped at 96
// characters; default a short summary of the scenario.
using opzioni_documenti =
    voci_documenti<data_calendario, std::optional<std::vector<std::string>>>;

// The train sheet: a heading box, the classification and braked-mass boxes,
// and a table with a row per station, per change of the train's speed limit
// and per speed board from the first to the last station. "Vel. Lim." holds
// only the train's own speed limit, where it changes; a board's row names
// its speeds. A time marked "*" is estimated.
std::vector<std::string> righe_scheda_autore(const tabelle& t,
                                             const opzioni_documenti& opzioni);

// The slowdown prescriptions: a line per slowdown, from km to km with its
// speed, or "NESSUNA PRESCRIZIONE".
std::vector<std::string> righe_rallentamenti_autore(const tabelle& t);

// The notes: author, e-mail, number and date, an empty line, then the
// author's prose or the summary.
std::vector<std::string> righe_note_autore(const tabelle& t,
                                           const opzioni_documenti& opzioni);

#endif  // DOCUMENTS_DOCUMENTI_AUTORE_H_
