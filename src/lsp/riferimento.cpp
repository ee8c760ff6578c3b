#include "lsp/riferimento.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "cli/lingua.h"
#include "core/testi.h"

namespace {

// The section whose `### ` heading holds `cercato`.
std::string_view sezione_con(std::string_view testo, std::string_view cercato) {
  std::size_t p = 0;
  while ((p = testo.find("\n### ", p)) != std::string_view::npos) {
    const std::size_t inizio = p + 1;
    const std::size_t fine_titolo = testo.find('\n', inizio);
    const std::string_view titolo = testo.substr(inizio, fine_titolo - inizio);
    p = inizio;
    if (titolo.find(cercato) == std::string_view::npos) continue;
    std::size_t fine = testo.find("\n#", fine_titolo);
    if (fine == std::string_view::npos) fine = testo.size();
    return testo.substr(inizio, fine - inizio);
  }
  return {};
}

std::vector<std::string> celle(std::string_view riga) {
  std::vector<std::string> c;
  std::size_t p = riga.find('|');
  while (p != std::string_view::npos) {
    const std::size_t q = riga.find('|', p + 1);
    if (q == std::string_view::npos) break;
    std::string_view x = riga.substr(p + 1, q - p - 1);
    while (!x.empty() && x.front() == ' ') x.remove_prefix(1);
    while (!x.empty() && x.back() == ' ') x.remove_suffix(1);
    c.emplace_back(x);
    p = q;
  }
  return c;
}

}  // namespace

std::string_view voce_riferimento(std::string_view scritta) {
  const std::string_view testo = testo_riferimento();
  std::string cercato = "`" + std::string(scritta) + "`";
  std::string_view s = sezione_con(testo, cercato);
  if (!s.empty()) return s;
  // `curvad3` under `curvad1` ... `curvad6`; `sfondo due` under
  // `sfondo uno`, `due`, `tre`.
  std::string radice(scritta);
  while (!radice.empty() &&
         std::isdigit(static_cast<unsigned char>(radice.back())))
    radice.pop_back();
  if (radice.size() == scritta.size()) {
    const std::size_t spazio = radice.rfind(' ');
    if (spazio == std::string::npos) return {};
    radice.resize(spazio + 1);
  }
  return sezione_con(testo, "`" + radice);
}

std::string riga_valore(std::string_view voce, int n) {
  const std::string inizio = "| " + std::to_string(n) + " |";
  std::size_t p = 0;
  while ((p = voce.find(inizio, p)) != std::string_view::npos) {
    if (p == 0 || voce[p - 1] == '\n') {
      const std::size_t fine = voce.find('\n', p);
      const std::vector<std::string> c = celle(voce.substr(p, fine - p));
      if (c.size() < 6) return "";
      std::string r = "**" + c[1] + "**: " + c[2];
      if (!c[3].empty())
        r += "  \n" + sostituisci(traduci("unit: {0}"), {c[3]});
      if (!c[4].empty())
        r += "  \n" + sostituisci(traduci("width and range: {0}"), {c[4]});
      if (!c[5].empty())
        r += "  \n" + sostituisci(traduci("grid: {0}"), {c[5]});
      return r;
    }
    ++p;
  }
  return "";
}

std::string_view diventa(std::string_view voce) {
  const std::size_t p = voce.find("- **Becomes:**");
  if (p == std::string_view::npos) return {};
  std::size_t fine = voce.find("\n- ", p + 1);
  const std::size_t vuota = voce.find("\n\n", p);
  if (fine == std::string_view::npos || vuota < fine) fine = vuota;
  return voce.substr(p + 2, fine == std::string_view::npos
                                ? std::string_view::npos
                                : fine - p - 2);
}

namespace {

// The entries a cell of the headers' table names: "T9, T10", "L1 to L4".
std::vector<std::string> voci_nominate(std::string_view testo) {
  std::vector<std::string> r;
  for (std::size_t p = 0; p < testo.size(); ++p) {
    const char parte = testo[p];
    if ((parte != 'L' && parte != 'T') || p + 1 >= testo.size() ||
        !std::isdigit(static_cast<unsigned char>(testo[p + 1])))
      continue;
    std::size_t q = p + 1;
    int numero = 0;
    while (q < testo.size() &&
           std::isdigit(static_cast<unsigned char>(testo[q])))
      numero = numero * 10 + (testo[q++] - '0');
    // "L1 to L4": the entries between the two.
    const bool fino_a =
        !r.empty() && p >= 4 && testo.substr(p - 4, 4) == " to ";
    const int primo = fino_a ? std::stoi(r.back().substr(1)) + 1 : numero;
    for (int n = primo; n <= numero; ++n)
      r.push_back(std::string(1, parte) + std::to_string(n));
    p = q;
  }
  return r;
}

// An entry's heading and first sentence.
std::string titolo_e_frase(std::string_view testo, const std::string& voce) {
  const std::size_t p = testo.find("\n### " + voce + " ");
  if (p == std::string_view::npos) return "";
  const std::size_t fine_titolo = testo.find('\n', p + 1);
  std::string r = "- " + std::string(testo.substr(p + 5, fine_titolo - p - 5));
  const std::size_t frase = testo.find_first_not_of('\n', fine_titolo);
  const std::size_t punto = testo.find(". ", frase);
  const std::size_t a_capo = testo.find("\n\n", frase);
  if (frase != std::string_view::npos && punto < a_capo)
    r += ": " + std::string(testo.substr(frase, punto + 1 - frase));
  std::replace(r.begin(), r.end(), '\n', ' ');
  return r;
}

}  // namespace

std::string riga_intestazione(std::string_view intestazione, bool linea) {
  const std::string_view testo = testo_riferimento();
  const std::size_t parte = testo.find(linea ? "\n## 4. " : "\n## 5. ");
  if (parte == std::string_view::npos) return "";
  std::string cercato = "\n| `" + std::string(intestazione) + "` |";
  for (char& c : cercato)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t p = testo.find(cercato, parte);
  const std::size_t fine_parte = testo.find("\n## ", parte + 1);
  if (p == std::string_view::npos || p > fine_parte) return "";
  const std::size_t fine = testo.find('\n', p + 1);
  const std::vector<std::string> c = celle(testo.substr(p + 1, fine - p - 1));
  if (c.size() < 2) return "";
  std::string r = sostituisci(
      linea ? traduci("**{0}**, a section of the line description: {1}")
            : traduci("**{0}**, a section of the train-run description: {1}"),
      {c[0], c[1]});
  std::string elenco;
  for (const std::string& v : voci_nominate(c[1])) {
    const std::string riga = titolo_e_frase(testo, v);
    if (!riga.empty()) elenco += "\n" + riga;
  }
  return elenco.empty() ? r : r + "\n" + elenco;
}
