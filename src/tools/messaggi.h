// The texts of the command line that are not the parser's, in one place, so
// that they can be moved into message catalogues in one pass.
#ifndef TOOLS_MESSAGGI_H_
#define TOOLS_MESSAGGI_H_

#include <string>
#include <string_view>

namespace messaggi {

// Folders.
std::string cartella_mancante(std::string_view percorso);
std::string non_una_cartella(std::string_view percorso);
std::string cartella_non_creata(std::string_view percorso,
                                std::string_view motivo);

}  // namespace messaggi

#endif  // TOOLS_MESSAGGI_H_
