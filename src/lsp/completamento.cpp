// Completion at the start of a line: the section headers of the description
// and the keywords that hold in the section the cursor is in, each with a
// snippet of its values; nothing inside a comment or among the values.
#include <algorithm>
#include <string>

#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
#include "lsp/testo_lsp.h"
#include "platform/cp1252.h"
#include "reading/grammatica.h"

using json = nlohmann::json;

namespace {

// Whether line `riga` of a line description stands in its general section:
// after `[generale]` and before the next header.
bool nel_generale(const std::string& testo, int riga) {
  bool dentro = false;
  for (int r = 0; r < riga; ++r) {
    const std::string l(senza_spazi(riga_di(testo, r)));
    if (l.size() < 2 || l.front() != '[' || l.back() != ']') continue;
    dentro = l == "[generale]";
  }
  return dentro;
}

// A placeholder's name may not hold the snippet's own marks.
std::string segnaposto(std::string_view nome) {
  std::string r;
  for (const char c : nome) {
    if (c == '$' || c == '}' || c == '\\') r += '\\';
    r += c;
  }
  return r;
}

// What an item writes over: from the first letter of the line to the cursor,
// so that a keyword of two words or a header's bracket is replaced whole.
json sostituzione(const json& r, const std::string& testo) {
  return {{"range", r}, {"newText", testo}};
}

json voce_chiave(const forma_chiave& f, const json& r) {
  const std::string scritta = cp1252_a_utf8(f.scritta);
  std::string snippet = scritta;
  int n = 1;
  for (const valore_chiave& v : f.valori)
    snippet += ", ${" + std::to_string(n++) + ":" + segnaposto(v.nome) + "}";
  return {{"label", scritta},
          {"kind", 14},
          {"insertText", snippet},
          {"textEdit", sostituzione(r, snippet)},
          {"insertTextFormat", 2}};
}

}  // namespace

json completamento_di(const documento& d, int riga, int carattere,
                      unita_posizione u) {
  json voci = json::array();
  const std::string_view linea = riga_di(d.testo, riga);
  const std::size_t fino =
      offset_di(d.testo, riga, carattere, u) - offset_di(d.testo, riga, 0, u);
  const std::string_view prima = linea.substr(0, std::min(fino, linea.size()));
  // Among the values, or in a comment (a field with a dash): nothing.
  if (prima.find(',') != std::string_view::npos ||
      prima.find('-') != std::string_view::npos)
    return voci;
  const std::size_t inizio =
      std::min(prima.find_first_not_of(" \t"), prima.size());
  const json r = intervallo(riga, carattere_di(linea, inizio, u), riga,
                            carattere_di(linea, prima.size(), u));
  for (const std::string_view h : intestazioni(d.ruolo)) {
    const std::string scritta = cp1252_a_utf8(h);
    voci.push_back({{"label", scritta},
                    {"kind", 22},
                    {"textEdit", sostituzione(r, scritta)}});
  }
  if (senza_spazi(prima).rfind('[', 0) == 0) return voci;
  const bool generale = d.ruolo == fonte_lettura::descrizione_linea &&
                        nel_generale(d.testo, riga);
  for (const forma_chiave& f : forme()) {
    if (f.fonte != d.ruolo || f.chiave == parola::generale) continue;
    if (d.ruolo == fonte_lettura::descrizione_linea && f.generale != generale)
      continue;
    voci.push_back(voce_chiave(f, r));
  }
  return voci;
}
