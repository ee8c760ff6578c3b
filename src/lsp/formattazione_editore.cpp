#include "lsp/formattazione_editore.h"

#include "formatting/formattazione.h"
#include "platform/cp1252.h"

std::optional<std::string> formatta_per_editore(const std::string& utf8) {
  std::string cp1252;
  const bool convertito = utf8_a_cp1252(utf8, cp1252);
  const esito_formattazione esito = formatta(convertito ? cp1252 : utf8);
  if (esito.rifiutato) return std::nullopt;
  return convertito ? cp1252_a_utf8(esito.testo) : esito.testo;
}
