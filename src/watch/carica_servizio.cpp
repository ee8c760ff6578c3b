#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <string>

#include "watch/servizio_http.h"

namespace {

// The folder of the running program, from its own link in /proc.
std::string cartella_del_programma() {
  char percorso[PATH_MAX];
  if (::realpath("/proc/self/exe", percorso) == nullptr) return {};
  std::string p(percorso);
  const std::size_t barra = p.rfind('/');
  return barra == std::string::npos ? std::string() : p.substr(0, barra);
}

}  // namespace

std::unique_ptr<servizio_http> carica_servizio_http(pagina_condivisa& pagina,
                                                    std::string& errore) {
  const std::string cartella = cartella_del_programma();
  const std::string accanto =
      cartella.empty() ? std::string() : cartella + "/" + file_modulo_http;
  for (const std::string& via :
       {accanto, std::string(CARTELLA_MODULI) + "/" + file_modulo_http}) {
    if (via.empty()) continue;
    // Never closed: the server's code runs until the program ends.
    void* modulo = ::dlopen(via.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (modulo == nullptr) {
      errore = ::dlerror();
      continue;
    }
    auto crea = reinterpret_cast<crea_servizio_http_t>(
        ::dlsym(modulo, funzione_modulo_http));
    if (crea == nullptr) {
      errore = ::dlerror();
      continue;
    }
    return std::unique_ptr<servizio_http>(crea(pagina));
  }
  return nullptr;
}
