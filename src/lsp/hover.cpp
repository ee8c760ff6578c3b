// What the hover says: on a keyword its entry of the reference, on a section
// header what the section holds, on a value its row of the entry's table and
// what the compiler makes of it here: the cell and metre a position lands on,
// and the fields of that cell as the last check compiled them, read through
// the cell fields' table and the codecs of their values.
#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/funzioni.h"
#include "lsp/lettura_documento.h"
#include "lsp/riferimento.h"
#include "platform/cp1252.h"
#include "reading/grammatica.h"
#include "reading/parole_chiave.h"
#include "tables/campi.h"
#include "tables/valori_celle.h"
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

// A profile field read back in the author's unit, by the codec that wrote it.
int64_t letto_indietro(std::string_view campo, int64_t byte) {
  const auto b = static_cast<uint8_t>(byte);
  if (campo == "pendenza") return decodifica_pendenza(b);
  if (campo == "velocita") return decodifica_velocita(b);
  return byte;
}

// The cell field that a profile keyword fills (its name is the keyword's:
// `pendenza`, `velocita`, `aderenza`, `montagna`), or none for an item.
const campo<cella>* campo_del_profilo(parola chiave) {
  for (const campo<cella>& c : campi_cella)
    if (c.nome == forma(chiave).scritta) return &c;
  return nullptr;
}

std::string campo_e_valore(const campo<cella>& c, const cella& x) {
  return sostituisci(
      traduci("`{0}` = {1} ({2})"),
      {std::string(c.nome), std::to_string(valore_numerico(c, x)),
       std::string(c.significato)});
}

// A profile's value as the cell holds it, said plainly when it is not the
// value written.
std::string profilo_nella_cella(const campo<cella>& c, const cella& x,
                                int64_t n, const valore_letto* scritto,
                                std::string_view unita) {
  std::string r = sostituisci(traduci("Compiled: cell {0} holds {1}"),
                              {std::to_string(n), campo_e_valore(c, x)});
  if (scritto == nullptr || !scritto->numerico) return r;
  const int64_t indietro = letto_indietro(c.nome, valore_numerico(c, x));
  const std::string u = unita.empty() ? "" : " " + std::string(unita);
  if (indietro == scritto->numero)
    return r + "; " +
           sostituisci(traduci("read back: {0}{1}"),
                       {std::to_string(indietro), u});
  return r + ".  \n" +
         sostituisci(traduci("**Not as written:** {0}{2} reads back as "
                             "{1}{2} from the compiled field"),
                     {scritto->testo, std::to_string(indietro), u});
}

std::string elemento_nella_cella(const cella& x, int64_t n) {
  if (x.tipo == 0)
    return sostituisci(traduci("Compiled: cell {0} holds no item"),
                       {std::to_string(n)});
  std::string r =
      sostituisci(traduci("Compiled: cell {0} holds"), {std::to_string(n)});
  for (const campo<cella>& c : campi_elemento)
    if (c.nome == "tipo" || valore_numerico(c, x) != 0)
      r += "  \n- " + campo_e_valore(c, x);
  return r;
}

// The station record compiled from a station line: the one with its
// position and its name.
std::string nel_record(const voce& v, const tabella_stazioni& stazioni) {
  if (!v.completa() || !v.valori[0].numerico) return "";
  for (std::size_t n = 1; n < stazioni.size(); ++n) {
    const stazione& s = stazioni[n];
    if (s.posizione != v.numero(0) || s.nome != v.valori.back().testo) continue;
    std::string r =
        sostituisci(traduci("Compiled: record {0} holds"), {std::to_string(n)});
    for (const campo<stazione>& c : campi_stazione) {
      const std::string valore =
          campo_di_testo(c)
              ? "\"" +
                    cp1252_a_utf8(s.*
                                  std::get<std::string stazione::*>(c.dove)) +
                    "\""
              : std::to_string(valore_numerico(c, s));
      r += "  \n- " + sostituisci(traduci("`{0}` = {1} ({2})"),
                                  {std::string(c.nome), valore,
                                   std::string(c.significato)});
    }
    return r;
  }
  return "";
}

