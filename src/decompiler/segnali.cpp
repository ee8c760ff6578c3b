// Signals from the kind-1 cells, and from the stop cells that cover one. A
// signal line's values are packed in pairs (s1 * 10 + d1 and so on, rapp * 10
// + sx * 3 + dx) and its approach marks carry (sx * 3 + dx) * 10 + b in the
// cells 2b before it. The marks that are still visible tell sx * 3 + dx when
// the packed value alone does not. A station's stop cell written over a
// signal keeps all but its kind and s1 * 10 + d1: a time value, or marks that
// only that signal can have left, tell it from a speed board or from nothing.
#include <algorithm>
#include <span>
#include <string>

#include "decompiler/passi.h"

namespace {

// Per cell: no signal (0), a signal that shows (-1), or one under the stop
// cell of the station of that record.
constexpr int32_t nessun_segnale = 0;
constexpr int32_t segnale_visibile = -1;
using segnali_per_cella = std::vector<int32_t>;

// sx * 3 + dx, given the byte (sx * 3 + dx) * 10 + b of a mark: 10c = x
// modulo 256 has a solution modulo 128 when x is even (77 is 1/5 modulo 128).
bool lati_dal_segno(uint8_t valore, int b, int64_t& lati) {
  const int x = (valore - b + 256) % 256;
  if (x % 2 != 0) return false;
  lati = (x / 2) * 77 % 128;
  return true;
}

// The marks that the lines would write, each with its writer (the signal's
// cell, or -1 for a station): the stations' marks, and the signals' with the
// sx * 3 + dx chosen so far (`lati`, by cell).
// Kept as one list sorted by cell: few cells hold a mark, and a list for
// every cell of a long route would cost more than the marks.
class altri_segni {
 public:
  struct segno {
    int32_t cella;
    uint8_t valore;
    int32_t di;
  };
  void aggiungi(int32_t cella, uint8_t valore, int32_t di) {
    segni_.push_back({cella, valore, di});
  }
  void ordina() {
    std::stable_sort(
        segni_.begin(), segni_.end(),
        [](const segno& a, const segno& b) { return a.cella < b.cella; });
  }
  // The mark that line `di` leaves on `cella` is now `valore`.
  void cambia(int64_t cella, int32_t di, uint8_t valore) {
    const auto da = std::partition_point(
        segni_.begin(), segni_.end(),
        [cella](const segno& s) { return s.cella < cella; });
    for (auto s = da; s != segni_.end() && s->cella == cella; ++s)
      if (s->di == di) s->valore = valore;
  }
  std::span<const segno> della_cella(int64_t cella) const {
    const auto da = std::partition_point(
        segni_.begin(), segni_.end(),
        [cella](const segno& s) { return s.cella < cella; });
    const auto a = std::partition_point(
        da, segni_.end(), [cella](const segno& s) { return s.cella == cella; });
    return {da, a};
  }

 private:
  std::vector<segno> segni_;
};

altri_segni segni_degli_altri(
    const tabelle_lette& t,
    const std::vector<scrittore_avvicinamento>& stazioni,
    const segnali_per_cella& segnali, const std::vector<int64_t>& lati) {
  altri_segni altri;
  for (const scrittore_avvicinamento& s : stazioni)
    altri.aggiungi(s.cella, s.valore, -1);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    if (segnali[static_cast<std::size_t>(i)] == nessun_segnale) continue;
    for (int b = 1; b <= 4; ++b) {
      const int64_t c = int64_t{i} - 2 * b;
      if (t.in_tabella(c))
        altri.aggiungi(static_cast<int32_t>(c),
                       *segno_segnale(lati[static_cast<std::size_t>(i)], b), i);
    }
  }
  altri.ordina();
  return altri;
}

// How a value of sx * 3 + dx fits the marks: the marks it contradicts (a
// visible mark that neither it nor another line writes), then those it shows.
std::pair<int, int> adattamento(const tabelle_lette& t,
                                const altri_segni& altri, int32_t i,
                                int64_t lati) {
  int contrari = 0, concordi = 0;
  for (int b = 1; b <= 4; ++b) {
    const int64_t c = int64_t{i} - 2 * b;
    if (!t.in_tabella(c)) continue;
    const uint8_t visto = t.c(static_cast<int32_t>(c)).avvicinamento;
    if (visto == *segno_segnale(lati, b)) {
      ++concordi;
      continue;
    }
    bool altro = false;
    for (const altri_segni::segno& s : altri.della_cella(c))
      altro |= s.di != i && s.valore == visto;
    if (!altro) ++contrari;
  }
  return {contrari, concordi};
}

