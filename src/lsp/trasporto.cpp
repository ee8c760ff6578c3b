#include "lsp/trasporto.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "lsp/testo_lsp.h"

namespace {

// A header too long to be one is dropped as it stands.
constexpr std::size_t intestazione_massima = 8192;

bool stesso_nome(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The Content-Length of a header, read strictly (digits only, in range).
std::optional<std::size_t> lunghezza(std::string_view intestazione) {
  std::optional<std::size_t> trovata;
  while (!intestazione.empty()) {
    const std::size_t fine = intestazione.find("\r\n");
    const std::string_view riga = intestazione.substr(0, fine);
    intestazione.remove_prefix(
        fine == std::string_view::npos ? intestazione.size() : fine + 2);
    const std::size_t due_punti = riga.find(':');
    if (due_punti == std::string_view::npos) return std::nullopt;
    if (!stesso_nome(senza_spazi(riga.substr(0, due_punti)), "Content-Length"))
      continue;
    const std::string_view valore = senza_spazi(riga.substr(due_punti + 1));
    std::size_t n = 0;
    const auto [p, e] =
        std::from_chars(valore.data(), valore.data() + valore.size(), n);
    if (e != std::errc() || p != valore.data() + valore.size() ||
        valore.empty() || n > corpo_massimo)
      return std::nullopt;
    trovata = n;
  }
  return trovata;
}

constexpr std::string_view nome_lunghezza = "content-length";

bool stessa_lettera(char x, char y) {
  return std::tolower(static_cast<unsigned char>(x)) == y;
}

// Where "Content-Length" (any case) begins in `buffer` from `da` on.
std::size_t nome_da(const std::string& buffer, std::size_t da) {
  const auto trovato = std::search(
      buffer.begin() + static_cast<std::ptrdiff_t>(da), buffer.end(),
      nome_lunghezza.begin(), nome_lunghezza.end(), stessa_lettera);
  return trovato == buffer.end()
             ? std::string::npos
             : static_cast<std::size_t>(trovato - buffer.begin());
}

// After a header without a usable length, the body that followed it (if any)
// cannot be told apart: the reading starts again at the next header, the next
// "Content-Length" in the stream. Of what is left, only an end that may begin
// such a name cut across two reads is kept.
void al_prossimo_messaggio(std::string& buffer) {
  const std::size_t trovato = nome_da(buffer, 0);
  if (trovato != std::string::npos) {
    buffer.erase(0, trovato);
    return;
  }
  std::size_t tenuti = std::min(buffer.size(), nome_lunghezza.size() - 1);
  while (tenuti > 0 &&
         !std::equal(buffer.end() - static_cast<std::ptrdiff_t>(tenuti),
                     buffer.end(), nome_lunghezza.begin(), stessa_lettera))
    --tenuti;
  buffer.erase(0, buffer.size() - tenuti);
}

}  // namespace

cornice estrai_messaggio(std::string& buffer) {
  const std::size_t fine = buffer.find("\r\n\r\n");
  if (fine == std::string::npos) {
    if (buffer.size() <= intestazione_massima) return {};
    buffer.clear();
    return {esito_cornice::errato, {}};
  }
  const std::optional<std::size_t> n =
      lunghezza(std::string_view(buffer).substr(0, fine));
  if (!n) {
    // Bytes of a message dropped earlier, read on, before a header: the
    // reading starts at the header.
    const std::size_t dentro = nome_da(buffer, 1);
    if (dentro < fine) {
      buffer.erase(0, dentro);
    } else {
      buffer.erase(0, fine + 4);
      al_prossimo_messaggio(buffer);
    }
    return {esito_cornice::errato, {}};
  }
  if (buffer.size() - (fine + 4) < *n) return {};
  cornice c{esito_cornice::completo, buffer.substr(fine + 4, *n)};
  buffer.erase(0, fine + 4 + *n);
  return c;
}

std::string incornicia(const std::string& corpo) {
  return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}
