// Quick fixes: a diagnostic whose check names what was probably meant (a
// misspelt keyword or header, a number without its thousands separator, a
// position in kilometres) gets an edit that writes it. Where the check gives
// no text to write, the fix is worked out here from the item as the checker's
// reader reads it: a position off the grid goes where the compiler puts it
// (the compiler's own rounding), a decimal comma becomes a whole number, the
// values left over are removed and the missing ones named in their place.
#include <charconv>

#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/diagnostiche.h"
#include "lsp/funzioni.h"
#include "lsp/lettura_documento.h"
#include "platform/cp1252.h"
#include "reading/grammatica.h"
#include "validation/regole.h"

using json = nlohmann::json;

namespace {

struct correzione {
  std::string titolo;
  json range;
  std::string testo;  // UTF-8
  bool preferita = true;
};

std::size_t inizio_di(int colonna) {
  return static_cast<std::size_t>(colonna > 0 ? colonna - 1 : 0);
}

// The range on line `riga` from code point `da` to the end of the field that
// begins at code point `campo` (a number to its blank, a text to its comma).
json fino_al_campo(const documento& d, int riga, std::size_t da,
                   std::size_t campo, unita_posizione u) {
  const std::string_view linea = riga_di(d.testo, riga);
  const std::size_t fine = fine_del_campo(linea, byte_del_punto(linea, campo));
  return intervallo(riga, carattere_di(linea, byte_del_punto(linea, da), u),
                    riga, carattere_di(linea, fine, u));
}

json del_valore(const documento& d, const valore_letto& x, unita_posizione u) {
  return fino_al_campo(d, x.riga - 1, inizio_di(x.colonna),
                       inizio_di(x.colonna), u);
}

// The item whose line the diagnostic is on: the last one that begins at or
// before its start.
const voce* voce_a(const descrizione_letta& l, int riga, std::size_t punto) {
  const voce* trovata = nullptr;
  for (const voce& v : l.voci)
    if (v.riga == riga + 1 && inizio_di(v.colonna) <= punto) trovata = &v;
  return trovata;
}

std::optional<correzione> dal_suggerimento(const documento& d, const json& diag,
                                           const voce* v, unita_posizione u) {
  const std::string forse = diag.at("data").value("suggerimento", "");
  if (forse.empty()) return std::nullopt;
  correzione c{sostituisci(traduci("Write \"{0}\""), {forse}), diag.at("range"),
               forse};
  // "4 000" is two fields: the fix writes over both.
  if (v != nullptr) {
    const auto staccate = migliaia_staccate(*v);
    if (staccate &&
        cp1252_a_utf8(std::string(staccate->first->testo)
                          .append(staccate->second->testo)) == forse)
      c.range = fino_al_campo(d, staccate->first->riga - 1,
                              inizio_di(staccate->first->colonna),
                              inizio_di(staccate->second->colonna), u);
  }
  return c;
}

// A position off the grid: where the compiler puts it, which is the metre the
// check's warning names.
std::optional<correzione> sulla_griglia(const documento& d, const json& diag,
                                        const voce& v, std::size_t punto,
                                        unita_posizione u) {
  const forma_chiave& f = forma(v.chiave);
  const json& dati = diag.at("data");
  const auto metro = dati.find("metro");
  if (metro == dati.end() || !metro->is_number_integer()) return {};
  for (std::size_t i = 0; i < v.valori.size(); ++i) {
    const valore_letto& x = v.valori[i];
    if (inizio_di(x.colonna) != punto || !x.numerico ||
        f.valori[i].ruolo != ruolo_valore::posizione)
      continue;
    const aggancio a = aggancio_della_voce(v.chiave);
    const int64_t dove =
        metro_della_cella(cella_del_metro(static_cast<double>(x.numero), a), a);
    if (dove == x.numero || dove != metro->get<int64_t>()) return {};
    const std::string m = std::to_string(dove);
    return correzione{
        sostituisci(traduci("Write {0} m, where the compiler puts it"), {m}),
        del_valore(d, x, u), m};
  }
  return std::nullopt;
}

bool solo_cifre(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == s.npos;
}

// `intero`,`decimi` read as one number with a decimal comma, rounded to the
// nearest whole number (halves away from zero).
std::optional<int64_t> arrotondato(const valore_letto& intero,
                                   const std::string& decimi) {
  if (decimi.size() > 9) return std::nullopt;
  int64_t frazione = 0, base = 1;
  std::from_chars(decimi.data(), decimi.data() + decimi.size(), frazione);
  for (std::size_t i = 0; i < decimi.size(); ++i) base *= 10;
  const bool negativo = intero.testo.starts_with('-');
  const int64_t su = 2 * frazione >= base ? 1 : 0;
  return intero.numero + (negativo ? -su : su);
}

// "4,5" where a whole number is meant: the line has one field too many, and
// exactly one number is followed by digits right after its comma.
std::optional<correzione> virgola_decimale(const documento& d, const voce& v,
                                           unita_posizione u) {
  for (const valore_chiave& x : forma(v.chiave).valori)
    if (x.larghezza == larghezza_valore::testo) return std::nullopt;
  if (v.in_piu.size() != 1 || migliaia_staccate(v)) return std::nullopt;
  std::vector<const valore_letto*> campi;
  for (const valore_letto& x : v.valori) campi.push_back(&x);
  campi.push_back(&v.in_piu.front());
  const valore_letto* prima = nullptr;
  const valore_letto* dopo = nullptr;
  for (std::size_t n = 1; n < campi.size(); ++n) {
    const valore_letto& a = *campi[n - 1];
    const valore_letto& b = *campi[n];
    if (!a.numerico || a.a_uno_spazio || !solo_cifre(b.testo) ||
        b.colonna != a.colonna + static_cast<int>(a.testo.size()) + 1)
      continue;
    if (prima != nullptr) return std::nullopt;  // which comma is unclear
    prima = &a;
    dopo = &b;
  }
  if (prima == nullptr) return std::nullopt;
  const auto n = arrotondato(*prima, dopo->testo);
  if (!n) return std::nullopt;
  const std::string scritto =
      std::string(prima->testo).append(",").append(dopo->testo);
  return correzione{
      sostituisci(traduci("Write {0}: \"{1}\" has a decimal comma, and the "
                          "values are whole numbers"),
                  {std::to_string(*n), scritto}),
      fino_al_campo(d, prima->riga - 1, inizio_di(prima->colonna),
                    inizio_di(dopo->colonna), u),
      std::to_string(*n)};
}

// The fields after the last value, with the comma before them.
correzione senza_in_piu(const documento& d, const voce& v, bool preferita,
                        unita_posizione u) {
  const valore_letto& ultimo = v.valori.back();
  const json fine_ultimo = del_valore(d, ultimo, u)["end"];
  json r = fino_al_campo(d, ultimo.riga - 1, 0,
                         inizio_di(v.in_piu.back().colonna), u);
  r["start"] = fine_ultimo;
  return {traduci("Remove the values left over"), r, "", preferita};
}

// The names of the missing values, written after the last one for the author
// to replace.
correzione con_mancanti(const documento& d, const voce& v, unita_posizione u) {
  const forma_chiave& f = forma(v.chiave);
  std::string nomi;
  for (std::size_t i = v.valori.size(); i < f.valori.size(); ++i)
    nomi += ", " + std::string(f.valori[i].nome);
  const int riga = v.riga - 1;
  const std::size_t ultimo = v.valori.empty()
                                 ? inizio_di(v.colonna)
                                 : inizio_di(v.valori.back().colonna);
  json r = fino_al_campo(d, riga, ultimo, ultimo, u);
  r["start"] = r["end"];
  return {sostituisci(traduci("Add the missing values: {0}"), {nomi.substr(2)}),
          r, nomi};
}

// The fixes of one diagnostic of `letta`.
std::vector<correzione> correzioni_di(const documento& d,
                                      const descrizione_letta& letta,
                                      const json& diag, unita_posizione u) {
  std::vector<correzione> r;
  const int riga = diag.at("range").at("start").at("line").get<int>();
  const std::size_t punto = punto_di(
      d, riga, diag.at("range").at("start").at("character").get<int>(), u);
  const voce* v = voce_a(letta, riga, punto);
  if (auto c = dal_suggerimento(d, diag, v, u)) return {*c};
  if (v == nullptr) return r;
  if (auto c = sulla_griglia(d, diag, *v, punto, u)) r.push_back(*c);
  if (!v->in_piu.empty() && punto == inizio_di(v->in_piu.front().colonna) &&
      !v->valori.empty() && !migliaia_staccate(*v)) {
    const auto decimale = virgola_decimale(d, *v, u);
    if (decimale) r.push_back(*decimale);
    r.push_back(senza_in_piu(d, *v, !decimale, u));
  }
  if (!v->completa() && punto == inizio_di(v->colonna) &&
      diag.value("severity", 0) == 1)
    r.push_back(con_mancanti(d, *v, u));
  return r;
}

}  // namespace

json azioni_di(const documento& d, const json& diagnostiche,
               unita_posizione u) {
  const descrizione_letta& letta = letta_di(d);
  json azioni = json::array();
  for (const json& diag : diagnostiche) {
    if (!diag.contains("data") || !diag["data"].is_object() ||
        !diag.contains("range"))
      continue;
    for (const correzione& c : correzioni_di(d, letta, diag, u)) {
      json cambi = json::object();
      cambi[d.uri] = json::array({{{"range", c.range}, {"newText", c.testo}}});
      azioni.push_back({{"title", c.titolo},
                        {"kind", "quickfix"},
                        {"diagnostics", json::array({diag})},
                        {"isPreferred", c.preferita},
                        {"edit", {{"changes", cambi}}}});
    }
  }
  return azioni;
}