// The values of sx * 3 + dx that the mark in the cell 2b before cell i gives
// and that leave a whole rapp.
std::vector<int64_t> lati_dai_segni(const tabelle_lette& t, int32_t i, int b) {
  std::vector<int64_t> valori;
  const int64_t c = int64_t{i} - 2 * b;
  int64_t lati;
  if (!t.in_tabella(c) ||
      !lati_dal_segno(t.c(static_cast<int32_t>(c)).avvicinamento, b, lati))
    return valori;
  for (int volte = 0; volte < 5; ++volte) {
    const int64_t prova = lati + 128 * volte;
    if (resto(t.c(i).dato4 - prova, 10) == 0) valori.push_back(prova);
  }
  return valori;
}

// sx * 3 + dx: the natural value unless a mark contradicts it and another
// value, one that a mark gives and that leaves a whole rapp, fits the marks
// better. A value that only shows more marks is no reason to leave the
// natural one: the marks it would show are other lines' as well.
int64_t lati_del_segnale(const tabelle_lette& t, const altri_segni& altri,
                         int32_t i) {
  int64_t migliore = lati_naturali(t.c(i));
  auto [contrari, concordi] = adattamento(t, altri, i, migliore);
  for (int b = 1; b <= 4; ++b) {
    for (int64_t prova : lati_dai_segni(t, i, b)) {
      const auto [x, y] = adattamento(t, altri, i, prova);
      if (x < contrari || (x == contrari && x > 0 && y > concordi)) {
        migliore = prova;
        contrari = x;
        concordi = y;
      }
    }
  }
  return migliore;
}

// Every signal's sx * 3 + dx. One signal's choice tells which marks are its
// and which another's, so the choices are made again until they settle. Each
// choice is made on the marks of the choices already made in the same round:
// two signals that can each explain the same mark, chosen at once from the
// round before, would both take it and then both leave it, round after round.
std::vector<int64_t> lati_dei_segnali(
    const tabelle_lette& t,
    const std::vector<scrittore_avvicinamento>& stazioni,
    const segnali_per_cella& segnali) {
  std::vector<int64_t> lati(t.numero_celle(), 0);
  for (int32_t i = 0; i <= t.ultima; ++i)
    lati[static_cast<std::size_t>(i)] = lati_naturali(t.c(i));
  altri_segni altri = segni_degli_altri(t, stazioni, segnali, lati);
  for (int giro = 0; giro < 4; ++giro) {
    bool cambiati = false;
    for (int32_t i = 0; i <= t.ultima; ++i) {
      if (segnali[static_cast<std::size_t>(i)] == nessun_segnale) continue;
      const int64_t nuovo = lati_del_segnale(t, altri, i);
      int64_t& vecchio = lati[static_cast<std::size_t>(i)];
      if (nuovo == vecchio) continue;
      vecchio = nuovo;
      cambiati = true;
      for (int b = 1; b <= 4; ++b)
        if (t.in_tabella(int64_t{i} - 2 * b))
          altri.cambia(int64_t{i} - 2 * b, i, *segno_segnale(nuovo, b));
    }
    if (!cambiati) break;
  }
  return lati;
}

// A stop cell covers a signal when it keeps a time value, which only signals
// have, or when a signal there explains a mark (not 0, which any cell shows
// unmarked) that no other line leaves and contradicts none (`altri`: the marks
// of the visible signals and of the stations).
bool copre_un_segnale(const tabelle_lette& t, const altri_segni& altri,
                      int32_t i) {
  if (t.c(i).tempo != 0) return true;
  std::vector<int64_t> prove = {lati_naturali(t.c(i))};
  for (int b = 1; b <= 4; ++b)
    for (int64_t lati : lati_dai_segni(t, i, b)) prove.push_back(lati);
  for (int64_t lati : prove) {
    if (adattamento(t, altri, i, lati).first > 0) continue;
    for (int b = 1; b <= 4; ++b) {
      const int64_t c = int64_t{i} - 2 * b;
      if (!t.in_tabella(c)) continue;
      const uint8_t visto = t.c(static_cast<int32_t>(c)).avvicinamento;
      bool di_altri = false;
      for (const altri_segni::segno& s : altri.della_cella(c))
        di_altri |= s.valore == visto;
      if (visto != 0 && !di_altri && visto == *segno_segnale(lati, b))
        return true;
    }
  }
  return false;
}

