#include "tools/messaggi.h"

namespace messaggi {

std::string cartella_mancante(std::string_view percorso) {
  return std::string(percorso) + ": cartella di uscita non trovata";
}
std::string non_una_cartella(std::string_view percorso) {
  return std::string(percorso) + ": non \u00e8 una cartella";
}
std::string cartella_non_creata(std::string_view percorso,
                                std::string_view motivo) {
  return std::string(percorso) +
         ": cartella non creata: " + std::string(motivo);
}

}  // namespace messaggi
