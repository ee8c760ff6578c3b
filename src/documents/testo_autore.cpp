#include "documents/testo_autore.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"

namespace {

unsigned char maiuscola_cp1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A:
      return 0x8A;  // š
    case 0x9C:
      return 0x8C;  // œ
    case 0x9E:
      return 0x8E;  // ž
    case 0xFF:
      return 0x9F;  // ÿ
    default:
      return c;
  }
}

// One character of UTF-8 text: its length in bytes and its code point, or not
// valid (a stray, cut, overlong or out-of-range sequence, or a surrogate).
struct carattere_utf8 {
  std::size_t lunghezza = 1;
  char32_t codice = 0;
  bool valido = false;
};

carattere_utf8 leggi_carattere(std::string_view testo, std::size_t i) {
  const auto primo = static_cast<unsigned char>(testo[i]);
  carattere_utf8 c;
  if (primo < 0x80) return {1, primo, true};
  if ((primo & 0xE0) == 0xC0) {
    c = {2, char32_t{primo} & 0x1Fu, true};
  } else if ((primo & 0xF0) == 0xE0) {
    c = {3, char32_t{primo} & 0x0Fu, true};
  } else if ((primo & 0xF8) == 0xF0) {
    c = {4, char32_t{primo} & 0x07u, true};
  } else {
    return {};
  }
  if (i + c.lunghezza > testo.size()) return {};
  for (std::size_t k = 1; k < c.lunghezza; ++k) {
    const auto seguito = static_cast<unsigned char>(testo[i + k]);
    if ((seguito & 0xC0) != 0x80) return {};
    c.codice = (c.codice << 6) | (seguito & 0x3Fu);
  }
  constexpr char32_t minimo[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c.codice < minimo[c.lunghezza] || c.codice > 0x10FFFF ||
      (c.codice >= 0xD800 && c.codice <= 0xDFFF)) {
    return {};
  }
  return c;
}

bool di_controllo(char32_t codice) {
  return (codice < 0x20 && codice != '\t') || (codice >= 0x7F && codice < 0xA0);
}

std::string punto_codice(char32_t codice) {
  char testo[16];
  std::snprintf(testo, sizeof testo, "U+%04X", static_cast<unsigned>(codice));
  return testo;
}

// Where a refused character stands, for the message.
std::string luogo(int riga, int colonna, bool piu_righe) {
  std::string l = piu_righe ? "alla riga " + std::to_string(riga) + ", " : "";
  return l + (piu_righe ? "colonna " : "alla colonna ") +
         std::to_string(colonna);
}

// Converts one line; on a refusal returns the message, else an empty text.
std::string converti_riga(std::string_view riga, int numero,
                          std::string_view campo, bool piu_righe,
                          std::string& uscita) {
  int colonna = 0;
  for (std::size_t i = 0; i < riga.size();) {
    ++colonna;
    const carattere_utf8 c = leggi_carattere(riga, i);
    auto rifiuto = [&](const std::string& cosa, const std::string& perche) {
      return std::string(campo) + ": " + cosa + " " +
             luogo(numero, colonna, piu_righe) + perche;
    };
    if (!c.valido) return rifiuto("byte non UTF-8", "");
    if (di_controllo(c.codice)) {
      return rifiuto("carattere di controllo " + punto_codice(c.codice),
                     " non ammesso");
    }
    std::string byte;
    if (!utf8_a_cp1252(riga.substr(i, c.lunghezza), byte)) {
      return rifiuto("la lettera " + punto_codice(c.codice),
                     " non ha posto in Windows-1252");
    }
    uscita += byte == "\t" ? " " : byte;
    i += c.lunghezza;
  }
  return "";
}

std::vector<std::string_view> spezza_righe(std::string_view testo) {
  std::vector<std::string_view> righe;
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] != '\n' && testo[i] != '\r') continue;
    righe.push_back(testo.substr(inizio, i - inizio));
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    inizio = i + 1;
  }
  righe.push_back(testo.substr(inizio));
  return righe;
}

}  // namespace

std::string maiuscole_cp1252(std::string_view testo) {
  std::string uscita(testo);
  for (char& c : uscita)
    c = static_cast<char>(maiuscola_cp1252(static_cast<unsigned char>(c)));
  return uscita;
}

std::string a_sinistra(std::string_view testo, std::size_t larghezza) {
  std::string uscita(testo.substr(0, larghezza));
  uscita.resize(larghezza, ' ');
  return uscita;
}

std::string a_destra(std::string_view testo, std::size_t larghezza) {
  testo = testo.substr(0, larghezza);
  return std::string(larghezza - testo.size(), ' ') + std::string(testo);
}

std::string al_centro(std::string_view testo, std::size_t larghezza) {
  testo = testo.substr(0, larghezza);
  const std::size_t sinistra = (larghezza - testo.size()) / 2;
  return a_sinistra(std::string(sinistra, ' ') + std::string(testo), larghezza);
}

std::string chilometri(int64_t metri) {
  const int64_t assoluti = metri < 0 ? -metri : metri;
  char testo[32];
  std::snprintf(testo, sizeof testo, "%s%lld.%03lld", metri < 0 ? "-" : "",
                static_cast<long long>(assoluti / 1000),
                static_cast<long long>(assoluti % 1000));
  return testo;
}

std::string ora_minuti(int64_t secondi) {
  constexpr int64_t giorno = 24 * 3600;
  const int64_t s = ((secondi % giorno) + giorno) % giorno;
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02d.%02d%s", static_cast<int>(s / 3600),
                static_cast<int>(s % 3600 / 60), s % 60 >= 30 ? "+" : "");
  return testo;
}

testo_convertito converti_testo(std::string_view utf8, std::string_view campo) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  testo_convertito risultato;
  int numero = 0;
  for (std::string_view riga : spezza_righe(utf8)) {
    risultato.righe.emplace_back();
    risultato.errore =
        converti_riga(riga, ++numero, campo, true, risultato.righe.back());
    if (!risultato.errore.empty()) break;
  }
  return risultato;
}

testo_convertito converti_voce(std::string_view utf8, std::string_view campo) {
  testo_convertito risultato;
  risultato.righe.emplace_back();
  risultato.errore =
      converti_riga(utf8, 1, campo, false, risultato.righe.back());
  return risultato;
}

std::vector<std::string> a_capo(std::string_view paragrafo,
                                std::size_t larghezza) {
  std::vector<std::string> righe(1);
  std::size_t i = 0;
  while (i < paragrafo.size()) {
    if (paragrafo[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t fine = std::min(paragrafo.find(' ', i), paragrafo.size());
    std::string_view parola = paragrafo.substr(i, fine - i);
    i = fine;
    while (!parola.empty()) {
      std::string& riga = righe.back();
      const std::size_t spazio = riga.empty() ? 0 : 1;
      if (riga.size() + spazio + parola.size() <= larghezza) {
        riga += std::string(spazio, ' ') + std::string(parola);
        break;
      }
      if (!riga.empty()) {
        righe.emplace_back();
        continue;
      }
      riga = parola.substr(0, larghezza);  // a word longer than a line
      parola.remove_prefix(riga.size());
      righe.emplace_back();
    }
  }
  if (righe.size() > 1 && righe.back().empty()) righe.pop_back();
  return righe;
}
