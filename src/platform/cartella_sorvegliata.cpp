#include "platform/cartella_sorvegliata.h"

#include <cerrno>

esito_file cartella_sorvegliata::sorveglia(esito_file esito) {
  // A missing file is the description's own matter: the reader gives it its
  // code.
  if (!esito.ok && esito.errno_sistema != ENOENT && !guasto_) guasto_ = esito;
  return esito;
}
