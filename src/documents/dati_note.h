// The scenario notes for the driver: a heading and four paragraphs of Italian
// prose.
#ifndef DOCUMENTS_DATI_NOTE_H_
#define DOCUMENTS_DATI_NOTE_H_

#include <string>
#include <vector>

// The lines of the file, in writing order.
std::vector<std::string> righe_note();

#endif  // DOCUMENTS_DATI_NOTE_H_
