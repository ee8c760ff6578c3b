// Writing a text file of the scenario: the given lines, each followed by CR LF,
// as Windows-1252 bytes with no byte-order mark, replacing any older file of
// that name in one step.
#ifndef CORE_SCRITTURA_TESTO_H_
#define CORE_SCRITTURA_TESTO_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/cartella.h"
#include "platform/sostituzione.h"

esito_file scrivi_file_testo(cartella& c, std::string_view nome,
                             const std::vector<std::string>& righe);
// The same file prepared in a set, to replace the older one with the rest.
esito_file prepara_file_testo(insieme_sostituzioni& insieme,
                              std::string_view nome,
                              const std::vector<std::string>& righe);

#endif  // CORE_SCRITTURA_TESTO_H_
