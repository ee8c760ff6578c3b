// The slowdown prescriptions: for this scenario, one line saying that there are
// none.
#ifndef DOCUMENTS_DATI_RALLENTAMENTI_H_
#define DOCUMENTS_DATI_RALLENTAMENTI_H_

#include <string>
#include <vector>

// The lines of the file, in writing order.
std::vector<std::string> righe_rallentamenti();

#endif  // DOCUMENTS_DATI_RALLENTAMENTI_H_
