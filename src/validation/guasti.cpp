#include "validation/guasti.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "compiler/memorizza_percorso.h"
#include "platform/cartella_memoria.h"
#include "tables/metri.h"
#include "train_run/geometria.h"
#include "validation/problemi_di_voce.h"

namespace {

// A run of the checks over one set of excluded lines.
struct passata {
  const contesto_guasti& x;
  const righe_escluse& escluse;

  bool esclusa(const voce& v) const {
    return escluse.count({v.fonte, v.riga}) != 0;
  }
};

// Every item of both descriptions, in the order the compiler reads them.
std::vector<const voce*> in_ordine(const contesto_guasti& x) {
  std::vector<const voce*> voci;
  voci.reserve(x.linea.voci.size() + x.treno.voci.size());
  for (const voce& v : x.linea.voci) voci.push_back(&v);
  for (const voce& v : x.treno.voci) voci.push_back(&v);
  return voci;
}

// Calls `f` on every item of both descriptions, in the order the compiler
// reads them, until it returns false; without a list of them, since a
// description of a million lines is searched once for each fault.
template <typename F>
void per_ogni_voce(const contesto_guasti& x, F f) {
  for (const descrizione_letta* d : {&x.linea, &x.treno}) {
    for (const voce& v : d->voci) {
      if (!f(v)) return;
    }
  }
}

// A station's area, as the compiler places it.
area_stazione area_di(const voce& v) {
  return area_della_stazione(v.numero(0), v.numero(1), v.numero(2),
                             v.numero(5) != 0);
}

int64_t fine_stazione(const voce& v) { return area_di(v).fine; }

int64_t inizio_stazione(const voce& v) { return area_di(v).inizio; }

int64_t cella_punto(int64_t metri) {
  return cella_del_metro(static_cast<double>(metri), aggancio::punto);
}

// The cells of one item: a slowdown has the most, its start, end and warning
// cells and the four before the warning. Kept in place, since the checks ask
// for the cells of every item for each fault they explain.
struct celle_voce {
  std::array<int64_t, 3 + celle_prima_dell_avviso> cella{};
  std::size_t quante = 0;

