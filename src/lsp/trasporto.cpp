#include "lsp/trasporto.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

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

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
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
    buffer.erase(0, fine + 4);
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
