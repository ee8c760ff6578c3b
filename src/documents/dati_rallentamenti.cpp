#include "documents/dati_rallentamenti.h"

std::vector<std::string> righe_rallentamenti() {
  return {
      "",
      "",
      "",
      "                  NESSUNA PRESCRIZIONE",
  };
}
