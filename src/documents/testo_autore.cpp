#include "documents/testo_autore.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"
#include "tables/valori_celle.h"
#include "train_run/geometria.h"

namespace {

// A control character of the Windows-1252 text other than a tab: C0, DEL and
// the five bytes that the code page leaves undefined, which stand for the C1
// controls of the same number.
bool di_controllo(unsigned char c) {
  return (c < 0x20 && c != '\t') || c == 0x7F || c == 0x81 || c == 0x8D ||
         c == 0x8F || c == 0x90 || c == 0x9D;
}

// Converts one line into `uscita`; the refusal of its first character that
// cannot be there.
std::optional<rifiuto_testo> converti_riga(std::string_view riga, int numero,
                                           std::string& uscita) {
  std::size_t dove = 0;
  char32_t codice = 0;
  const bool convertita = utf8_a_cp1252(riga, uscita, dove, codice);
  // What stands before a refused character converts, one byte a character.
  if (!convertita) utf8_a_cp1252(riga.substr(0, dove), uscita);
  for (std::size_t i = 0; i < uscita.size(); ++i) {
    const auto c = static_cast<unsigned char>(uscita[i]);
    if (di_controllo(c)) {
      return rifiuto_testo{rifiuto_testo::controllo, numero,
                           static_cast<int>(i) + 1, c};
    }
    if (c == '\t') uscita[i] = ' ';
  }
  if (convertita) return std::nullopt;
  return rifiuto_testo{codice == 0 ? rifiuto_testo::non_utf8
                                   : rifiuto_testo::non_rappresentabile,
                       numero, static_cast<int>(uscita.size()) + 1, codice};
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
  const ora_stazione ora = decodifica_orario(static_cast<int32_t>(
      ((secondi % secondi_giorno) + secondi_giorno) % secondi_giorno));
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02d.%02d%s", static_cast<int>(ora.ore),
                static_cast<int>(ora.minuti), ora.secondi >= 30 ? "+" : "");
  return testo;
}

testo_convertito converti_testo(std::string_view utf8) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  testo_convertito risultato;
  int numero = 0;
  for (std::string_view riga : spezza_righe(utf8)) {
    risultato.righe.emplace_back();
    risultato.rifiuto = converti_riga(riga, ++numero, risultato.righe.back());
    if (risultato.rifiuto) break;
  }
  return risultato;
}

testo_convertito converti_voce(std::string_view utf8) {
  testo_convertito risultato;
  risultato.righe.emplace_back();
  risultato.rifiuto = converti_riga(utf8, 1, risultato.righe.back());
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
