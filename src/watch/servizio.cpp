#include "watch/servizio.h"

#include <httplib.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// A browser that has the stream open hears at least this often that the
// server is there, so that a connection gone quiet is noticed.
constexpr std::chrono::seconds intervallo_segnale_vita{15};

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// Only this address, never the port shared with another listener: two runs
// of watch must not take the same port.
void opzioni_socket(socket_t s) {
  int si = 1;
  ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
}

// One event a build, "event: pagina" with its number; a comment line keeps a
// quiet stream alive.
std::string evento(uint64_t numero) {
  return "retry: 1000\nevent: pagina\ndata: " + std::to_string(numero) + "\n\n";
}

}  // namespace

bool host_ammesso(std::string_view host, int porta) {
  const std::size_t due_punti = host.rfind(':');
  if (due_punti == std::string_view::npos) return false;
  const std::string_view nome = host.substr(0, due_punti);
  if (host.substr(due_punti + 1) != std::to_string(porta)) return false;
  return nome == "127.0.0.1" || uguali_senza_maiuscole(nome, "localhost");
}

servizio_pagina::servizio_pagina(pagina_condivisa& pagina)
    : pagina_(pagina), server_(std::make_unique<httplib::Server>()) {
  server_->set_socket_options(opzioni_socket);
  server_->set_pre_routing_handler(
      [this](const httplib::Request& r, httplib::Response& risposta) {
        if (host_ammesso(r.get_header_value("Host"), porta_))
          return httplib::Server::HandlerResponse::Unhandled;
        risposta.status = 403;
        risposta.set_content("Host not allowed\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
      });
  server_->Get(
      "/", [this](const httplib::Request&, httplib::Response& risposta) {
        risposta.set_header("Cache-Control", "no-store");
        // Given by its length, so that the library does not compress it: a
        // page of a long route takes seconds to compress at the browser's
        // preferred encoding, and goes over the loopback as fast whole.
        auto pagina = std::make_shared<const std::string>(pagina_.pagina());
        risposta.set_content_provider(
            pagina->size(), "text/html; charset=utf-8",
            [pagina](std::size_t da, std::size_t quanti, httplib::DataSink& s) {
              return s.write(pagina->data() + da,
                             std::min(quanti, pagina->size() - da));
            });
      });
  server_->Get("/eventi", [this](const httplib::Request&,
                                 httplib::Response& risposta) {
    risposta.set_header("Cache-Control", "no-store");
    auto visto = std::make_shared<uint64_t>(0);
    risposta.set_chunked_content_provider(
        "text/event-stream", [this, visto](std::size_t, httplib::DataSink& s) {
          const auto numero =
              pagina_.attendi_dopo(*visto, intervallo_segnale_vita);
          if (!numero) return false;
          const std::string testo =
              *numero == *visto ? ":\n\n" : evento(*numero);
          *visto = *numero;
          return s.write(testo.data(), testo.size());
        });
  });
}

servizio_pagina::~servizio_pagina() { ferma(); }

int servizio_pagina::ascolta(int porta, int successive) {
  if (porta == 0) {
    porta_ = server_->bind_to_any_port("127.0.0.1");
  } else {
    for (int p = porta; p <= porta + successive && porta_ < 0; ++p) {
      if (p <= 65535 && server_->bind_to_port("127.0.0.1", p)) porta_ = p;
    }
  }
  if (porta_ <= 0) return porta_ = -1;
  filo_ = std::thread([this] { server_->listen_after_bind(); });
  return porta_;
}

void servizio_pagina::ferma() {
  pagina_.chiudi();
  if (server_) server_->stop();
  if (filo_.joinable()) filo_.join();
}

// The module's entry point, found by its name (carica_servizio_http).
extern "C" __attribute__((visibility("default"))) servizio_http*
crea_servizio_http(pagina_condivisa& pagina) {
  return new servizio_pagina(pagina);
}
