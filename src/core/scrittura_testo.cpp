#include "core/scrittura_testo.h"

namespace {

void scrivi_righe(const std::vector<std::string>& righe,
                  scrittore_file& uscita) {
  for (const std::string& riga : righe) {
    uscita.scrivi(riga.data(), riga.size());
    uscita.scrivi("\r\n", 2);
  }
}

}  // namespace

esito_file scrivi_file_testo(cartella& c, std::string_view nome,
                             const std::vector<std::string>& righe) {
  return sostituisci_file(c, nome, [&righe](scrittore_file& uscita) {
    scrivi_righe(righe, uscita);
  });
}

esito_file prepara_file_testo(insieme_sostituzioni& insieme,
                              std::string_view nome,
                              const std::vector<std::string>& righe) {
  return insieme.prepara(
      nome, [&righe](scrittore_file& uscita) { scrivi_righe(righe, uscita); });
}
