// Where the items of a train-run description land, in metres and cells: a
// station's area and stop cell, a slowdown's cells, and when a station's time
// belongs to the next day. The compiler places items by these functions and
// the checker names the cells of its messages by the same ones.
#ifndef TRAIN_RUN_GEOMETRIA_H_
#define TRAIN_RUN_GEOMETRIA_H_

#include <cstdint>

// A slowdown whose start lies beyond this metre gets a warning cell.
inline constexpr int32_t ultimo_inizio_senza_avviso = 1500;
// How far before a slowdown's start its warning stands, in metres.
inline constexpr int32_t anticipo_avviso = 1200;
// How many cells before the warning cell a slowdown may mark.
inline constexpr int32_t celle_prima_dell_avviso = 4;

// The cells of a slowdown starting at metre `inizio`, `lunghezza` metres long.
struct celle_rallentamento {
  bool con_avviso = false;  // the start lies beyond metre 1500
  int64_t avviso = 0;       // the warning cell, 1200 m before the start
  int64_t inizio = 0;
  int64_t fine = 0;
  // The nearest of the four cells before the warning cell; the others follow
  // downwards from it.
  int64_t prima_dell_avviso = 0;
};
celle_rallentamento celle_del_rallentamento(int64_t inizio, int64_t lunghezza);

// The metres a station's area covers.
struct area_stazione {
  int64_t inizio = 0;
  int64_t fine = 0;
};
// Kinds 5 and 6 run from `lunghezza` before their position to 150 m after it;
// kinds 7 and 8 reach `lunghezza` on either side; the others are centred on
// it, half the length (truncated) each side, and end 50 m further with
// `coda` (the station's sixth value) set.
area_stazione area_della_stazione(int64_t posizione, int64_t tipo,
                                  int64_t lunghezza, bool coda);
// Half a centred station's length, truncated towards zero.
int64_t meta_lunghezza(int64_t lunghezza);
// How far a centred station's area runs on past its half length with `coda`.
int64_t coda_della_stazione(bool coda);

// The stop cell of a station whose area ends at metre `fine`: the cell before
// the end, round(fine / 50 - 1). It exists only past cell 1.
double quoto_fermata(int64_t fine);
bool ha_fermata(int64_t fine);
int64_t cella_della_fermata(int64_t fine);
// The cell of approach mark `k` (1 nearest to 4 farthest) before the stop
// cell, round(fine / 50 - k - 1); only cells past cell 1 are marked.
double quoto_avvicinamento(int64_t fine, int k);

// Seconds in a day.
inline constexpr int64_t secondi_giorno = 24 * 3600;
// A run past midnight: a station's time more than half a day before the time
// of the one before is on the next day. Up to half a day before, it goes
// backwards; two stations may share a time.
bool passa_la_mezzanotte(int64_t orario_prima, int64_t orario_dopo);

#endif  // TRAIN_RUN_GEOMETRIA_H_
