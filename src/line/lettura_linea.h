// The reading of the descriptions into the tables: the line half, the reading
// failure handler, and what both halves share.
#ifndef LINE_LETTURA_LINEA_H_
#define LINE_LETTURA_LINEA_H_

#include <string>

#include "app/stato.h"
#include "line/lettore.h"
#include "platform/cartella.h"

// How a half of the reading ends.
enum class esito_lettura {
  prosegui,  // read to its end: the next half follows
  ritorna,   // stopped with a code: the reading returns
  guasto,    // a reading failure: the failure handler takes over (code 25)
};

// The outcome of one keyword line of either description.
enum class passo_lettura {
  avanti,      // go on with the next test
  fine_parte,  // code 15: the reading ends as at the end of the file
  esci,        // the reading returns with its outcome
};

// One description being read.
struct lettura_descrizione {
  stato& s;
  cartella& c;
  std::string nome;  // the file's name in the folder
  fonte_lettura fonte;
  lettore l;
  int riga_ultimo_avviso = 0;
};

// Reads a field in keyword position into `stringa_letta`, with the end-of-file
// test before and after it and up to `commenti` comment fields dropped (each
// followed by the test). False at the end of the file; `guasto` on a failed
// read.
bool leggi_parola(lettura_descrizione& d, int commenti);
// Notes that the reader stands on the keyword just recognised, for the fault
// reports.
void segna_parola(lettura_descrizione& d);
// A field in keyword position that passed no test: a warning, one per line.
void avvisa_campo_ignorato(lettura_descrizione& d);
// A failed read: records where it stood and hands over to the failure handler.
esito_lettura guasto_lettura(lettura_descrizione& d);
// Stops the reading with a code (and a position): the description is deleted,
// the code recorded.
esito_lettura ferma_lettura(lettura_descrizione& d, int32_t codice);
esito_lettura ferma_lettura(lettura_descrizione& d, int32_t codice,
                            int32_t posizione);
// Deletes the description once it has been read; a deletion that fails is a
// reading failure.
bool chiudi_e_cancella(lettura_descrizione& d);
// The range check: (posizione + margine) / 50 is not above the last cell.
// `senza_tabella` is set when there are no cells to check against yet.
bool entro_tabella(const stato& s, int32_t posizione, int32_t margine);

// The line half of the reading: the line description into the tables, then
// deleted. `prosegui` when the train-run description is to be read next (also
// after a code 15).
esito_lettura memorizza_dati_linea(stato& s, cartella& c);

// Kilometric progressions of records 81 to 83: ordered by start, greatest
// first, or by value when every start is 0; 100 is added to the value of a
// decreasing one. False when that addition does not fit 32 bits.
bool progressive_ordina(tabella_stazioni& stazioni);

// A tunnel stretch: records it and marks its cells. `tipo` above 10 asks for a
// mark every fourth cell and is brought down by 10. False when the tunnel table
// is full.
bool memo_montagna(stato& s, int32_t inizio, int32_t fine, int32_t& tipo);

// Possible outcomes of placing a speed board.
enum class esito_indicatore { posto, occupato, fuori_misura };
esito_indicatore memo_indicatori_v_max(stato& s, int32_t posizione, int32_t vas,
                                       int32_t vbs, int32_t vcs,
                                       int16_t strisces, int32_t vad,
                                       int32_t vbd, int32_t vcd,
                                       int16_t strisced);

// The reading failure handler: deletes both descriptions where they still
// exist, records code 25.
void gestore_guasto_lettura(stato& s, cartella& c);

#endif  // LINE_LETTURA_LINEA_H_
