#include "tools/lingua.h"

#include <libintl.h>

#include <clocale>
#include <filesystem>

#include "platform/cartella_reale.h"
#include "platform/cp1252.h"

void prepara_lingua(const std::string& cartella) {
  std::setlocale(LC_ALL, "");
  // The files, the page and the JSON write numbers with a full stop in every
  // language.
  std::setlocale(LC_NUMERIC, "C");
  bindtextdomain(dominio_messaggi, cartella.c_str());
  bind_textdomain_codeset(dominio_messaggi, "UTF-8");
  textdomain(dominio_messaggi);
}

void prepara_lingua() {
  const std::filesystem::path programma = cartella_eseguibile();
  prepara_lingua((programma / ".." / "share" / "locale").lexically_normal());
}

const char* traduci(const char* testo) {
  // gettext gives the catalogue's header for an empty text.
  if (testo[0] == '\0') return testo;
  return dgettext(dominio_messaggi, testo);
}

const char* traduci_plurale(const char* singolare, const char* plurale,
                            unsigned long quanti) {
  return dngettext(dominio_messaggi, singolare, plurale, quanti);
}

const char* traduci_in(const char* contesto, const char* testo) {
  // A context goes before the text, parted by EOT, as msgctxt is stored.
  const std::string chiave = std::string(contesto) + '\004' + testo;
  const char* tradotto = dgettext(dominio_messaggi, chiave.c_str());
  return tradotto == chiave.c_str() ? testo : tradotto;
}

std::string testo_di(const argomento& a) {
  return a.frase.empty() ? cp1252_a_utf8(a.dato) : testo_di(a.frase.front());
}

std::string testo_di(const messaggio& m) {
  return componi(m,
                 {[](const messaggio& x) -> std::string {
                    if (x.plurale.empty()) return traduci(x.formato.c_str());
                    return traduci_plurale(x.formato.c_str(), x.plurale.c_str(),
                                           x.quanti);
                  },
                  [](const std::string& dato) { return cp1252_a_utf8(dato); }});
}