  void aggiungi(int64_t c) { cella[quante++] = c; }
  const int64_t* begin() const { return cella.data(); }
  const int64_t* end() const { return cella.data() + quante; }
  std::size_t size() const { return quante; }
  bool contiene(int64_t c) const { return std::find(begin(), end(), c) != end(); }
};

// The cells in which an item puts an item kind (a tunnel's marks count as
// free, so they are not listed).
celle_voce celle_della_voce(const voce& v) {
  celle_voce celle;
  if (!v.completa()) return celle;
  const int64_t p = v.numero(0);
  switch (v.chiave) {
    case parola::indicatori_vmax:
    case parola::cartello_indicatore:
    case parola::segnale:
      celle.aggiungi(cella_punto(p));
      break;
    case parola::abbattimento:
      celle.aggiungi(cella_del_metro(static_cast<double>(p), aggancio::tratto));
      break;
    case parola::stazione:
      if (v.numero(1) < 25) celle.aggiungi(cella_della_fermata(fine_stazione(v)));
      break;
    case parola::rallentamento: {
      const celle_rallentamento dove = celle_del_rallentamento(p, v.numero(2));
      celle.aggiungi(dove.inizio);
      celle.aggiungi(dove.fine);
      if (dove.con_avviso) celle.aggiungi(dove.avviso);
      if (dove.con_avviso && v.numero(4) != 0)
        for (int k = 0; k < celle_prima_dell_avviso; ++k)
          celle.aggiungi(dove.prima_dell_avviso - k);
      break;
    }
    default:
      break;
  }
  return celle;
}

// "segnale at 3000 m": an item and its position as written.
argomento alla_posizione(const voce& v) {
  if (v.valori.empty()) return v.scritta;
  return messaggio{N_("{0} at {1} m"), {v.scritta, v.valori[0].testo}};
}

// "segnale at 3000 m (line 12)": an item as a message names it, with its
// description when that is not the one of the message.
messaggio descrivi(const voce& v, fonte_lettura da) {
  const char* formato = N_("{0} (line {1})");
  if (v.fonte != da) {
    formato = v.fonte == fonte_lettura::descrizione_linea
                  ? N_("{0} (line description, line {1})")
                  : N_("{0} (train-run description, line {1})");
  }
  return {formato, {alla_posizione(v), numero(v.riga)}};
}

// The last item read before `prima` that put something into `cella`.
const voce* voce_occupante(const passata& s, int64_t cella, const voce* prima) {
  const voce* trovato = nullptr;
  per_ogni_voce(s.x, [&](const voce& v) {
    if (&v == prima) return false;
    if (!s.esclusa(v) && celle_della_voce(v).contiene(cella)) trovato = &v;
    return true;
  });
  return trovato;
}

// The item `trovato` found in a cell, as a message names it beside `prima`.
argomento occupante(const voce* trovato, const voce* prima) {
  if (trovato == nullptr) return messaggio{N_("another item")};
  return descrivi(*trovato,
                  prima != nullptr ? prima->fonte : fonte_lettura::nessuna);
}

const voce* voce_del_luogo(const contesto_guasti& x, const luogo_lettura& l) {
  const descrizione_letta& d =
      l.fonte == fonte_lettura::descrizione_treno ? x.treno : x.linea;
  const voce* prima = nullptr;
  for (const voce& v : d.voci) {
    if (v.riga != l.riga) continue;
    if (v.scritta == l.parola) return &v;
    if (prima == nullptr) prima = &v;
  }
  return prima;
}

// The message of a fault on an occupied cell: which cell and what is in it,
// and the item in it (nullptr when none is known).
messaggio cella_occupata(const passata& s, int32_t codice, const voce& v,
                         const voce*& altro) {
  const int64_t p = v.numero(0);
  // Codes 17 to 20 are a slowdown's, and name one of its cells.
  auto dove = [&v, p] { return celle_del_rallentamento(p, v.numero(2)); };
  int64_t cella = cella_punto(p);
  const char* quale = N_("its cell");
  if (codice == 7) {
    cella = cella_del_metro(static_cast<double>(p), aggancio::tratto);
  } else if (codice == 17) {
    cella = dove().avviso;
    quale = N_("the cell of the warning 1200 m before");
  } else if (codice == 18) {
    quale = N_("the start cell");
  } else if (codice == 19) {
    cella = dove().fine;
    quale = N_("the end cell");
  } else if (codice == 20) {
    cella = dove().prima_dell_avviso;
    quale = N_("one of the four cells before the warning");
    // The compiler tests the four from the nearest: name the one taken.
    for (int64_t k = 0; k < celle_prima_dell_avviso; ++k) {
      if (voce_occupante(s, cella - k, &v) == nullptr) continue;
      cella -= k;
      break;
    }
  }
  // A cell is shown as inspect shows it: by the metre that puts its content
  // there. Only code 7's own cell is a speed-code cell; what takes one of the
  // four cells before a warning is a point item.
  const int64_t metro = metro_della_cella(
      cella, codice == 7 ? aggancio::tratto : aggancio::punto);
  altro = voce_occupante(s, cella, &v);
  return {N_("{0} at {1} m: {2} (cell {3}, {4} m) is already taken by {5}"),
          {v.scritta, numero(p), messaggio{quale}, numero(cella), numero(metro),
           occupante(altro, &v)}};
}

// The stations' own faults.
messaggio guasto_di_stazione(const passata& s, int32_t codice, const voce& v) {
  const int64_t p = v.numero(0);
  switch (codice) {
    case 8:
      return {N_("stazione at {0} m: the position must be a multiple of 50 "
                 "({1} or {2})"),
              {numero(p), numero(p - (p % 50 + 50) % 50),
               numero(p - (p % 50 + 50) % 50 + 50)}};
    case 9:
      return {
          N_("stazione at {0} m: the length {1} m must be a multiple of 100"),
          {numero(p), v.valori.size() > 2 ? v.valori[2].testo : "?"}};
    case 24:
      return {N_("stazione at {0} m: its area ends at {1} m, within the first "
                 "100 m, and there is no room left for the stop cell"),
              {numero(p), numero(fine_stazione(v))}};
    case 10:
      return {
          N_("stazione at {0} m: stations and board texts together are more "
             "than 78"),
          {numero(p)}};
    default:
      break;
  }
  const voce* prima = nullptr;
  per_ogni_voce(s.x, [&](const voce& w) {
    if (&w == &v) return false;
    if (w.chiave == parola::stazione && !s.esclusa(w)) prima = &w;
    return true;
  });
  const int64_t fine = prima != nullptr ? fine_stazione(*prima) : 0;
  if (prima != nullptr && p < prima->numero(0)) {
    return {N_("stazione at {0} m: out of order along the line, after {1}; "
               "give the stations in the order of the line"),
            {numero(p), descrivi(*prima, v.fonte)}};
  }
  return {
      N_("stazione at {0} m: its area starts at {1} m, less than 350 m after "
         "the end of {2} at {3} m; move it by at least {4} m"),
      {numero(p), numero(inizio_stazione(v)),
       prima != nullptr ? argomento(descrivi(*prima, v.fonte))
                        : argomento(messaggio{N_("the one before")}),
       numero(fine), numero(fine + 350 - inizio_stazione(v))}};
}

// A position beyond the cells: what the last position that fits is.
messaggio oltre_la_tabella(const passata& s, const registro_errore& r,
                           const voce* v) {
  const int64_t margine =
      v != nullptr && v->chiave == parola::stazione ? 800 : 100;
  const int64_t ultima = int64_t{s.x.r.ultima_cella} * 50 - margine;
  if (r.posizione < 0)
    return {N_("{0} at {1} m: a negative position, before the start of the "
               "line: positions are metres from the start, 0 or more"),
            {r.luogo.parola, numero(r.posizione)}};
  return {N_("{0} at {1} m beyond the end of the table of cells: the last "
             "position allowed is {2} m (route of {3} m)"),
          {r.luogo.parola, numero(r.posizione), numero(ultima),
           s.x.r.lunghezza ? numero(*s.x.r.lunghezza) : "?"}};
}

// A reading failure that no check on the line itself explains.
messaggio errore_di_lettura(const passata& s, const registro_errore& r,
                            const voce* v) {
  if (v != nullptr && v->chiave == parola::montagna)
    return {
        N_("more than 80 tunnels, or the distance between two tunnels does "
           "not fit in 32 bits")};
  if (v != nullptr && v->chiave == parola::cartello_indicatore)
    return {N_("more than 80 board texts, or a text of more than 65535 bytes")};
  if (r.luogo.fonte == fonte_lettura::descrizione_treno && r.luogo.riga == 0 &&
      s.x.testi.treno.empty())
    return {N_("train-run description empty or missing")};
  if (v != nullptr && !s.x.r.lunghezza &&
      r.luogo.fonte == fonte_lettura::descrizione_linea)
    return {N_("no readable lunghezza percorso before {0}: without it there "
               "is no table of cells; the general section needs a line such "
               "as \"lunghezza percorso, 20000\" (whole metres)"),
            {v->scritta}};
  if (v != nullptr)
    return {N_("reading error in {0}: a value worked out does not fit its "
               "field"),
            {v->scritta}};
  return {N_("reading error: the description ends before the values expected")};
}

// The faults of the line description's general section and of its curves.
messaggio guasto_di_linea(int32_t codice, const voce* v) {
  const std::string valore0 =
      v != nullptr && !v->valori.empty() ? v->valori[0].testo : "?";
  const std::string valore1 =
      v != nullptr && v->valori.size() > 1 ? v->valori[1].testo : "?";
  switch (codice) {
    case 1:
      return {N_("lunghezza percorso {0} m out of bounds: 0 to 1000000 m"),
              {valore0}};
    case 3:
      return {
          N_("the start of the signal repetition ({0} m) must be a multiple "
             "of 50"),
          {valore0}};
    case 4:
      return {
          N_("the end of the signal repetition ({0} m) must be a multiple of "
             "50"),
          {valore1}};
    case 5:
      return {
          N_("the keyword of the signal repetition must say 4 or 9 codes "
             "(\"ripetizione segnali 4 codici\")")};
    case 101:
      return {N_("line description missing")};
    case 102:
      return {
          N_("\"[generale]\" not found: the description begins with the line "
             "[generale]")};
    default:
      break;
  }
  if (v != nullptr && v->scritta.find_first_of("123456") == std::string::npos)
    return {N_("{0}: the keyword of a curve must say its class, 1 to 6 "
               "(curvad1 ... curvas6)"),
            {v->scritta}};
  return {N_("the plan goes beyond 1000000 m while the curves are laid")};
}

// A fault of the route scan, said at the signal or the slowdown it concerns.
const voce* voce_della_cella(const passata& s, int32_t codice, int64_t cella) {
  for (const voce& v : s.x.treno.voci) {
    if (s.esclusa(v) || !v.completa()) continue;
    const int64_t inizio = cella_punto(v.numero(0));
    if (codice == 11 && v.chiave == parola::segnale && inizio == cella)
      return &v;
    if (codice != 11 && v.chiave == parola::rallentamento) {
      const int64_t fine =
          celle_del_rallentamento(v.numero(0), v.numero(2)).fine;
      if (codice == 12 ? inizio == cella : cella > inizio && cella <= fine + 1)
        return &v;
    }
  }
  return nullptr;
}

messaggio guasto_della_scansione(int32_t codice, int64_t cella) {
  const std::string metro = numero(metro_della_cella(cella, aggancio::punto));
  if (codice == 11)
    return {N_("the signal stands before the warning of a slowdown and neither "
               "of the two cells before it (cell {0}, {1} m) is free for the "
               "speed code"),
            {numero(cella), metro}};
  if (codice == 12)
    return {N_("one of the windows 5-7, 11-13 or 18-20 cells before the start "
               "(cell {0}, {1} m) is wholly taken and the speed code finds no "
               "room"),
            {numero(cella), metro}};
  return {
      N_("a speed code repeated in the slowdown, or before the first signal "
         "after its end, finds no free cell (cell {0}, {1} m)"),
      {numero(cella), metro}};
}

problema problema_a(const voce* v, const luogo_lettura& l, messaggio m) {
  problema p;
  p.fonte = v != nullptr ? v->fonte : l.fonte;
  p.riga = v != nullptr ? v->riga : l.riga;
  p.colonna = v != nullptr ? v->colonna : l.colonna;
  p.parola = v != nullptr ? v->scritta : l.parola;
  p.testo = std::move(m);
  return p;
}

// Code 2: the progressions whose start or value is off the 50-m grid.
std::vector<problema> progressive_fuori_griglia(const passata& s,
                                                const registro_errore& r) {
  std::vector<problema> trovati;
  for (const voce& v : s.x.linea.voci) {
    const bool progressiva = v.chiave == parola::progressiva_uno ||
                             v.chiave == parola::progressiva_due ||
                             v.chiave == parola::progressiva_tre;
    if (!progressiva || !v.completa() || s.esclusa(v)) continue;
    if (v.numero(0) % 50 == 0 && v.numero(1) % 50 == 0) continue;
    trovati.push_back(problema_a(
        &v, r.luogo,
        {N_("{0}: start ({1} m) and value ({2} m) must be multiples of 50"),
         {v.scritta, v.valori[0].testo, v.valori[1].testo}}));
  }
  if (trovati.empty()) {
    trovati.push_back(problema_a(
        nullptr, r.luogo,
        {N_("a kilometric progression has a start or value not a multiple "
            "of 50")}));
  }
  return trovati;
}

messaggio messaggio_del_guasto(const passata& s, const registro_errore& r,
                               const voce* v, const voce*& altro) {
  const int32_t c = r.codice;
  if (v != nullptr && (c == 6 || c == 7 || (c >= 16 && c <= 21)))
    return cella_occupata(s, c, *v, altro);
  if (v != nullptr && (c == 8 || c == 9 || c == 10 || c == 22 || c == 24))
    return guasto_di_stazione(s, c, *v);
  if (c == 15) return oltre_la_tabella(s, r, v);
  if (c == 25) return errore_di_lettura(s, r, v);
  return guasto_di_linea(c, v);
}

// The problems of one recorded fault.
std::vector<problema> problemi_del_guasto(const passata& s,
                                          const registro_errore& r) {
  if (r.codice == 2) return progressive_fuori_griglia(s, r);
  if (r.luogo.fonte == fonte_lettura::scansione) {
    const voce* v = voce_della_cella(s, r.codice, r.luogo.cella);
    messaggio m = guasto_della_scansione(r.codice, r.luogo.cella);
    // Named by the item it concerns, when there is one.
    if (v != nullptr) m = {N_("{0}: {1}"), {alla_posizione(*v), std::move(m)}};
    problema p = problema_a(v, r.luogo, std::move(m));
    p.metro =
        static_cast<int32_t>(metro_della_cella(r.luogo.cella, aggancio::punto));
    return {p};
  }
  const voce* v = voce_del_luogo(s.x, r.luogo);
  const voce* altro = nullptr;
  problema p = problema_a(v, r.luogo, messaggio_del_guasto(s, r, v, altro));
  if (r.con_posizione) p.metro = r.posizione;
  if (altro != nullptr)
    p.occupante = luogo_lettura{altro->fonte, altro->riga, altro->colonna,
                                altro->scritta};
  return {p};
}

// 1250 and 1251: the item that put a value into the reserved cell 1.
problema riservato(const passata& s, const esito_compilazione& esito) {
  const voce* trovato = nullptr;
  per_ogni_voce(s.x, [&](const voce& v) {
    if (!s.esclusa(v) && celle_della_voce(v).contiene(1)) trovato = &v;
    return true;
  });
  problema p = problema_a(
      trovato, {},
      {N_("{0}: cell 1 (0 to 50 m) is reserved and no item may stand "
          "there; move it to 50 m at least"),
       {trovato != nullptr ? alla_posizione(*trovato)
                           : argomento(messaggio{N_("an item")})}});
  p.codice = std::stoi(esito.codice);
  p.metro = 0;
  return p;
}

using chiave_guasto = std::tuple<int32_t, fonte_lettura, int, int64_t>;

// Adds the problems of a compilation's faults not seen before; returns the
// lines they stand on.
righe_escluse aggiungi_storia(const passata& s,
                              const std::vector<registro_errore>& storia,
                              bool registrata, std::set<chiave_guasto>& visti,
                              std::vector<problema>& p) {
  righe_escluse righe;
  for (std::size_t n = 0; n < storia.size(); ++n) {
    const registro_errore& r = storia[n];
    for (problema& nuovo : problemi_del_guasto(s, r)) {
      nuovo.codice = r.codice;
      nuovo.registrato = registrata && n + 1 == storia.size();
      // Compiled again without some lines, a fault that names no line is a
      // consequence of leaving them out, not news for the author.
      if (!registrata && nuovo.riga == 0 &&
          nuovo.fonte != fonte_lettura::scansione) {
        continue;
      }
      // Without a route length every line fails alike: said once.
      if (!registrata && r.codice == 25 && !s.x.r.lunghezza) continue;
      const chiave_guasto chiave{r.codice, nuovo.fonte, nuovo.riga,
                                 r.luogo.cella};
      if (nuovo.riga > 0 && nuovo.fonte != fonte_lettura::scansione)
        righe.insert({nuovo.fonte, nuovo.riga});
      if (!visti.insert(chiave).second && !nuovo.registrato) continue;
      p.push_back(std::move(nuovo));
    }
  }
  return righe;
}

// The length of the line end at `i` (CR LF, LF or a lone CR), 0 when there is
// none.
std::size_t fine_riga_a(std::string_view testo, std::size_t i) {
  if (i >= testo.size()) return 0;
  if (testo[i] == '\n') return 1;
  if (testo[i] != '\r') return 0;
  return i + 1 < testo.size() && testo[i + 1] == '\n' ? 2 : 1;
}

// Where line `riga` starts, counting lines from `da`, which starts line
// `riga_da`; the text's size when it has fewer lines.
std::size_t inizio_riga(std::string_view testo, std::size_t da, int& riga_da,
                        int riga) {
  while (riga_da < riga && da < testo.size()) {
    const std::size_t fine = testo.find_first_of("\r\n", da);
    if (fine == std::string_view::npos) return testo.size();
    da = fine + fine_riga_a(testo, fine);
    ++riga_da;
  }
  return riga_da == riga ? da : testo.size();
}

// The text with the contents of the excluded lines removed and their line
// ends kept, so that every other line keeps its number, written into `uscita`;
// the text itself when none of its lines is excluded. Only the lines up to
// the last excluded one are counted; the rest is copied whole.
std::string_view senza_righe(std::string_view testo, fonte_lettura fonte,
                             const righe_escluse& escluse,
                             std::string& uscita) {
  const auto prima = escluse.lower_bound({fonte, 1});
  if (prima == escluse.end() || prima->first != fonte) return testo;
  uscita.clear();
  uscita.reserve(testo.size());
  std::size_t copiato = 0;  // bytes of `testo` dealt with
  int riga = 1;             // the line that starts at `copiato`
  for (auto e = prima; e != escluse.end() && e->first == fonte; ++e) {
    const std::size_t inizio = inizio_riga(testo, copiato, riga, e->second);
    if (inizio >= testo.size()) break;
    uscita.append(testo, copiato, inizio - copiato);
    std::size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string_view::npos) fine = testo.size();
    copiato = fine;
  }
  uscita.append(testo, copiato);
  return uscita;
}

