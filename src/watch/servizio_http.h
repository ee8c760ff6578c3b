// The live page's HTTP server as `watch` sees it. The server is built into a
// module of its own (scenario_builder_http.so) that only `watch` loads: the
// HTTP library, and the TLS and compression libraries that it brings, are
// then not loaded at the start of every other command, which they slowed.
#ifndef WATCH_SERVIZIO_HTTP_H_
#define WATCH_SERVIZIO_HTTP_H_

#include <memory>
#include <string>

#include "watch/pagina_condivisa.h"

class servizio_http {
 public:
  virtual ~servizio_http() = default;
  // Listens on 127.0.0.1 at `porta` (0: a free port the system picks), or,
  // with `successive`, at the first free one of `porta` and the next
  // `successive`, and serves from a thread of its own. The port taken, or -1
  // when none could be.
  virtual int ascolta(int porta, int successive) = 0;
  // Ends every stream and stops serving; waits for the server's thread.
  virtual void ferma() = 0;
};

// The module's file name, and the one function that it exports (extern "C"):
// it makes the server of a page.
inline constexpr const char* file_modulo_http = "scenario_builder_http.so";
inline constexpr const char* funzione_modulo_http = "crea_servizio_http";
using crea_servizio_http_t = servizio_http* (*)(pagina_condivisa& pagina);

// The server of `pagina`, from the module beside the program or, failing
// that, where it is installed. Nothing, with the loader's reason in
// `errore`, when neither loads.
std::unique_ptr<servizio_http> carica_servizio_http(pagina_condivisa& pagina,
                                                    std::string& errore);

#endif  // WATCH_SERVIZIO_HTTP_H_
