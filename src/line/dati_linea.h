// The line description that the builder writes and its compiler reads back: a
// 62000 m route with its curves, gradients, speed boards and board texts.
#ifndef LINE_DATI_LINEA_H_
#define LINE_DATI_LINEA_H_

#include <string>
#include <vector>

// The lines of the file, in writing order.
std::vector<std::string> righe_linea();

#endif  // LINE_DATI_LINEA_H_
