// The outline of a description: its sections, and under each the items
// (stations by name with their metre, signals, slowdowns, tunnels, boards).
#include <string>

#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
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

json intervallo_riga(const std::string& testo, int riga, unita_posizione u) {
  const std::string_view l = riga_di(testo, riga);
  return intervallo(riga, 0, riga, carattere_di(l, l.size(), u));
}

}  // namespace

json simboli_di(const documento& d, unita_posizione u) {
  json sezioni = json::array();
  const std::size_t righe = inizi_righe(d.testo).size();
  for (std::size_t r = 0; r < righe; ++r) {
    std::string_view l = riga_di(d.testo, static_cast<int>(r));
    while (!l.empty() && (l.back() == ' ' || l.back() == '\t'))
      l.remove_suffix(1);
    while (!l.empty() && (l.front() == ' ' || l.front() == '\t'))
      l.remove_prefix(1);
    if (l.size() > 2 && l.front() == '[' && l.back() == ']')
      sezioni.push_back(
          simbolo(std::string(l), simbolo_modulo,
                  intervallo_riga(d.testo, static_cast<int>(r), u)));
  }
  const std::string byte = testo_cp1252(d.testo);  // what `letta` views
  const descrizione_letta letta = leggi_voci(byte, d.ruolo, true);
  json fuori = json::array();
  for (const voce& v : letta.voci) {
    if (!nella_struttura(v.chiave)) continue;
    const int riga = v.riga - 1;
    json s = simbolo(nome_voce(v), simbolo_evento,
                     intervallo_riga(d.testo, riga, u));
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
    sezioni[i]["range"]["end"] = intervallo_riga(d.testo, ultima, u)["end"];
  }
  for (json& s : fuori) sezioni.push_back(std::move(s));
  return sezioni;
}
