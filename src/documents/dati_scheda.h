// The train sheet: the driver's timetable card, a fixed-width drawing of 50
// lines.
#ifndef DOCUMENTS_DATI_SCHEDA_H_
#define DOCUMENTS_DATI_SCHEDA_H_

#include <string>
#include <vector>

// The lines of the file, in writing order.
std::vector<std::string> righe_scheda();

#endif  // DOCUMENTS_DATI_SCHEDA_H_
