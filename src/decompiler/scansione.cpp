// Speed-code cells (kinds 12 and 13): the "abbattimento" lines, and the marks
// of value 180 that the compiler's route scan adds by itself around the
// slowdowns. Which 180s are lines' is searched for: the compiler's scan runs
// on the cells as the reading would leave them, with the 180s not yet known to
// be lines' taken out, until it gives back every speed-code cell as it stands.
#include "compiler/scansione.h"

#include <string>
#include <utility>

#include "decompiler/passi.h"

namespace {

constexpr int16_t valore_segno = 180;

bool segno_della_scansione(const cella& c) {
  return c.tipo == cella_codice_velocita && c.dato1 == valore_segno;
}

// The cells before the scan, into `prima` (whose room the search reuses from
// one try to the next): the 180s not held by a line are taken out.
template <typename di_riga_t>
void prima_della_scansione(const tabelle_lette& t, const di_riga_t& di_riga,
                           std::vector<cella>& prima) {
  prima.assign(t.lette.begin(), t.lette.end());
  if (prima.size() > 1) prima[1] = t.c(1);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    cella& c = prima[static_cast<std::size_t>(i)];
    if (segno_della_scansione(c) && !di_riga(static_cast<std::size_t>(i))) {
      c.tipo = cella_vuota;
      c.dato1 = 0;
    }
  }
}

// The scan on the cells before it, given which 180s are lines'. Returns how
// many cells it leaves different from the tables (a code counts as one more).
int differenze(const tabelle_lette& t, const std::vector<bool>& di_riga,
               std::vector<cella>& dopo, bool& codice) {
  prima_della_scansione(
      t, [&](std::size_t k) { return bool(di_riga[k]); }, dopo);
  diagnostica d;
  scansione_percorso(dopo, d);
  codice = d.codice_errore != 0;
  int diverse = codice ? 1 : 0;
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& x = dopo[static_cast<std::size_t>(i)];
    if (x.tipo != t.c(i).tipo || x.dato1 != t.c(i).dato1) ++diverse;
  }
  return diverse;
}

// The search for which 180s are lines'. The scan tests a cell and marks it
// when it is free, so up to the first mark on an undecided 180 it does the
// same whatever the undecided ones are. Each run takes the undecided 180s that
// it marks as the scan's, in its order; a mark on a cell that holds no 180
// fails, and then the latest of those choices is taken back first and tried
// as a line's. A run that marks no further undecided 180 leaves the rest to
// lines, and the scan must then give back the tables. A 180 in the last two
// cells cannot be a line's: no line may stand there.
struct ricerca {
  const tabelle_lette& t;
  std::vector<bool> segnabili;  // the cells that hold a 180
  std::vector<int8_t> decise;   // -1 not yet met, 0 the scan's, 1 a line's
  int nodi = 0;

  bool di_riga_ammessa(std::size_t k) const {
    return entro(50 * static_cast<int64_t>(k), 100, t.ultima);
  }

  // The cells and the marks of the try at hand: their room is kept from one
  // try to the next, as the search may make thousands.
  std::vector<cella> dopo{};
  std::vector<int32_t> segni{};
  diagnostica d{};

  std::vector<bool> di_riga() const {
    std::vector<bool> r(decise.size());
    for (std::size_t i = 0; i < decise.size(); ++i) r[i] = decise[i] == 1;
    return r;
  }

  // Runs the scan with the choices made so far; true when it records no
  // fault. Leaves the marks it adds in `segni`.
  bool prova() {
    prima_della_scansione(
        t, [&](std::size_t k) { return decise[k] == 1; }, dopo);
    d.codice_errore = 0;
    d.storia.clear();
    segni.clear();
    scansione_percorso(dopo, d, &segni);
    return d.codice_errore == 0;
  }

