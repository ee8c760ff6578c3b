// The line description that the builder writes and its compiler reads back: a
// 62000 m route with its curves, gradients, speed boards and board texts.
#ifndef LINE_DATI_LINEA_H_
#define LINE_DATI_LINEA_H_

#include <string>
#include <vector>

#include "app/stato.h"
#include "platform/cartella.h"

// The lines of the file, in writing order.
std::vector<std::string> righe_linea();
// Writes the file into the folder, replacing an older one.
esito_file dati_linea(const stato& s, cartella& c);

#endif  // LINE_DATI_LINEA_H_
