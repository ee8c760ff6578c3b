// The outline of a description: its sections, and under each the items
// (stations by name with their metre, signals, slowdowns, tunnels, boards).
#include <string>
#include <string_view>
#include <vector>

#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
#include "lsp/lettura_documento.h"
#include "platform/cp1252.h"
#include "reading/grammatica.h"
#include "validation/voci.h"

using json = nlohmann::json;

namespace {

constexpr int simbolo_modulo = 2;
constexpr int simbolo_evento = 24;

bool nella_struttura(parola p) {
  switch (p) {
    case parola::stazione:
    case parola::segnale:
    case parola::rallentamento:
    case parola::montagna:
    case parola::indicatori_vmax:
    case parola::cartello_indicatore:
      return true;
    default:
      return false;
  }
}

std::string nome_voce(const voce& v) {
  std::string nome = cp1252_a_utf8(forma(v.chiave).scritta);
  const std::string metri =
      v.valori.empty() ? "" : " " + cp1252_a_utf8(v.valori[0].testo) + " m";
  if (v.chiave == parola::stazione && v.valori.size() > 1)
    return cp1252_a_utf8(v.valori.back().testo) + metri;
  if (v.chiave == parola::cartello_indicatore && v.valori.size() > 1)
    return cp1252_a_utf8(v.valori.back().testo) + metri;
  return nome + metri;
}

json simbolo(const std::string& nome, int kind, const json& r) {
  return {{"name", nome.empty() ? "?" : nome},
          {"kind", kind},
          {"range", r},
          {"selectionRange", r},
          {"children", json::array()}};
}

// The lines of a text, each without its line end: found once, since the
// outline asks for a line for each item.
std::vector<std::string_view> righe_di(std::string_view testo) {
  std::vector<std::string_view> righe;
  for (const std::size_t inizio : inizi_righe(testo)) {
    const std::size_t fine = testo.find_first_of("\r\n", inizio);
    righe.push_back(testo.substr(inizio, fine == std::string_view::npos
                                             ? std::string_view::npos
                                             : fine - inizio));
  }
  return righe;
}

json intervallo_riga(const std::vector<std::string_view>& righe, int riga,
                     unita_posizione u) {
  const std::string_view l =
      riga >= 0 && static_cast<std::size_t>(riga) < righe.size()
          ? righe[static_cast<std::size_t>(riga)]
          : std::string_view();
  return intervallo(riga, 0, riga, carattere_di(l, l.size(), u));
}

}  // namespace

json simboli_di(const documento& d, unita_posizione u) {
  json sezioni = json::array();
  const std::vector<std::string_view> testo_righe = righe_di(d.testo);
  const std::size_t righe = testo_righe.size();
  for (std::size_t r = 0; r < righe; ++r) {
    std::string_view l = testo_righe[r];
    while (!l.empty() && (l.back() == ' ' || l.back() == '\t'))
      l.remove_suffix(1);
    while (!l.empty() && (l.front() == ' ' || l.front() == '\t'))
      l.remove_prefix(1);
    if (l.size() > 2 && l.front() == '[' && l.back() == ']')
      sezioni.push_back(
          simbolo(std::string(l), simbolo_modulo,
                  intervallo_riga(testo_righe, static_cast<int>(r), u)));
  }
  const descrizione_letta& letta = letta_di(d);
  json fuori = json::array();
  for (const voce& v : letta.voci) {
    if (!nella_struttura(v.chiave)) continue;
    const int riga = v.riga - 1;
    json s = simbolo(nome_voce(v), simbolo_evento,
                     intervallo_riga(testo_righe, riga, u));
    json* sezione = nullptr;
    for (json& x : sezioni) {
      if (x["range"]["start"]["line"].get<int>() <= riga) sezione = &x;
    }
    (sezione != nullptr ? (*sezione)["children"] : fuori)
        .push_back(std::move(s));
  }
  // A section runs from its header to the line before the next one, so that
  // it encloses its items, as the protocol asks of a symbol's children.
  for (std::size_t i = 0; i < sezioni.size(); ++i) {
    const int ultima =
        i + 1 < sezioni.size()
            ? sezioni[i + 1]["range"]["start"]["line"].get<int>() - 1
            : static_cast<int>(righe) - 1;
    sezioni[i]["range"]["end"] = intervallo_riga(testo_righe, ultima, u)["end"];
  }
  for (json& s : fuori) sezioni.push_back(std::move(s));
  return sezioni;
}