struct ricompilazione {
  diagnostica d;
  esito_compilazione esito;
};

// The texts of the compilations made again, kept from one to the next: a
// description of tens of megabytes, compiled again for each fault, is neither
// copied to the reader nor given fresh memory each time.
struct testi_ricompilati {
  std::string linea, treno;
};

// A folder of the two texts for one compilation, which lends them to the
// reader instead of a copy.
class cartella_di_viste : public cartella_memoria {
 public:
  void presta(const std::string& nome, std::string_view testo) {
    file[nome];
    viste_[nome] = testo;
  }
  esito_file leggi(std::string_view nome, std::string& contenuto) override {
    auto vista = viste_.find(nome);
    if (vista == viste_.end() || !esiste(nome))
      return cartella_memoria::leggi(nome, contenuto);
    contenuto = vista->second;
    return esito_file::riuscito();
  }
  esito_file leggi_vista(std::string_view nome, std::string& deposito,
                         std::string_view& testo) override {
    auto vista = viste_.find(nome);
    if (vista == viste_.end() || !esiste(nome))
      return cartella::leggi_vista(nome, deposito, testo);
    testo = vista->second;
    return esito_file::riuscito();
  }

 private:
  std::map<std::string, std::string_view, std::less<>> viste_;
};

ricompilazione compila_senza(const contesto_guasti& x,
                             const righe_escluse& escluse,
                             testi_ricompilati& testi) {
  cartella_di_viste c;
  c.presta(nome_descrizione_linea(x.sc),
           senza_righe(x.testi.linea, fonte_lettura::descrizione_linea, escluse,
                       testi.linea));
  c.presta(nome_descrizione_treno(x.sc),
           senza_righe(x.testi.treno, fonte_lettura::descrizione_treno, escluse,
                       testi.treno));
  tabelle t;
  ricompilazione r;
  r.esito = compila_tabelle(x.sc, c, x.con_piano, t, r.d);
  return r;
}

