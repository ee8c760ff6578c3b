#include "compiler/scansione.h"

#include <algorithm>

#include "tables/metri.h"

namespace {

constexpr int16_t valore_codice = 180;
// Slowdowns at this speed or faster get no repeated marks.
constexpr int16_t velocita_senza_ripetizione = 110;

struct scansione {
  std::vector<cella>& celle;
  diagnostica& d;
  int32_t ultima;
  std::vector<int32_t>* segni;

  cella& c(int32_t i) { return celle[static_cast<std::size_t>(i)]; }
  bool libera(int32_t i) { return i >= 0 && i <= ultima && cella_libera(c(i)); }
  void segna(int32_t i) {
    c(i).tipo = cella_codice_velocita;
    c(i).dato1 = valore_codice;
    if (segni != nullptr) segni->push_back(i);
  }
  // A speed-code cell already there keeps the smaller value.
  void abbassa(int32_t i) {
    c(i).dato1 = std::min<int16_t>(valore_codice, c(i).dato1);
  }
  void errore(int32_t codice, int32_t cella) {
    registra_errore(d, codice, cella * metri_per_cella,
                    {fonte_lettura::scansione, 0, 0, "", cella});
  }
};

// Rule A: every signal within the 20 cells before a warning cell gets a mark
// just before it.
void regola_a(scansione& sc, int32_t i) {
  for (int32_t k = 1; k <= 20 && i - k >= 3; ++k) {
    const int32_t d = i - k;
    if (sc.c(d).tipo != cella_segnale) continue;
    if (sc.libera(d - 1)) {
      sc.segna(d - 1);
    } else if (sc.libera(d - 2)) {
      sc.segna(d - 2);
    } else if (sc.c(d - 1).tipo == cella_codice_velocita) {
      sc.abbassa(d - 1);
    } else if (sc.c(d - 2).tipo == cella_codice_velocita) {
      sc.abbassa(d - 2);
    } else {
      sc.errore(11, d);
    }
  }
}

// Rule B: three windows before a slowdown start, each gets a mark in its first
// free cell.
void regola_b(scansione& sc, int32_t i) {
  for (int32_t vicina : finestre_prima_del_rallentamento) {
    if (i <= vicina + 2) continue;
    bool segnata = false;
    for (int32_t passo = 0; passo < 3 && !segnata; ++passo) {
      if (sc.libera(i - vicina - passo)) {
        sc.segna(i - vicina - passo);
        segnata = true;
      }
    }
    if (!segnata) sc.errore(12, i);
  }
}

// Rule C: inside a slowdown below 110 km/h, a mark every 8 cells counted from
// the start and then from the previous mark. Returns the end cell, or -1 when
// the end mark is missing before cell N.
int32_t regola_c(scansione& sc, int32_t i) {
  int32_t contatore = 0;
  int32_t e = i;
  for (;;) {
    if (e >= sc.ultima) return -1;
    ++e;
    ++contatore;
    if (contatore == 8) {
      if (sc.libera(e)) {
        sc.segna(e);
        contatore = 0;
      } else if (sc.libera(e - 1)) {
        sc.segna(e - 1);
        contatore = 1;
      } else if (sc.libera(e + 1)) {
        sc.segna(e + 1);
        contatore = -1;
      } else {
        sc.errore(13, e);
      }
    }
    if (sc.c(e).tipo == cella_fine_rallentamento) return e;
  }
}

// Rule D: the first signal within 12 cells after the end gets a mark just
// before it.
void regola_d(scansione& sc, int32_t e) {
  for (int32_t s = e; s <= e + 12 && s <= sc.ultima; ++s) {
    if (sc.c(s).tipo != cella_segnale) continue;
    if (s - 1 > 0) {
      if (sc.libera(s - 1)) {
        sc.segna(s - 1);
      } else if (sc.libera(s - 2)) {
        sc.segna(s - 2);
      } else {
        sc.errore(13, e);
      }
    }
    return;
  }
}

}  // namespace

void scansione_percorso(std::vector<cella>& celle, diagnostica& d,
                        std::vector<int32_t>* segni) {
  scansione sc{celle, d, static_cast<int32_t>(celle.size()) - 1, segni};
  for (int32_t i = 1; i <= sc.ultima - 2; ++i) {
    // Read once: the rules mark only other cells, and a warning cell is no
    // start (the decompiler runs this scan thousands of times a route).
    const uint8_t tipo = sc.c(i).tipo;
    if (tipo == cella_avviso_rallentamento) regola_a(sc, i);
    if (tipo == cella_inizio_rallentamento) {
      regola_b(sc, i);
      if (sc.c(i).dato1 < velocita_senza_ripetizione) {
        const int32_t fine = regola_c(sc, i);
        if (fine >= 0) regola_d(sc, fine);
      }
    }
  }
}
