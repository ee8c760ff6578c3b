// The train-run description that the builder writes and its compiler reads
// back: the train KT52806 with its profiles, twelve stations and twenty-two
// signals.
#ifndef TRAIN_RUN_DATI_TRENO_H_
#define TRAIN_RUN_DATI_TRENO_H_

#include <string>
#include <vector>

#include "app/stato.h"
#include "platform/cartella.h"

// The lines of the file, in writing order.
std::vector<std::string> righe_treno();
// Writes the file into the folder, replacing an older one.
esito_file dati_treno(const stato& s, cartella& c);

#endif  // TRAIN_RUN_DATI_TRENO_H_
