// What the hover says: on a keyword its entry of the reference, on a value
// its row of the entry's table and what the compiler makes of it here.
#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/funzioni.h"
#include "lsp/lettura_documento.h"
#include "lsp/riferimento.h"
#include "platform/cp1252.h"
#include "reading/grammatica.h"
#include "validation/regole.h"

using json = nlohmann::json;

namespace {

// Where a position lands: its cell and the metre the compiler gives it.
std::string dove_cade(parola chiave, int64_t metri) {
  const aggancio a = aggancio_della_voce(chiave);
  const int64_t cella = cella_del_metro(static_cast<double>(metri), a);
  const int64_t metro = metro_della_cella(cella, a);
  std::string r = sostituisci(traduci("lands in cell {0}, which the compiler "
                                      "places at {1} m"),
                              {std::to_string(cella), std::to_string(metro)});
  if (metro != metri) {
    r += "; " + sostituisci(traduci("{0} m is off the 50-m grid: rounded to "
                                    "the nearest cell, halves to even"),
                            {std::to_string(metri)});
  }
  return r;
}

std::string testo_valore(const voce& v, int i) {
  const forma_chiave& f = forma(v.chiave);
  const std::string_view sezione = voce_riferimento(f.scritta);
  std::string r = riga_valore(sezione, i + 1);
  const auto n = static_cast<std::size_t>(i);
  if (r.empty() && n < f.valori.size())
    r = "**" + std::string(f.valori[n].nome) + "**";
  if (r.empty()) return "";
  const valore_letto& x = v.valori[n];
  if (n < f.valori.size() && f.valori[n].ruolo == ruolo_valore::posizione &&
      x.numerico)
    r += "\n\n" + dove_cade(v.chiave, x.numero);
  const std::string_view becomes = diventa(sezione);
  if (!becomes.empty()) r += "\n\n" + std::string(becomes);
  return r;
}

}  // namespace

json hover_di(const documento& d, int riga, int carattere, unita_posizione u) {
  const descrizione_letta letta =
      leggi_voci(testo_cp1252(d.testo), d.ruolo, true);
  const auto luogo = luogo_in(letta, riga, punto_di(d, riga, carattere, u));
  if (!luogo) return nullptr;
  const std::string testo =
      luogo->valore < 0
          ? std::string(voce_riferimento(forma(luogo->v->chiave).scritta))
          : testo_valore(*luogo->v, luogo->valore);
  if (testo.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", testo}}}};
}
