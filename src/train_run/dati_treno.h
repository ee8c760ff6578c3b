// The train-run description that the builder writes and its compiler reads
// back: the train KT52806 with its profiles, twelve stations and twenty-two
// signals.
#ifndef TRAIN_RUN_DATI_TRENO_H_
#define TRAIN_RUN_DATI_TRENO_H_

#include <string>
#include <vector>

// The lines of the file, in writing order.
std::vector<std::string> righe_treno();

#endif  // TRAIN_RUN_DATI_TRENO_H_
