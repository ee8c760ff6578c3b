#include "lsp/lsp.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "lsp/trasporto.h"

namespace {

// Waits for input until `scadenza` at the latest; true when there is some
// (or the end of it) to read.
bool attendi(int ingresso, std::optional<orologio::time_point> scadenza) {
  int millisecondi = -1;
  if (scadenza) {
    const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(
        *scadenza - orologio::now());
    millisecondi =
        static_cast<int>(std::clamp<int64_t>(resta.count(), 0, 60000));
  }
  pollfd f{ingresso, POLLIN, 0};
  const int n = poll(&f, 1, millisecondi);
  return n > 0;
}

// Hands every complete message of `buffer` to the server.
void consegna(std::string& buffer, server_lsp& s) {
  while (!s.finito()) {
    cornice c = estrai_messaggio(buffer);
    if (c.esito == esito_cornice::incompleto) return;
    if (c.esito == esito_cornice::errato) {
      s.cornice_errata();
      continue;
    }
    s.ricevi(c.corpo);
    // A document just opened is checked before the next message is read.
    s.esegui_scadute(orologio::now());
  }
}

}  // namespace

int esegui_lsp(int ingresso, std::ostream& uscita,
               std::chrono::milliseconds attesa, formattatore formatta) {
  server_lsp s(
      [&uscita](const nlohmann::json& m) {
        uscita << incornicia(
            m.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        uscita.flush();
      },
      std::move(formatta), attesa);
  std::string buffer;
  char blocco[65536];
  while (!s.finito()) {
    if (!attendi(ingresso, s.prossima_scadenza())) {
      s.esegui_scadute(orologio::now());
      continue;
    }
    const ssize_t letti = read(ingresso, blocco, sizeof blocco);
    if (letti < 0 && errno == EINTR) continue;
    // The end of the input ends the server, as `exit` does.
    if (letti <= 0) return s.uscita() == 0 ? 0 : 1;
    buffer.append(blocco, static_cast<std::size_t>(letti));
    consegna(buffer, s);
    s.esegui_scadute(orologio::now());
  }
  return s.uscita();
}
