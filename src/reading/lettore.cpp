#include "reading/lettore.h"

#include <charconv>
#include <limits>

namespace {

void salta_blank(lettore& l) {
  while (l.pos < l.testo.size() && blank(l.testo[l.pos])) ++l.pos;
}

// Consumes one line end (CR LF, LF or CR) at the current position.
void consuma_fine_riga(lettore& l) {
  if (l.testo[l.pos] == '\r' && l.pos + 1 < l.testo.size() &&
      l.testo[l.pos + 1] == '\n')
    ++l.pos;
  ++l.pos;
  ++l.riga;
  l.inizio_riga = l.pos;
}

// Consumes the delimiter at the current position, when there is one: a comma or
// a line end.
void consuma_delimitatore(lettore& l) {
  if (l.pos >= l.testo.size()) return;
  if (l.testo[l.pos] == ',') {
    ++l.pos;
  } else if (fine_riga(l.testo[l.pos])) {
    consuma_fine_riga(l);
  }
}

// Skips up to the next delimiter and consumes it.
void salta_fino_al_delimitatore(lettore& l) {
  while (l.pos < l.testo.size() && l.testo[l.pos] != ',' &&
         !fine_riga(l.testo[l.pos]))
    ++l.pos;
  consuma_delimitatore(l);
}

bool fallisci(lettore& l) {
  l.guasto = true;
  return false;
}

// Starts a field: no read after a failure, and none when no byte is left.
bool inizia_campo(lettore& l) {
  if (l.guasto || fine_file(l)) return fallisci(l);
  salta_blank(l);
  l.riga_campo = l.riga;
  l.colonna_campo = static_cast<int>(l.pos - l.inizio_riga) + 1;
  return true;
}

char minuscola_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

bool fine_file(const lettore& l) { return l.pos >= l.testo.size(); }

bool leggi_testo(lettore& l, std::string& campo) {
  std::string_view letto;
  if (!leggi_testo(l, letto)) return false;
  campo.assign(letto);
  return true;
}

bool leggi_testo(lettore& l, std::string_view& campo) {
  if (!inizia_campo(l)) return false;
  const std::string_view t = l.testo;
  if (l.pos < t.size() && t[l.pos] == '"') {
    const std::size_t inizio = ++l.pos;
    while (l.pos < t.size() && t[l.pos] != '"') {
      const bool fine =
          t[l.pos] == '\n' ||
          (t[l.pos] == '\r' && (l.pos + 1 >= t.size() || t[l.pos + 1] != '\n'));
      ++l.pos;
      if (fine) {
        ++l.riga;
        l.inizio_riga = l.pos;
      }
    }
    campo = t.substr(inizio, l.pos - inizio);
    if (l.pos < t.size()) ++l.pos;  // the closing quote
    salta_fino_al_delimitatore(l);
    return true;
  }
  const std::size_t inizio = l.pos;
  while (l.pos < t.size() && t[l.pos] != ',' && !fine_riga(t[l.pos])) ++l.pos;
  std::size_t fine = l.pos;
  while (fine > inizio && blank(t[fine - 1])) --fine;
  campo = t.substr(inizio, fine - inizio);
  consuma_delimitatore(l);
  return true;
}

bool leggi_cifre(lettore& l, std::string& cifre) {
  std::string_view lette;
  if (!leggi_cifre(l, lette)) return false;
  cifre.assign(lette);
  return true;
}

bool leggi_cifre(lettore& l, std::string_view& cifre) {
  if (l.guasto || fine_file(l)) return false;
  salta_blank(l);
  l.riga_campo = l.riga;
  l.colonna_campo = static_cast<int>(l.pos - l.inizio_riga) + 1;
  const std::string_view t = l.testo;
  const std::size_t inizio = l.pos;
  while (l.pos < t.size() && !blank(t[l.pos]) && t[l.pos] != ',' &&
         !fine_riga(t[l.pos]))
    ++l.pos;
  cifre = t.substr(inizio, l.pos - inizio);
  return true;
}

void chiudi_cifre(lettore& l) {
  salta_blank(l);
  consuma_delimitatore(l);
}

bool numero_di(std::string_view cifre, int64_t& valore) {
  int64_t letto = 0;
  if (!cifre.empty()) {
    // from_chars takes a leading minus but no plus; a second sign is not a
    // number.
    if (cifre.front() == '+') {
      cifre.remove_prefix(1);
      if (cifre.empty() || cifre.front() == '-') return false;
    }
    auto [fine, errore] =
        std::from_chars(cifre.data(), cifre.data() + cifre.size(), letto);
    if (errore != std::errc() || fine != cifre.data() + cifre.size())
      return false;
  }
  valore = letto;
  return true;
}

bool leggi_numero(lettore& l, int64_t minimo, int64_t massimo,
                  int64_t& valore) {
  std::string_view cifre;
  int64_t letto;
  if (!leggi_cifre(l, cifre) || !numero_di(cifre, letto) || letto < minimo ||
      letto > massimo) {
    return fallisci(l);
  }
  chiudi_cifre(l);
  valore = letto;
  return true;
}

namespace {

// A number read into a value of type T: outside T's range it is a failure.
template <typename T>
bool leggi_nella_misura(lettore& l, T& valore) {
  int64_t letto;
  if (!leggi_numero(l, std::numeric_limits<T>::min(),
                    std::numeric_limits<T>::max(), letto)) {
    return false;
  }
  valore = static_cast<T>(letto);
  return true;
}

}  // namespace

bool leggi_long(lettore& l, int32_t& valore) {
  return leggi_nella_misura(l, valore);
}
bool leggi_intero(lettore& l, int16_t& valore) {
  return leggi_nella_misura(l, valore);
}
bool leggi_byte(lettore& l, uint8_t& valore) {
  return leggi_nella_misura(l, valore);
}

bool contiene(std::string_view campo, std::string_view parte) {
  return campo.find(parte) != std::string_view::npos;
}

bool contiene_ogni_caso(std::string_view campo, std::string_view parte) {
  if (parte.size() > campo.size()) return false;
  for (std::size_t i = 0; i + parte.size() <= campo.size(); ++i) {
    std::size_t k = 0;
    while (k < parte.size() &&
           minuscola_ascii(campo[i + k]) == minuscola_ascii(parte[k]))
      ++k;
    if (k == parte.size()) return true;
  }
  return false;
}

bool campo_commento(std::string_view campo) { return contiene(campo, "-"); }
