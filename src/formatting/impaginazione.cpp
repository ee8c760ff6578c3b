#include "formatting/impaginazione.h"

#include <algorithm>

#include "reading/lettore.h"
#include "reading/parole_chiave.h"

namespace {

std::string_view taglia(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view taglia_destra(std::string_view s) {
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

enum class forma_riga { fissa, vuota, singola, campi };

struct riga_letta {
  forma_riga forma = forma_riga::fissa;
  std::vector<std::string> pezzi;  // the fields of a line of fields
  bool testo_finale = false;       // its last field is a name or a text
};

bool numero(std::string_view pezzo) {
  int64_t valore;
  return numero_di(pezzo, valore);
}

// The comma-separated fields of `c`, each without the blanks at its ends.
std::vector<std::string> separa(std::string_view c) {
  std::vector<std::string> pezzi;
  for (;;) {
    const std::size_t virgola = c.find(',');
    pezzi.emplace_back(taglia(c.substr(0, virgola)));
    if (virgola == std::string_view::npos) return pezzi;
    c.remove_prefix(virgola + 1);
  }
}

// A line of fields whose last field is one quoted text: fields before it
// without quotes, the text's two quotes the only ones and the last byte
// before the blanks at the end. Anything else with a quote stays as written.
riga_letta con_virgolette(std::string_view c) {
  riga_letta r;
  const std::size_t prima = c.find('"');
  const std::string_view resto = taglia_destra(c);
  const std::size_t ultima = resto.rfind('"');
  const std::string_view davanti = taglia_destra(c.substr(0, prima));
  if (ultima == prima || ultima + 1 != resto.size() ||
      std::count(c.begin(), c.end(), '"') != 2 || davanti.empty() ||
      davanti.back() != ',')
    return r;
  r.pezzi = separa(davanti.substr(0, davanti.size() - 1));
  r.pezzi.emplace_back(resto.substr(prima));
  r.forma = forma_riga::campi;
  r.testo_finale = true;
  return r;
}

riga_letta leggi_riga(std::string_view c) {
  riga_letta r;
  const std::string_view t = taglia(c);
  if (t.empty()) {
    r.forma = forma_riga::vuota;
  } else if (t.front() != '"' && (c.find(',') == std::string_view::npos ||
                                  campo_commento(c.substr(0, c.find(','))))) {
    // A field alone, or a comment with a comma: as written, its ends aside.
    r.forma = forma_riga::singola;
    r.pezzi.emplace_back(t);
  } else if (c.find('"') != std::string_view::npos) {
    r = con_virgolette(c);
  } else {
    r.forma = forma_riga::campi;
    r.pezzi = separa(c);
    r.testo_finale = !numero(r.pezzi.back());
  }
  return r;
}

// Columns on the screen: one a byte in Windows-1252, one a letter in UTF-8.
std::size_t larghezza(std::string_view s, bool utf8) {
  if (!utf8) return s.size();
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool in_colonna(const riga_letta& r, std::size_t j) {
  return !(r.testo_finale && j + 1 == r.pezzi.size());
}

// The width of each column over the lines of fields in [da, a).
std::vector<std::size_t> colonne(const std::vector<riga_letta>& lette,
                                 std::size_t da, std::size_t a, bool utf8) {
  std::vector<std::size_t> larghe;
  for (std::size_t i = da; i < a; ++i) {
    const riga_letta& r = lette[i];
    if (r.forma != forma_riga::campi) continue;
    if (larghe.size() < r.pezzi.size()) larghe.resize(r.pezzi.size(), 0);
    for (std::size_t j = 0; j < r.pezzi.size(); ++j) {
      if (in_colonna(r, j) || j == 0)
        larghe[j] = std::max(larghe[j], larghezza(r.pezzi[j], utf8));
    }
  }
  return larghe;
}

// "keyword, " padded to the first column, then each value right-aligned in
// its column, a final text as it is.
std::string componi(const riga_letta& r, const std::vector<std::size_t>& larghe,
                    bool utf8) {
  std::string uscita = r.pezzi[0] + ",";
  uscita.append(larghe[0] - larghezza(r.pezzi[0], utf8), ' ');
  for (std::size_t j = 1; j < r.pezzi.size(); ++j) {
    uscita += ' ';
    if (in_colonna(r, j))
      uscita.append(larghe[j] - larghezza(r.pezzi[j], utf8), ' ');
    uscita += r.pezzi[j];
    if (j + 1 < r.pezzi.size()) uscita += ',';
  }
  return std::string(taglia_destra(uscita));
}

bool intestazione_riga(const riga_letta& r) {
  return r.forma == forma_riga::singola && intestazione(r.pezzi[0]);
}

}  // namespace

std::vector<riga_testo> dividi_righe(std::string_view testo) {
  std::vector<riga_testo> righe;
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (!fine_riga(testo[i])) continue;
    const std::size_t lunga =
        testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n' ? 2
                                                                         : 1;
    righe.push_back({std::string(testo.substr(inizio, i - inizio)),
                     std::string(testo.substr(i, lunga))});
    i += lunga - 1;
    inizio = i + 1;
  }
  if (inizio < testo.size())
    righe.push_back({std::string(testo.substr(inizio)), ""});
  return righe;
}

std::vector<std::optional<std::string>> impagina(
    const std::vector<riga_testo>& righe, const std::vector<bool>& fisse,
    bool utf8) {
  std::vector<riga_letta> lette(righe.size());
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (!fisse[i]) lette[i] = leggi_riga(righe[i].contenuto);
  }
  std::vector<std::optional<std::string>> uscita(righe.size());
  bool vuota_prima = false;
  for (std::size_t da = 0; da < righe.size();) {
    // A section: up to the next header line.
    std::size_t a = da + 1;
    while (a < righe.size() && !intestazione_riga(lette[a])) ++a;
    const std::vector<std::size_t> larghe = colonne(lette, da, a, utf8);
    for (std::size_t i = da; i < a; ++i) {
      const riga_letta& r = lette[i];
      std::string testo;
      switch (r.forma) {
        case forma_riga::fissa:
          uscita[i] = righe[i].intera();
          vuota_prima = taglia(righe[i].contenuto).empty();
          continue;
        case forma_riga::vuota:
          break;
        case forma_riga::singola:
          testo = r.pezzi[0];
          break;
        case forma_riga::campi:
          testo = componi(r, larghe, utf8);
          break;
      }
      if (testo.empty() && vuota_prima) continue;
      vuota_prima = testo.empty();
      uscita[i] = testo + "\r\n";
    }
    da = a;
  }
  return uscita;
}
