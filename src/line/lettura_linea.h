// The line half of the reading: the line description into the tables, then
// deleted from its folder.
#ifndef LINE_LETTURA_LINEA_H_
#define LINE_LETTURA_LINEA_H_

#include <cstdint>

#include "reading/lettura.h"

struct esito_linea {
  esito_lettura esito;
  // The record for the next board text: the train-run half's stations must
  // stay below it.
  int32_t indice_cartello;
};

// Reads the line description named for `x.sc`. With `con_piano` the plan is
// built curve by curve. `prosegui` or `oltre_tabella` when the train-run
// description is to be read next.
esito_linea memorizza_dati_linea(contesto_lettura& x, bool con_piano);

#endif  // LINE_LETTURA_LINEA_H_
