#include "cli/percorsi.h"

#include <filesystem>
#include <system_error>

#include "cli/errori_sistema.h"
#include "cli/esiti.h"
#include "cli/messaggi.h"

namespace fs = std::filesystem;

std::string percorso_pulito(std::string percorso) {
  std::string pulito;
  for (char c : percorso) {
    if (c == '/' && !pulito.empty() && pulito.back() == '/') continue;
    pulito += c;
  }
  if (pulito.size() > 1 && pulito.back() == '/') pulito.pop_back();
  return pulito;
}

std::optional<int> prepara_cartella(const std::string& cartella,
                                    std::ostream& errori) {
  std::error_code problema;
  const fs::file_status stato = fs::status(cartella, problema);
  if (fs::is_directory(stato)) return std::nullopt;
  if (fs::exists(stato)) {
    errori << messaggi::non_una_cartella(cartella) << '\n';
    return uscita_errore_file;
  }
  // Only the last folder is created: a mistyped parent is not made real.
  const fs::path genitore = fs::path(cartella).parent_path();
  if (!genitore.empty() && !fs::is_directory(genitore, problema)) {
    errori << messaggi::cartella_mancante(cartella) << '\n';
    return uscita_errore_file;
  }
  if (!fs::create_directory(cartella, problema) && problema) {
    errori << messaggi::cartella_non_creata(
                  cartella, testo_errore_sistema(problema.value()))
           << '\n';
    return uscita_errore_file;
  }
  return std::nullopt;
}
