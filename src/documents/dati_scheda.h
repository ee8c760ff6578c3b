// The train sheet: the driver's timetable card, a fixed-width drawing of 50
// lines.
#ifndef DOCUMENTS_DATI_SCHEDA_H_
#define DOCUMENTS_DATI_SCHEDA_H_

#include <string>
#include <vector>

#include "app/stato.h"
#include "platform/cartella.h"

// The lines of the file, in writing order.
std::vector<std::string> righe_scheda();
// Writes the file into the folder, replacing an older one.
esito_file dati_scheda(const stato& s, cartella& c);

#endif  // DOCUMENTS_DATI_SCHEDA_H_