  bool cerca() {
    if (++nodi > nodi_massimi) return false;
    bool riuscita = prova();
    std::vector<std::size_t> scelte;
    for (int32_t c : segni) {
      const auto k = static_cast<std::size_t>(c);
      if (!segnabili[k]) {
        riuscita = false;
        break;
      }
      if (decise[k] < 0) {
        decise[k] = 0;
        scelte.push_back(k);
      }
    }
    if (riuscita && finita()) return true;
    while (!scelte.empty()) {
      const std::size_t k = scelte.back();
      scelte.pop_back();
      decise[k] = -1;
      if (!di_riga_ammessa(k)) continue;
      decise[k] = 1;
      if (cerca()) return true;
      decise[k] = -1;
    }
    return false;
  }
  // Every 180 the scan did not mark is a line's.
  bool finita() {
    std::vector<bool> r = di_riga();
    for (std::size_t i = 0; i < decise.size(); ++i) {
      if (!segnabili[i] || decise[i] >= 0) continue;
      if (!di_riga_ammessa(i)) return false;
      r[i] = true;
    }
    bool codice;  // in the room of the tries: a copy of the cells is large
    if (differenze(t, r, dopo, codice) != 0) return false;
    for (std::size_t i = 0; i < decise.size(); ++i) decise[i] = r[i] ? 1 : 0;
    return true;
  }
  static constexpr int nodi_massimi = 20000;
};

// Which 180s are lines', and the cells after the scan with that choice.
std::vector<cella> separa(const tabelle_lette& t, std::vector<bool>& di_riga,
                          bool& codice) {
  ricerca r{t, std::vector<bool>(t.numero_celle(), false),
            std::vector<int8_t>(t.numero_celle(), 1)};
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const auto k = static_cast<std::size_t>(i);
    r.segnabili[k] = segno_della_scansione(t.c(i));
    if (r.segnabili[k]) r.decise[k] = -1;
  }
  if (r.cerca()) {
    for (std::size_t i = 0; i < di_riga.size(); ++i)
      if (r.segnabili[i]) di_riga[i] = r.decise[i] == 1;
  } else {
    for (std::size_t i = 0; i < di_riga.size(); ++i)
      if (r.segnabili[i]) di_riga[i] = true;
  }
  std::vector<cella> dopo = std::move(r.dopo);
  differenze(t, di_riga, dopo, codice);
  return dopo;
}

voce_descrizione riga_abbattimento(const cella& c, int32_t i) {
  const int64_t valore = c.tipo == cella_codice_senza_valore ? 0
                         : c.dato1 >= 1                      ? c.dato1
                                                             : c.dato1 + 65536;
  return {
      "codice " + std::to_string(valore) + " nella cella " + std::to_string(i),
      riga_valori("abbattimento", {50 * int64_t{i}, valore})};
}

}  // namespace

righe_passo codici_treno(const tabelle_lette& t) {
  righe_passo e;
  std::vector<bool> di_riga(t.numero_celle(), false);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    di_riga[static_cast<std::size_t>(i)] =
        (c.tipo == cella_codice_velocita && c.dato1 != valore_segno) ||
        c.tipo == cella_codice_senza_valore;
  }
  bool codice = false;
  const std::vector<cella> dopo = separa(t, di_riga, codice);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    const auto k = static_cast<std::size_t>(i);
    const bool uguale = dopo[k].tipo == c.tipo && dopo[k].dato1 == c.dato1;
    if (di_riga[k]) {
      const voce_descrizione v = riga_abbattimento(c, i);
      e.righe.push_back(v);
      const bool vuota = c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0 &&
                         c.tempo == 0 &&
                         (c.tipo == cella_codice_velocita || c.dato1 == 0);
      if (uguale && vuota && entro(50 * int64_t{i}, 100, t.ultima))
        e.r.spiega(i);
    } else if (segno_della_scansione(c) && uguale && c.dato2 == 0 &&
               c.dato3 == 0 && c.dato4 == 0 && c.tempo == 0) {
      e.r.spiega(i);
    } else if (!uguale) {
      e.r.segnala_cella(t, i,
                        messaggio{N_("the route scan gives here {0}"),
                                  {descrivi_cella(dopo[k])}});
    }
  }
  if (codice)
    e.r.segnala(voce_inspiegata::tabella::celle, -1,
                {N_("the route scan finds no room for a mark (codes 11 to "
                    "13)")});
  return e;
}