// The kinds that an item's cells hold once it is placed.
bool tipo_della_voce(const voce& v, uint8_t tipo) {
  switch (v.chiave) {
    case parola::indicatori_vmax:
      return tipo == cella_indicatore_vmax;
    case parola::cartello_indicatore:
      return tipo == cella_cartello;
    case parola::segnale:
      return tipo == cella_segnale;
    case parola::abbattimento:
      return tipo == cella_codice_velocita || tipo == cella_codice_senza_valore;
    case parola::stazione:
      return tipo == cella_fermata;
    case parola::rallentamento:
      return tipo >= cella_fine_rallentamento &&
             tipo <= cella_prima_dell_avviso;
    default:
      return true;
  }
}

// For each cell, the items that put something into it, in reading order (by
// their index in `in_ordine`).
using scrittori = std::map<int64_t, std::vector<std::size_t>>;

// The first item read after item `n` that puts something into `cella`.
const voce* scrive_dopo(const std::vector<const voce*>& voci,
                        const scrittori& s, std::size_t n, int64_t cella) {
  const auto dove = s.find(cella);
  if (dove == s.end()) return nullptr;
  const auto dopo =
      std::upper_bound(dove->second.begin(), dove->second.end(), n);
  return dopo == dove->second.end() ? nullptr : voci[*dopo];
}

}  // namespace

