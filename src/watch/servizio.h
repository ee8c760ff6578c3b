// The live page over HTTP, on the loopback address only: the page of the
// latest build at "/" and, at "/eventi", a stream of Server-Sent Events that
// gives each new build's number. Nothing else is served, and no file by its
// path. A request whose Host is not this server's own loopback address and
// port is refused, so that a page of another site cannot reach the server
// through a name that it points at 127.0.0.1 (DNS rebinding).
#ifndef WATCH_SERVIZIO_H_
#define WATCH_SERVIZIO_H_

#include <memory>
#include <string_view>
#include <thread>

#include "watch/pagina_condivisa.h"
#include "watch/servizio_http.h"

namespace httplib {
class Server;
}

// True when `host` (a request's Host header) names this server:
// "127.0.0.1:PORT" or "localhost:PORT", the name in any case.
bool host_ammesso(std::string_view host, int porta);

class servizio_pagina : public servizio_http {
 public:
  explicit servizio_pagina(pagina_condivisa& pagina);
  ~servizio_pagina() override;
  servizio_pagina(const servizio_pagina&) = delete;
  servizio_pagina& operator=(const servizio_pagina&) = delete;

  int ascolta(int porta, int successive) override;
  void ferma() override;

 private:
  pagina_condivisa& pagina_;
  std::unique_ptr<httplib::Server> server_;
  std::thread filo_;
  int porta_ = -1;
};

#endif  // WATCH_SERVIZIO_H_