// What the last compiled cells hold where the item's position lands.
std::string nella_cella(const voce& v, int i,
                        const tabelle_compilate* compilate) {
  const forma_chiave& f = forma(v.chiave);
  if (compilate == nullptr || v.valori.empty() || !v.valori[0].numerico ||
      f.valori[0].ruolo != ruolo_valore::posizione)
    return "";
  // A station is its record, and its stop cell stands at the end of its
  // area, not in the cell of its position.
  if (v.chiave == parola::stazione) return nel_record(v, compilate->stazioni);
  const std::vector<cella>* celle = &compilate->celle;
  const aggancio a = aggancio_della_voce(v.chiave);
  const int64_t n = cella_del_metro(static_cast<double>(v.numero(0)), a);
  if (n < 0 || n >= static_cast<int64_t>(celle->size())) return "";
  const cella& x = (*celle)[static_cast<std::size_t>(n)];
  const auto k = static_cast<std::size_t>(i);
  if (const campo<cella>* c = campo_del_profilo(v.chiave)) {
    const bool posizione = f.valori[k].ruolo == ruolo_valore::posizione;
    return profilo_nella_cella(*c, x, n, posizione ? nullptr : &v.valori[k],
                               f.valori[k].unita);
  }
  return elemento_nella_cella(x, n);
}

std::string testo_valore(const voce& v, int i,
                         const tabelle_compilate* compilate) {
  const forma_chiave& f = forma(v.chiave);
  const std::string_view sezione = voce_riferimento(f.scritta);
  std::string r = riga_valore(sezione, i + 1);
  const auto n = static_cast<std::size_t>(i);
  if (r.empty() && n < f.valori.size())
    r = "**" + std::string(f.valori[n].nome) + "**";
  if (r.empty()) return "";
  const valore_letto& x = v.valori[n];
  // A station's position goes into its record, not onto a cell.
  if (n < f.valori.size() && f.valori[n].ruolo == ruolo_valore::posizione &&
      x.numerico && v.chiave != parola::stazione)
    r += "\n\n" + dove_cade(v.chiave, x.numero);
  if (const std::string c = nella_cella(v, i, compilate); !c.empty())
    r += "\n\n" + c;
  const std::string_view becomes = diventa(sezione);
  if (!becomes.empty()) r += "\n\n" + std::string(becomes);
  return r;
}

// The section header under the cursor, if the line is one.
std::string testo_intestazione(const documento& d, int riga,
                               std::size_t punto) {
  const std::string linea(riga_di(d.testo, riga));
  const std::size_t inizio = linea.find_first_not_of(" \t");
  if (inizio == std::string::npos || linea[inizio] != '[') return "";
  std::size_t fine = linea.find(',', inizio);
  if (fine == std::string::npos) fine = linea.size();
  while (fine > inizio && (linea[fine - 1] == ' ' || linea[fine - 1] == '\t'))
    --fine;
  const std::string campo = linea.substr(inizio, fine - inizio);
  if (punto < inizio || punto > fine || !intestazione(campo)) return "";
  return riga_intestazione(campo, d.ruolo == fonte_lettura::descrizione_linea);
}

}  // namespace

json hover_di(const documento& d, int riga, int carattere, unita_posizione u,
              const tabelle_compilate* compilate) {
  const descrizione_letta& letta = letta_di(d);
  const std::size_t punto = punto_di(d, riga, carattere, u);
  const auto luogo = luogo_in(letta, riga, punto);
  std::string testo;
  if (!luogo)
    testo = testo_intestazione(d, riga, punto);
  else if (luogo->valore < 0)
    testo = std::string(voce_riferimento(forma(luogo->v->chiave).scritta));
  else
    testo = testo_valore(*luogo->v, luogo->valore, compilate);
  if (testo.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", testo}}}};
}
