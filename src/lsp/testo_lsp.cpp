#include "lsp/testo_lsp.h"

#include <algorithm>
#include <cctype>

namespace {

// The length in bytes of the UTF-8 sequence that starts with `c` (1 for a
// byte that starts none, so that any bytes are walked through).
std::size_t lunghezza_sequenza(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF7) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

int esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::size_t> inizi_righe(std::string_view testo) {
  std::vector<std::size_t> inizi{0};
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    if (testo[i] == '\n' || testo[i] == '\r') inizi.push_back(i + 1);
  }
  return inizi;
}

namespace {

// Where line `riga` (0 or more) begins; nothing past the last line.
std::optional<std::size_t> inizio_della_riga(std::string_view testo, int riga) {
  std::size_t inizio = 0;
  for (int r = 0; r < riga; ++r) {
    const std::size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string_view::npos) return std::nullopt;
    inizio = fine + 1;
    if (testo[fine] == '\r' && inizio < testo.size() && testo[inizio] == '\n')
      ++inizio;
  }
  return inizio;
}

}  // namespace

std::string_view riga_di(std::string_view testo, int riga) {
  if (riga < 0) return {};
  const std::optional<std::size_t> trovato = inizio_della_riga(testo, riga);
  if (!trovato) return {};
  const std::size_t inizio = *trovato;
  const std::size_t fine = testo.find_first_of("\r\n", inizio);
  return testo.substr(inizio, fine == std::string_view::npos
                                  ? std::string_view::npos
                                  : fine - inizio);
}

std::size_t offset_di(std::string_view testo, int riga, int carattere,
                      unita_posizione u) {
  if (riga < 0) return 0;
  // Only up to the line: a position is asked for each diagnostic and each
  // request, and a list of every line's start would be made for each.
  const std::optional<std::size_t> trovato = inizio_della_riga(testo, riga);
  if (!trovato) return testo.size();
  const std::size_t inizio = *trovato;
  const std::size_t a_capo = testo.find_first_of("\r\n", inizio);
  const std::string_view linea = testo.substr(
      inizio, a_capo == std::string_view::npos ? std::string_view::npos
                                               : a_capo - inizio);
  std::size_t b = 0;
  int contati = 0;
  while (b < linea.size() && contati < carattere) {
    const std::size_t n =
        std::min(lunghezza_sequenza(static_cast<unsigned char>(linea[b])),
                 linea.size() - b);
    contati +=
        u == unita_posizione::utf8 ? static_cast<int>(n) : (n == 4 ? 2 : 1);
    b += n;
  }
  return inizio + b;
}

int carattere_di(std::string_view riga, std::size_t byte, unita_posizione u) {
  byte = std::min(byte, riga.size());
  if (u == unita_posizione::utf8) return static_cast<int>(byte);
  int unita = 0;
  for (std::size_t b = 0; b < byte;) {
    const std::size_t n =
        lunghezza_sequenza(static_cast<unsigned char>(riga[b]));
    unita += n == 4 ? 2 : 1;
    b += n;
  }
  return unita;
}

std::size_t byte_del_punto(std::string_view riga, std::size_t n) {
  std::size_t b = 0;
  for (std::size_t i = 0; i < n && b < riga.size(); ++i)
    b += lunghezza_sequenza(static_cast<unsigned char>(riga[b]));
  return std::min(b, riga.size());
}

void sostituisci_intervallo(std::string& testo, int riga_da, int car_da,
                            int riga_a, int car_a, std::string_view nuovo,
                            unita_posizione u) {
  std::size_t da = offset_di(testo, riga_da, car_da, u);
  std::size_t a = offset_di(testo, riga_a, car_a, u);
  if (a < da) std::swap(a, da);
  testo.replace(da, a - da, nuovo);
}

std::optional<std::string> percorso_da_uri(std::string_view uri) {
  constexpr std::string_view schema = "file://";
  if (uri.substr(0, schema.size()) != schema) return std::nullopt;
  uri.remove_prefix(schema.size());
  // file://host/path: only the local host.
  if (!uri.empty() && uri.front() != '/') {
    if (uri.substr(0, 10) != "localhost/") return std::nullopt;
    uri.remove_prefix(9);
  }
  std::string percorso;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && esadecimale(uri[i + 1]) >= 0 &&
        esadecimale(uri[i + 2]) >= 0) {
      percorso += static_cast<char>(esadecimale(uri[i + 1]) * 16 +
                                    esadecimale(uri[i + 2]));
      i += 2;
    } else {
      percorso += uri[i];
    }
  }
  if (percorso.empty()) return std::nullopt;
  return percorso;
}

std::string uri_da_percorso(std::string_view percorso) {
  static constexpr char cifre[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char c : percorso) {
    const auto b = static_cast<unsigned char>(c);
    const bool semplice = (b < 128 && std::isalnum(b) != 0) || c == '/' ||
                          c == '-' || c == '_' || c == '.' || c == '~';
    if (semplice) {
      uri += c;
    } else {
      uri += '%';
      uri += cifre[b >> 4];
      uri += cifre[b & 15];
    }
  }
  return uri;
}

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}