void aggiungi_guasti(const contesto_guasti& x, const diagnostica& registrata,
                     const esito_compilazione& esito, righe_escluse gia_escluse,
                     std::vector<problema>& p) {
  std::set<chiave_guasto> visti;
  const righe_escluse nessuna;
  righe_escluse nuove =
      aggiungi_storia({x, nessuna}, registrata.storia, true, visti, p);
  bool fatale_visto = esito.tipo == esito_compilazione::fatale;
  if (fatale_visto) {
    problema fatale = riservato({x, nessuna}, esito);
    fatale.registrato = true;
    p.push_back(std::move(fatale));
  }
  righe_escluse escluse = std::move(gia_escluse);
  testi_ricompilati testi;
  for (int volta = 0; volta < x.ricompilazioni_massime; ++volta) {
    const std::size_t prima = escluse.size();
    escluse.insert(nuove.begin(), nuove.end());
    if (escluse.size() == prima && (volta > 0 || escluse.empty())) break;
    const ricompilazione r = compila_senza(x, escluse, testi);
    nuove = aggiungi_storia({x, escluse}, r.d.storia, false, visti, p);
    if (r.esito.tipo == esito_compilazione::fatale && !fatale_visto) {
      fatale_visto = true;
      p.push_back(riservato({x, escluse}, r.esito));
    }
    if (r.d.storia.empty()) break;
  }
}

