#include "core/scrittura_testo.h"

#include "platform/sostituzione.h"

esito_file scrivi_file_testo(cartella& c, std::string_view nome,
                             const std::vector<std::string>& righe) {
  return sostituisci_file(c, nome, [&righe](scrittore_file& uscita) {
    for (const std::string& riga : righe) {
      uscita.scrivi(riga.data(), riga.size());
      uscita.scrivi("\r\n", 2);
    }
  });
}
