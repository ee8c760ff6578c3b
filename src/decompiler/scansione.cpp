// Speed-code cells (kinds 12 and 13): the "abbattimento" lines, and the marks
// of value 180 that the compiler's route scan adds by itself around the
// slowdowns. The scan is run again here on the cells as the reading left
// them, with every 180 that no line is known to hold taken out; a 180 that the
// scan does not put back is a line's, and the scan runs again until nothing
// changes. Then the scan must give back every speed-code cell as it stands.
#include <string>

#include "decompiler/lavoro.h"

namespace {

constexpr int16_t valore_segno = 180;
constexpr int16_t velocita_senza_ripetizione = 110;

// The compiler's route scan (rules A to D), on a copy of the cells. It must
// stay the compiler's own: the decompiler cannot call it.
struct scansione {
  std::vector<cella>& c;
  int32_t ultima;
  bool codice = false;  // a rule found no place (codes 11 to 13)
  // For the search below: the cells that may take a mark (nullptr: any), and
  // which of them are still undecided; the scan stops at the first test of an
  // undecided cell (`bivio`), and notes a mark where none may be (`fallita`).
  const std::vector<bool>* segnabili = nullptr;
  const std::vector<int8_t>* decise = nullptr;
  int32_t bivio = -1;
  bool fallita = false;

  bool ferma() const { return bivio >= 0; }
  bool libera(int32_t i) {
    if (i < 0 || i > ultima || !cella_libera(at(i))) return false;
    if (decise != nullptr && bivio < 0 &&
        (*decise)[static_cast<std::size_t>(i)] < 0)
      bivio = i;
    return true;
  }
  cella& at(int32_t i) { return c[static_cast<std::size_t>(i)]; }
  void segna(int32_t i) {
    if (segnabili != nullptr && !(*segnabili)[static_cast<std::size_t>(i)])
      fallita = true;
    at(i).tipo = cella_codice_velocita;
    at(i).dato1 = valore_segno;
  }
  void abbassa(int32_t i) {
    if (at(i).dato1 > valore_segno) at(i).dato1 = valore_segno;
  }

  void regola_a(int32_t i) {
    for (int32_t k = 1; k <= 20 && i - k >= 3; ++k) {
      const int32_t d = i - k;
      if (at(d).tipo != cella_segnale) continue;
      if (libera(d - 1))
        segna(d - 1);
      else if (libera(d - 2))
        segna(d - 2);
      else if (at(d - 1).tipo == cella_codice_velocita)
        abbassa(d - 1);
      else if (at(d - 2).tipo == cella_codice_velocita)
        abbassa(d - 2);
      else
        codice = true;
    }
  }
  void regola_b(int32_t i) {
    for (int32_t vicina : {5, 11, 18}) {
      if (i <= vicina + 2) continue;
      bool segnata = false;
      for (int32_t passo = 0; passo < 3 && !segnata; ++passo) {
        segnata = libera(i - vicina - passo);
        if (segnata) segna(i - vicina - passo);
      }
      if (!segnata) codice = true;
    }
  }
  int32_t regola_c(int32_t i) {
    int32_t contatore = 0, e = i;
    for (;;) {
      if (e >= ultima) return -1;
      ++e;
      if (++contatore == 8) {
        if (libera(e))
          segna(e), contatore = 0;
        else if (libera(e - 1))
          segna(e - 1), contatore = 1;
        else if (libera(e + 1))
          segna(e + 1), contatore = -1;
        else
          codice = true;
      }
      if (at(e).tipo == cella_fine_rallentamento) return e;
    }
  }
  void regola_d(int32_t e) {
    for (int32_t s = e; s <= e + 12 && s <= ultima; ++s) {
      if (at(s).tipo != cella_segnale) continue;
      if (s - 1 > 0) {
        if (libera(s - 1))
          segna(s - 1);
        else if (libera(s - 2))
          segna(s - 2);
        else
          codice = true;
      }
      return;
    }
  }
  void esegui() {
    for (int32_t i = 1; i <= ultima - 2 && !ferma(); ++i) {
      if (at(i).tipo == cella_avviso_rallentamento) regola_a(i);
      if (at(i).tipo != cella_inizio_rallentamento) continue;
      regola_b(i);
      if (at(i).dato1 < velocita_senza_ripetizione) {
        const int32_t fine = regola_c(i);
        if (fine >= 0) regola_d(fine);
      }
    }
  }
};

bool segno_della_scansione(const cella& c) {
  return c.tipo == cella_codice_velocita && c.dato1 == valore_segno;
}

// The cells before the scan: the 180s not held by a line are taken out.
std::vector<cella> prima_della_scansione(const lavoro& l,
                                         const std::vector<bool>& di_riga) {
  std::vector<cella> prima = l.celle;
  for (int32_t i = 0; i <= l.ultima; ++i) {
    cella& c = prima[static_cast<std::size_t>(i)];
    if (segno_della_scansione(c) && !di_riga[static_cast<std::size_t>(i)]) {
      c.tipo = cella_vuota;
      c.dato1 = 0;
    }
  }
  return prima;
}

// The scan on the cells before it, given which 180s are lines'. Returns how
// many cells it leaves different from the tables (a code counts as one more).
int differenze(const lavoro& l, const std::vector<bool>& di_riga,
               std::vector<cella>& dopo, bool& codice) {
  dopo = prima_della_scansione(l, di_riga);
  scansione s{dopo, l.ultima};
  s.esegui();
  codice = s.codice;
  int diverse = codice ? 1 : 0;
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& x = dopo[static_cast<std::size_t>(i)];
    if (x.tipo != l.c(i).tipo || x.dato1 != l.c(i).dato1) ++diverse;
  }
  return diverse;
}

