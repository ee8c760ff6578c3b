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

// The last digit of dato4: sx * 3 + dx when rapp is a whole number of tens
// and sx * 3 + dx below 10, as in most signals.
int64_t lati_naturali(const cella& c) { return resto(c.dato4, 10); }

// The marks that the lines would write, each with its writer (the signal's
// cell, or -1 for a station): the stations' marks, and the signals' with the
// sx * 3 + dx chosen so far (`lati`, by cell).
using altri_segni = std::vector<std::vector<std::pair<uint8_t, int32_t>>>;

altri_segni segni_degli_altri(const lavoro& l,
                              const std::vector<int64_t>& lati) {
  altri_segni altri(l.celle.size());
  for (const scrittore_avvicinamento& s : l.scrittori)
    altri[static_cast<std::size_t>(s.cella)].push_back({s.valore, -1});
  for (int32_t i = 0; i <= l.ultima; ++i) {
    if (l.c(i).tipo != cella_segnale) continue;
    for (int b = 1; b <= 4; ++b) {
      const int64_t c = int64_t{i} - 2 * b;
      if (l.in_tabella(c))
        altri[static_cast<std::size_t>(c)].push_back(
            {static_cast<uint8_t>(lati[static_cast<std::size_t>(i)] * 10 + b),
             i});
    }
  }
  return altri;
}

int64_t lati_del_segnale(const lavoro& l, const altri_segni& altri, int32_t i);

// Every signal's sx * 3 + dx. One signal's choice tells which marks are its
// and which another's, so the choices are made again until they settle.
std::vector<int64_t> lati_dei_segnali(const lavoro& l) {
  std::vector<int64_t> lati(l.celle.size(), 0);
  for (int32_t i = 0; i <= l.ultima; ++i)
    lati[static_cast<std::size_t>(i)] = lati_naturali(l.c(i));
  for (int giro = 0; giro < 4; ++giro) {
    const altri_segni altri = segni_degli_altri(l, lati);
    std::vector<int64_t> nuovi = lati;
    for (int32_t i = 0; i <= l.ultima; ++i)
      if (l.c(i).tipo == cella_segnale)
        nuovi[static_cast<std::size_t>(i)] = lati_del_segnale(l, altri, i);
    if (nuovi == lati) break;
    lati = std::move(nuovi);
  }
  return lati;
}

// How a value of sx * 3 + dx fits the marks: the marks it contradicts (a
// visible mark that neither it nor another line writes), then those it shows.
std::pair<int, int> adattamento(const lavoro& l, const altri_segni& altri,
                                int32_t i, int64_t lati) {
  int contrari = 0, concordi = 0;
  for (int b = 1; b <= 4; ++b) {
    const int64_t c = int64_t{i} - 2 * b;
    if (!l.in_tabella(c)) continue;
    const uint8_t visto = l.c(static_cast<int32_t>(c)).avvicinamento;
    if (visto == static_cast<uint8_t>(lati * 10 + b)) {
      ++concordi;
      continue;
    }
    bool altro = false;
    for (const auto& [valore, di] : altri[static_cast<std::size_t>(c)])
      altro |= di != i && valore == visto;
    if (!altro) ++contrari;
  }
  return {contrari, concordi};
}

// sx * 3 + dx: the natural value unless a mark contradicts it and another
// value, one that a mark gives and that leaves a whole rapp, fits the marks
// better. A value that only shows more marks is no reason to leave the
// natural one: the marks it would show are other lines' as well.
int64_t lati_del_segnale(const lavoro& l, const altri_segni& altri, int32_t i) {
  const int64_t dato4 = l.c(i).dato4;
  int64_t migliore = lati_naturali(l.c(i));
  auto [contrari, concordi] = adattamento(l, altri, i, migliore);
  for (int b = 1; b <= 4; ++b) {
    const int64_t c = int64_t{i} - 2 * b;
    int64_t lati;
    if (!l.in_tabella(c) ||
        !lati_dal_segno(l.c(static_cast<int32_t>(c)).avvicinamento, b, lati))
      continue;
    for (int t = 0; t < 5; ++t) {
      const int64_t prova = lati + 128 * t;
      if (resto(dato4 - prova, 10) != 0) continue;
      const auto [x, y] = adattamento(l, altri, i, prova);
      if (x < contrari || (x == contrari && x > 0 && y > concordi)) {
        migliore = prova;
        contrari = x;
        concordi = y;
      }
    }
  }
  return migliore;
}

}  // namespace

void segnali_treno(lavoro& l) {
  const std::vector<int64_t> lati_scelti = lati_dei_segnali(l);
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    if (c.tipo != cella_segnale) continue;
    const int64_t lati = lati_scelti[static_cast<std::size_t>(i)];
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