void aggiungi_sovrascritti(const contesto_guasti& x, const tabelle& t,
                           std::vector<problema>& p) {
  const std::vector<const voce*> voci = in_ordine(x);
  scrittori s;
  for (std::size_t n = 0; n < voci.size(); ++n)
    for (const int64_t cella : celle_della_voce(*voci[n]))
      s[cella].push_back(n);
  for (std::size_t n = 0; n < voci.size(); ++n) {
    const voce* v = voci[n];
    for (const int64_t cella : celle_della_voce(*v)) {
      if (cella < 0 || cella >= static_cast<int64_t>(t.celle.size())) continue;
      const uint8_t tipo = t.celle[static_cast<std::size_t>(cella)].tipo;
      if (tipo_della_voce(*v, tipo)) continue;
      const voce* w = scrive_dopo(voci, s, n, cella);
      if (w == nullptr) continue;
      const aggancio a = v->chiave == parola::abbattimento ? aggancio::tratto
                                                           : aggancio::punto;
      // An item of one cell is lost whole; one of several (a slowdown's
      // boards) loses that cell's part only.
      const char* formato =
          celle_della_voce(*v).size() == 1
              ? N_("{0}: its cell (cell {1}, {2} m) is written over by {3} "
                   "without a fault: the compiled cell is of kind \"{4}\" "
                   "and this item is lost")
              : N_("{0}: one of its cells (cell {1}, {2} m) is written over "
                   "by {3} without a fault: the compiled cell is of kind "
                   "\"{4}\" and that part of the item is lost");
      problema nuovo =
          problema_a(v, {},
                     {formato,
                      {alla_posizione(*v), numero(cella),
                       numero(metro_della_cella(cella, a)),
                       descrivi(*w, v->fonte), nome_tipo_cella(tipo)}});
      nuovo.g = gravita::avviso;
      nuovo.metro = static_cast<int32_t>(metro_della_cella(cella, a));
      p.push_back(std::move(nuovo));
      break;
    }
  }
}
