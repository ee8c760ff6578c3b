#include "cli/lingua.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "platform/cartella_reale.h"
#include "platform/cp1252.h"

namespace {

// A LANGUAGE list that names English before a language with a catalogue
// (en:it) asks for English, which needs no catalogue; gettext would go on to
// the next name in the list, so the list is cut after English.
void inglese_se_chiesto_prima() {
  const char* lista = std::getenv("LANGUAGE");
  if (lista == nullptr) return;
  const std::string nomi = lista;
  std::size_t inizio = 0;
  while (inizio <= nomi.size()) {
    std::size_t fine = nomi.find(':', inizio);
    if (fine == std::string::npos) fine = nomi.size();
    const std::string nome = nomi.substr(inizio, fine - inizio);
    const bool inglese = nome == "en" || nome.rfind("en_", 0) == 0 ||
                         nome.rfind("en.", 0) == 0 ||
                         nome.rfind("en@", 0) == 0 || nome == "C" ||
                         nome == "POSIX";
    if (inglese) {
      setenv("LANGUAGE", nomi.substr(0, fine).c_str(), 1);
      return;
    }
    inizio = fine + 1;
  }
}

}  // namespace

void prepara_lingua(const std::string& cartella) {
  inglese_se_chiesto_prima();
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
