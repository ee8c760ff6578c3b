#include "cli/attesa.h"

#include <filesystem>
#include <string>

#include "cli/lingua.h"
#include "cli/rapporto.h"

attesa_cartella attesa_con_avviso(int secondi, std::ostream& errori) {
  attesa_cartella attesa;
  attesa.limite = std::chrono::seconds(secondi);
  attesa.avvisa = [&errori, secondi](const std::string& cartella,
                                     long processo) {
    const std::string limite = std::to_string(secondi);
    if (processo > 0) {
      errori << sostituisci(
          traduci("{0}: waiting for process {1}, which "
                  "holds this folder (at most {2} s; "
                  "--lock-wait raises it)"),
          {visibile(cartella), std::to_string(processo), limite});
    } else {
      errori << sostituisci(traduci("{0}: waiting for another run, which "
                                    "holds this folder (at most {1} s; "
                                    "--lock-wait raises it)"),
                            {visibile(cartella), limite});
    }
    errori << std::endl;
  };
  return attesa;
}

std::optional<int> tieni_in_lettura(cartella_reale& c,
                                    const std::string& radice, int secondi,
                                    lettura_cartella& lettura,
                                    std::ostream& errori) {
  c.imposta_attesa(attesa_con_avviso(secondi, errori));
  std::error_code errore;
  if (!std::filesystem::is_directory(radice, errore)) return std::nullopt;
  const esito_file tenuta = c.blocca_lettura(lettura);
  if (tenuta.ok) return std::nullopt;
  return errore_file(tenuta, errori);
}