// The search for which 180s are lines': the scan runs with every 180 it has
// not yet met taken as free; when it tests one, the search tries it as free
// (the scan marks it) and then as a line's. A branch ends when the scan would
// mark a cell that holds no 180, or finds no room.
struct ricerca {
  const lavoro& l;
  std::vector<bool> segnabili;  // the cells that hold a 180
  std::vector<int8_t> decise;   // -1 not yet met, 0 free, 1 a line's
  int nodi = 0;

  bool cerca() {
    if (++nodi > nodi_massimi) return false;
    std::vector<bool> di_riga(decise.size());
    for (std::size_t i = 0; i < decise.size(); ++i) di_riga[i] = decise[i] == 1;
    std::vector<cella> dopo = prima_della_scansione(l, di_riga);
    scansione s{dopo, l.ultima};
    s.segnabili = &segnabili;
    s.decise = &decise;
    s.esegui();
    // A failure before the branch point fails again in both branches.
    if (s.bivio < 0) return !s.fallita && !s.codice && finita(di_riga);
    const auto k = static_cast<std::size_t>(s.bivio);
    for (int8_t scelta : {0, 1}) {
      decise[k] = scelta;
      if (cerca()) return true;
    }
    decise[k] = -1;
    return false;
  }
  // Every 180 the scan did not mark is a line's.
  bool finita(std::vector<bool>& di_riga) {
    for (std::size_t i = 0; i < decise.size(); ++i)
      if (segnabili[i] && decise[i] < 0) di_riga[i] = true;
    std::vector<cella> dopo;
    bool codice;
    if (differenze(l, di_riga, dopo, codice) != 0) return false;
    for (std::size_t i = 0; i < decise.size(); ++i)
      decise[i] = di_riga[i] ? 1 : 0;
    return true;
  }
  static constexpr int nodi_massimi = 20000;
};

// Which 180s are lines', and the cells after the scan with that choice.
std::vector<cella> separa(const lavoro& l, std::vector<bool>& di_riga,
                          bool& codice) {
  ricerca r{l, std::vector<bool>(l.celle.size(), false),
            std::vector<int8_t>(l.celle.size(), 1)};
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const auto k = static_cast<std::size_t>(i);
    r.segnabili[k] = segno_della_scansione(l.c(i));
    if (r.segnabili[k]) r.decise[k] = -1;
  }
  if (r.cerca()) {
    for (std::size_t i = 0; i < di_riga.size(); ++i)
      if (r.segnabili[i]) di_riga[i] = r.decise[i] == 1;
  } else {
    for (std::size_t i = 0; i < di_riga.size(); ++i)
      if (r.segnabili[i]) di_riga[i] = true;
  }
  std::vector<cella> dopo;
  differenze(l, di_riga, dopo, codice);
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

void codici_treno(lavoro& l) {
  std::vector<bool> di_riga(l.celle.size(), false);
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    di_riga[static_cast<std::size_t>(i)] =
        (c.tipo == cella_codice_velocita && c.dato1 != valore_segno) ||
        c.tipo == cella_codice_senza_valore;
  }
  bool codice = false;
  const std::vector<cella> dopo = separa(l, di_riga, codice);
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    const auto k = static_cast<std::size_t>(i);
    const bool uguale = dopo[k].tipo == c.tipo && dopo[k].dato1 == c.dato1;
    if (di_riga[k]) {
      const voce_descrizione v = riga_abbattimento(c, i);
      l.rallentamenti.push_back(v);
      const bool vuota = c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0 &&
                         c.tempo == 0 &&
                         (c.tipo == cella_codice_velocita || c.dato1 == 0);
      if (uguale && vuota && entro(50 * int64_t{i}, 100, l.ultima))
        l.spiegata[k] = true;
    } else if (segno_della_scansione(c) && uguale && c.dato2 == 0 &&
               c.dato3 == 0 && c.dato4 == 0 && c.tempo == 0) {
      l.spiegata[k] = true;
    } else if (!uguale) {
      l.segnala_cella(
          i, "la scansione del percorso qui d\xE0 " + descrivi_cella(dopo[k]));
    }
  }
  if (codice)
    l.segnala(voce_inspiegata::tabella::celle, -1,
              "la scansione del percorso non trova posto per un segno "
              "(codici 11 a 13)");
}
