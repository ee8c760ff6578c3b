// What the driver's documents read from the compiled tables: the stations in
// route order, the kilometric progressive of a position, the changes of the
// train's speed limit, the speed boards, the slowdowns and the running time at
// the speed limits.
#ifndef DOCUMENTS_PERCORSO_AUTORE_H_
#define DOCUMENTS_PERCORSO_AUTORE_H_

#include <array>
#include <cstdint>
#include <vector>

#include "tables/tabelle.h"

// The stations, records 1 upward up to the first record that no station
// filled. A station always has a kind or an area end; a board text has
// neither.
std::vector<stazione> stazioni_del_percorso(const tabella_stazioni& stazioni);

// The kilometric progressive of a position, in metres, from the progression
// with the greatest start not beyond it (records 81 to 83 as the reader orders
// them, greatest start first); before every start, the one with the smallest
// start, read backwards. Flag 1 counts down from the value, whose reading added
// 100 that the line does not show. With no progression, the position itself.
int64_t progressiva(const tabella_stazioni& stazioni, int32_t posizione);

// The speed limit in km/h that holds from a position on, or 0 off the cells.
// The speed profile starts at cell P / 50.
int velocita_da(const std::vector<cella>& celle, int32_t posizione);

// The highest speed limit in km/h on the cells from `da` to `a`.
int velocita_massima(const std::vector<cella>& celle, int32_t da, int32_t a);

// A step of the speed profile: from `posizione` on the train may run at
// `velocita` km/h.
struct cambio_velocita {
  int32_t posizione = 0;
  int velocita = 0;
};
// The steps strictly after `da` and strictly before `a`, in route order.
std::vector<cambio_velocita> cambi_velocita(const std::vector<cella>& celle,
                                            int32_t da, int32_t a);

// A maximum-speed board: speeds A, B and C and the stripes of its left and
// right side. A board with stripes announces the speeds of a board ahead.
struct indicatore_velocita {
  int32_t posizione = 0;
  std::array<int, 3> sinistra{};
  std::array<int, 3> destra{};
  int strisce_sinistra = 0;
  int strisce_destra = 0;
};
// The boards from `da` (included) to `a` (excluded), in route order, their
// values unpacked as `decodifica_velocita_cartello` does.
std::vector<indicatore_velocita> indicatori_velocita(
    const std::vector<cella>& celle, int32_t da, int32_t a);

// A slowdown from `inizio` to `fine` (metres) at `velocita` km/h.
struct rallentamento {
  int32_t inizio = 0;
  int32_t fine = 0;
  int velocita = 0;
};
// Every slowdown in order of its start. An end closes the latest open start of
// the same values before it, so that a slowdown inside another pairs rightly;
// a start left open (a slowdown shorter than a cell, or one whose end cell a
// station's stop took) ends where it starts, and an end without a start is
// left out.
std::vector<rallentamento> rallentamenti(const std::vector<cella>& celle);

// The number of cells holding a signal.
int numero_segnali(const std::vector<cella>& celle);

// Seconds that the train needs from metre 0 to a position when it runs at the
// speed limit everywhere. A cell without a speed adds no time.
class tempi_di_corsa {
 public:
  explicit tempi_di_corsa(const std::vector<cella>& celle);
  double fino_a(int32_t posizione) const;

 private:
  std::vector<double> cumulati_;  // [i]: seconds from metre 0 to metre 50 i
};

// The time of one place of the timetable: given by the description, estimated,
// or none when no place of the run has a time.
struct orario_luogo {
  int64_t secondi = 0;
  bool stimato = false;
  bool presente = false;
};

// A place of the timetable: its position and its own time (0 = none).
struct luogo_orario {
  int32_t posizione = 0;
  int32_t orario = 0;
};

// Times for places in route order. A place without its own time gets the
// running time from the place with a time before it, stretched so that the
// next time given is met (linearly in distance when the stretch has no running
// time); before the first time given, the running time back from it; after
// the last, the running time on from it. A given time earlier than the one
// before it is taken as the next day.
std::vector<orario_luogo> stima_orari(const std::vector<luogo_orario>& luoghi,
                                      const tempi_di_corsa& tempi);

#endif  // DOCUMENTS_PERCORSO_AUTORE_H_
