// The scenario notes for the driver: a heading and four paragraphs of Italian
// prose.
#ifndef DOCUMENTS_DATI_NOTE_H_
#define DOCUMENTS_DATI_NOTE_H_

#include <string>
#include <vector>

#include "app/stato.h"
#include "platform/cartella.h"

// The lines of the file, in writing order.
std::vector<std::string> righe_note();
// Writes the file into the folder, replacing an older one.
esito_file dati_note(const stato& s, cartella& c);

#endif  // DOCUMENTS_DATI_NOTE_H_
