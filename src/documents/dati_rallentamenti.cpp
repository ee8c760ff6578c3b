#include "documents/dati_rallentamenti.h"

#include "app/nomi_file.h"
#include "app/scrittura_testo.h"

std::vector<std::string> righe_rallentamenti() {
  return {
      "",
      "",
      "",
      "                  NESSUNA PRESCRIZIONE",
  };
}

esito_file dati_rallentamenti(const stato& s, cartella& c) {
  return scrivi_file_testo(c, nome_rallentamenti(s), righe_rallentamenti());
}
