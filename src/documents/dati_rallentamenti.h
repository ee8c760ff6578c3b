// The slowdown prescriptions: for this scenario, one line saying that there are
// none.
#ifndef DOCUMENTS_DATI_RALLENTAMENTI_H_
#define DOCUMENTS_DATI_RALLENTAMENTI_H_

#include <string>
#include <vector>

#include "app/stato.h"
#include "platform/cartella.h"

// The lines of the file, in writing order.
std::vector<std::string> righe_rallentamenti();
// Writes the file into the folder, replacing an older one.
esito_file dati_rallentamenti(const stato& s, cartella& c);

#endif  // DOCUMENTS_DATI_RALLENTAMENTI_H_