// The visible signals, and what each stop cell covers: a signal, a speed
// board (its last three values; a board has no time value), or nothing, where
// a board text may stand.
segnali_per_cella trova_segnali(const tabelle_lette& t, const esito_stazioni& s,
                                esito_segnali& e) {
  segnali_per_cella segnali(t.numero_celle(), nessun_segnale);
  for (int32_t i = 0; i <= t.ultima; ++i)
    if (t.c(i).tipo == cella_segnale)
      segnali[static_cast<std::size_t>(i)] = segnale_visibile;
  const altri_segni altri = segni_degli_altri(
      t, s.scrittori, segnali, lati_dei_segnali(t, s.scrittori, segnali));
  for (const fermata_stazione& f : s.fermate) {
    const cella& c = t.c(f.cella);
    if (copre_un_segnale(t, altri, f.cella)) {
      segnali[static_cast<std::size_t>(f.cella)] = f.record;
    } else if (c.dato2 != 0 || c.dato3 != 0 || c.dato4 != 0) {
      e.indicatori_nascosti.push_back(
          {f.cella, {0, c.dato2, c.dato3, c.dato4}, true});
    } else {
      e.fermate_libere.push_back(f.cella);
    }
  }
  return segnali;
}

std::string riga_segnale(const cella& c, int64_t posizione, int64_t lati,
                         int16_t dato1) {
  const valori_segnale v = decodifica_segnale(c, lati, dato1);
  return riga_valori(
      "segnale", {posizione, v.sx, v.s1, v.s2, v.s3, v.rapp, v.dx, v.d1, v.d2,
                  v.d3, tempo_scritto(c.tempo)});
}

std::string commento_segnale(const cella& c, int32_t i, int64_t lati,
                             int32_t sotto) {
  const auto [sx, dx] = lati_divisi(lati, c.tempo);
  std::string testo = cella_e_metro(i, aggancio::punto) + ": lato sinistro " +
                      std::to_string(sx) + " e lato destro " +
                      std::to_string(dx);
  if (sotto > 0)
    testo += " (sotto la cella di fermata della localit\xE0 " +
             std::to_string(sotto) + ")";
  return testo;
}

}  // namespace

esito_segnali segnali_treno(const tabelle_lette& t, const esito_stazioni& s) {
  esito_segnali e;
  const segnali_per_cella segnali = trova_segnali(t, s, e);
  const std::vector<int64_t> lati_scelti =
      lati_dei_segnali(t, s.scrittori, segnali);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const int32_t sotto = segnali[static_cast<std::size_t>(i)];
    if (sotto == nessun_segnale) continue;
    const int64_t lati = lati_scelti[static_cast<std::size_t>(i)];
    const int64_t posizione = metro_cella_piu_uno(i);
    // Under a stop cell s1 * 10 + d1 is lost: any value will do.
    const std::string riga = riga_segnale(
        t.c(i), posizione, lati, sotto > 0 ? int16_t{0} : t.c(i).dato1);
    const auto nodo = static_cast<int32_t>(s.nodi.size() + e.nodi.size());
    for (int b = 1; b <= 4; ++b) {
      if (t.in_tabella(int64_t{i} - 2 * b))
        e.scrittori.push_back({i - 2 * b, *segno_segnale(lati, b), nodo});
    }
    e.nodi.push_back({false,
                      i,
                      {commento_segnale(t.c(i), i, lati, sotto), riga},
                      sotto > 0 ? sotto : 0});
    if (!entro(posizione, 100, t.ultima)) {
      e.r.segnala_cella(t, i, riga);
    } else if (sotto < 0) {
      e.r.spiega(i);
    }
  }
  return e;
}
