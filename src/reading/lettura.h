// What the two readers share: one description being read, how a step and a
// half of the reading end, and the reading failure handler. The line
// description is read first, the train-run description after it; each is
// deleted from its folder once it has been read.
#ifndef READING_LETTURA_H_
#define READING_LETTURA_H_

#include <cstdint>
#include <string>

#include "core/diagnostica.h"
#include "core/scenario.h"
#include "platform/cartella.h"
#include "reading/lettore.h"
#include "tables/tabelle.h"

// The longest text a record can hold: its byte count is written in 16 bits.
inline constexpr std::size_t testo_massimo = 65535;

// What one reading works on: the scenario's names, the folder that holds the
// two descriptions, the tables it fills and the record of what it finds.
struct contesto_lettura {
  const scenario& sc;
  cartella& c;
  tabelle& t;
  diagnostica& d;
};

// How one keyword line of either description ends.
enum class esito_passo {
  avanti,      // go on with the next test
  fine_parte,  // code 15: the reading ends as at the end of the file
  fermata,     // stopped with a code: the description is deleted, the
               // reading returns
  guasto,      // a reading failure: the failure handler takes over (code 25)
};

// How placing an item on a cell ended.
enum class esito_collocazione {
  posto,
  occupato,     // the cell holds another item: nothing is written
  fuori_misura  // a value does not fit its field: a reading failure
};

// How a half of the reading ends.
enum class esito_lettura {
  prosegui,       // read to its end: the next half follows
  oltre_tabella,  // the line half ended at a position beyond the table (code
                  // 15): the train-run half follows with that code standing
  ritorna,        // stopped with a code: the reading returns
  guasto,         // a reading failure, handled: code 25
};

// One description being read.
struct lettura_descrizione {
  contesto_lettura& x;
  std::string nome;  // the file's name in the folder
  fonte_lettura fonte;
  lettore l;
  std::string stringa_letta;  // the field read last in keyword position
  luogo_lettura luogo;        // where the reader stands, for the reports
  std::string contenuto;  // the bytes `l` reads, unless the folder lends them
};

lettura_descrizione apri_descrizione(contesto_lettura& x, std::string nome,
                                     fonte_lettura fonte);

// Reads a field in keyword position into `stringa_letta`, with the end-of-file
// test before and after it and up to `commenti` comment fields dropped (each
// followed by the test). False at the end of the file; `guasto` on a failed
// read.
bool leggi_parola(lettura_descrizione& d, int commenti);
// Notes that the reader stands on the field just read in keyword position.
void segna_campo(lettura_descrizione& d);
// Notes that the reader stands on the keyword just recognised.
void segna_parola(lettura_descrizione& d);

// A failed read, reported at the item being read (or at the field read last
// between items).
esito_passo guasto(lettura_descrizione& d);
// Stops the reading with a code (and a position): the description is deleted,
// the code recorded.
esito_passo ferma(lettura_descrizione& d, int32_t codice);
esito_passo ferma(lettura_descrizione& d, int32_t codice, int32_t posizione);
// Code 15 at `posizione`: the reading ends as at the end of the file.
esito_passo oltre_tabella(lettura_descrizione& d, int32_t posizione);
// Deletes the description once it has been read. False when the deletion
// fails, which is a reading failure.
bool cancella_descrizione(lettura_descrizione& d);

// The reading failure handler: deletes both descriptions where they still
// exist and records code 25 at the place where the reading stood.
esito_lettura gestisci_guasto(lettura_descrizione& d);

// The range check: (posizione + margine) / 50 is not above the last cell.
bool entro_tabella(const tabelle& t, int32_t posizione, int32_t margine);
bool cella_in_tabella(const tabelle& t, int64_t cella);

#endif  // READING_LETTURA_H_
