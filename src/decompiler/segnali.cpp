// Signals from the kind-1 cells. A signal line's values are packed in pairs
// (s1 * 10 + d1 and so on, rapp * 10 + sx * 3 + dx) and its approach marks
// carry (sx * 3 + dx) * 10 + b in the cells 2b before it. The marks that are
// still visible tell sx * 3 + dx when the packed value alone does not.
#include <string>

#include "decompiler/lavoro.h"

namespace {

// sx * 3 + dx, given the byte (sx * 3 + dx) * 10 + b of a mark: 10c = x
// modulo 256 has a solution modulo 128 when x is even (77 is 1/5 modulo 128).
bool lati_dal_segno(uint8_t valore, int b, int64_t& lati) {
  const int x = (valore - b + 256) % 256;
  if (x % 2 != 0) return false;
  lati = (x / 2) * 77 % 128;
  return true;
}

// How many of the signal's four marks show the value that `lati` gives.
int segni_concordi(const lavoro& l, int32_t i, int64_t lati) {
  int concordi = 0;
  for (int b = 1; b <= 4; ++b) {
    const int64_t c = int64_t{i} - 2 * b;
    if (l.in_tabella(c) && l.c(static_cast<int32_t>(c)).avvicinamento ==
                               static_cast<uint8_t>(lati * 10 + b))
      ++concordi;
  }
  return concordi;
}

// sx * 3 + dx: the last digit of dato4 unless the marks say otherwise; then
// the value that the marks give that also leaves a whole rapp.
int64_t lati_del_segnale(const lavoro& l, int32_t i) {
  const int64_t dato4 = l.c(i).dato4;
  int64_t migliore = resto(dato4, 10);
  int migliori_concordi = segni_concordi(l, i, migliore);
  for (int b = 1; b <= 4; ++b) {
    const int64_t c = int64_t{i} - 2 * b;
    int64_t lati;
    if (!l.in_tabella(c) ||
        !lati_dal_segno(l.c(static_cast<int32_t>(c)).avvicinamento, b, lati))
      continue;
    for (int t = 0; t < 5; ++t) {
      const int64_t prova = lati + 128 * t;
      const int concordi = segni_concordi(l, i, prova);
      if (resto(dato4 - prova, 10) == 0 && concordi > migliori_concordi) {
        migliore = prova;
        migliori_concordi = concordi;
      }
    }
  }
  return migliore;
}

}  // namespace

void segnali_treno(lavoro& l) {
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    if (c.tipo != cella_segnale) continue;
    const int64_t lati = lati_del_segnale(l, i);
    const int64_t rapp = (c.dato4 - lati) / 10;
    // A time value is kept only when sx is 2; one from 1 to 100 would be
    // raised to 101, so it is written 256 higher.
    const bool con_tempo = c.tempo != 0;
    const int64_t sx = con_tempo ? 2 : quoziente(lati, 3);
    const int64_t dx = lati - 3 * sx;
    const int64_t tempo =
        c.tempo >= 1 && c.tempo <= 100 ? c.tempo + 256 : c.tempo;
    const int64_t posizione = metro_cella_piu_uno(i);
    const std::string riga =
        riga_valori("segnale", {posizione, sx, quoziente(c.dato1, 10),
                                quoziente(c.dato2, 10), quoziente(c.dato3, 10),
                                rapp, dx, resto(c.dato1, 10),
                                resto(c.dato2, 10), resto(c.dato3, 10), tempo});
    const int32_t nodo = static_cast<int32_t>(l.nodi.size());
    for (int b = 1; b <= 4; ++b) {
      if (l.in_tabella(int64_t{i} - 2 * b))
        l.scrittori.push_back(
            {i - 2 * b, static_cast<uint8_t>(lati * 10 + b), nodo});
    }
    l.nodi.push_back(
        {false,
         i,
         {"cella " + std::to_string(i) + ": lato sinistro " +
              std::to_string(sx) + " e lato destro " + std::to_string(dx),
          riga}});
    if (!entro(posizione, 100, l.ultima)) {
      l.segnala_cella(i, riga);
    } else {
      l.spiegata[static_cast<std::size_t>(i)] = true;
    }
  }
}
