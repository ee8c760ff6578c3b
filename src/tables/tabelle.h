// The three compiled tables: the cells of the track, the station table and the
// plan coordinates.
#ifndef TABLES_TABELLE_H_
#define TABLES_TABELLE_H_

#include <array>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "core/testi.h"
#include "platform/memoria_grande.h"

// Kinds of item in a cell (`tipo`).
enum tipo_cella : uint8_t {
  cella_vuota = 0,
  cella_segnale = 1,
  cella_fine_rallentamento = 2,
  cella_inizio_rallentamento = 3,
  cella_avviso_rallentamento = 4,
  cella_prima_dell_avviso = 5,
  cella_indicatore_vmax = 6,
  cella_fermata = 10,
  cella_segno_galleria = 11,
  cella_codice_velocita = 12,
  cella_codice_senza_valore = 13,
  cella_cartello = 14,
};

struct cella {
  uint8_t tipo = 0;
  int16_t dato1 = 0;
  int16_t dato2 = 0;
  int16_t dato3 = 0;
  int16_t dato4 = 0;
  uint8_t tempo = 0;
  uint8_t avvicinamento = 0;
  uint8_t montagna = 0;
  uint8_t velocita = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;

  bool operator==(const cella&) const = default;
};

// The kind of a cell in words, "kind N" for a kind that no item uses.
messaggio nome_tipo_cella(uint8_t tipo);
// The same as a word that stays the same in every language (Windows-1252),
// for the views that scripts read (JSON, CSV).
std::string codice_tipo_cella(uint8_t tipo);

// A cell is free when it holds nothing or only a tunnel mark.
inline bool cella_libera(const cella& c) {
  return c.tipo == cella_vuota || c.tipo == cella_segno_galleria;
}

struct stazione {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t campo4 = 0;
  std::string nome;  // Windows-1252 bytes
  int16_t campo7 = 0;
  int16_t campo8 = 0;
  int16_t campo10 = 0;
  int16_t campo11 = 0;
  int16_t campo12 = 0;
  uint8_t campo9 = 0;
  uint8_t campo13 = 0;
  uint8_t campo6 = 0;
  uint8_t campo5 = 0;
  int32_t orario = 0;

  bool operator==(const stazione&) const = default;
};

// Records 0 to 86: stations from 1 up, board texts from 80 down, then the
// general data.
inline constexpr int numero_stazioni = 87;
inline constexpr int primo_record_cartelli = 80;
inline constexpr int record_progressiva_tre = 81;
inline constexpr int record_progressiva_due = 82;
inline constexpr int record_progressiva_uno = 83;
inline constexpr int record_treno = 84;
inline constexpr int record_linea = 85;
inline constexpr int record_nome_treno = 86;

using tabella_stazioni = std::array<stazione, numero_stazioni>;

// The kind of a plan element, with the numbers that tag it in the line geometry
// file.
enum class tipo_variante : uint8_t { vuoto = 0, intero = 2, doppio = 5 };

// Where the elements of a plan read back from its file come from, a block of
// metres at a time (tables/piano_su_file.h): such a plan is never held whole.
class blocchi_piano;

// The plan: x and y of every metre from 0 to `ultimo_metro`, each Empty, an
// Integer or a Double. Either held here, one tag byte and one double per
// element (a plan built in memory), or read from its file a block at a time.
class coordinate_piano {
 public:
  template <typename T>
  using colonna = std::vector<T, allocatore_grande<T>>;

  bool presente() const { return ultimo_ >= 0; }
  int32_t ultimo_metro() const { return ultimo_; }
  tipo_variante tipo(int asse, int32_t metro) const;
  double valore(int asse, int32_t metro) const;
  double x(int32_t metro) const { return valore(0, metro); }
  double y(int32_t metro) const { return valore(1, metro); }
  // The metres from 0 in a row whose x and y are both there (not Empty) and
  // finite: what a drawing can use. A plan read from its file knows them from
  // its index; any other is walked.
  int32_t metri_pieni() const;

  // Creates the plan anew in memory, metres 0 to `ultimo_metro`, every
  // element Empty.
  void alloca(int32_t ultimo_metro);
  void libera();
  void poni_intero(int32_t metro, int asse, int16_t v) {
    tipi_[asse][static_cast<std::size_t>(metro)] = tipo_variante::intero;
    valori_[asse][static_cast<std::size_t>(metro)] = v;
  }
  void poni_doppio(int32_t metro, int asse, double v) {
    tipi_[asse][static_cast<std::size_t>(metro)] = tipo_variante::doppio;
    valori_[asse][static_cast<std::size_t>(metro)] = v;
  }
  // A plan whose elements are read from `blocchi` as they are asked for.
  void da_blocchi(std::shared_ptr<blocchi_piano> blocchi);

 private:
  int32_t ultimo_ = -1;
  std::array<colonna<tipo_variante>, 2> tipi_;  // [0] = x, [1] = y
  std::array<colonna<double>, 2> valori_;
  std::shared_ptr<blocchi_piano> blocchi_;
};

// The plan as the compiler lays it. Metres 0 and 1 are seeded (the track
// leaves the origin along +y, one unit a metre); every later metre is one step
// on from the metre before, straight or turned by the curve in force. The plan
// is kept as the list of its stretches, a few bytes a curve, and laid metre by
// metre only while it is written (cammino_piano), so that a long route's plan
// of a million metres is never held whole.
// Metres up to `fino` laid on from the metre before, turning by `k` radians a
// metre (straight when 0).
struct tratto_steso {
  int32_t fino;
  double k;
};

struct piano_steso {
  int32_t ultimo_metro = -1;  // the plan's last metre; -1 when there is none
  bool seminato = false;      // metres 0 and 1 set
  int32_t raggiunto = 2;      // the first metre not laid yet
  std::vector<tratto_steso> tratti;

  bool presente() const { return ultimo_metro >= 0; }
  // A plan of metres 0 to `ultimo`, every one Empty.
  void crea(int32_t ultimo) { *this = piano_steso{ultimo, false, 2, {}}; }
};

// The three tables that one compilation fills, or that are read back from the
// files. `celle` is empty until the route length has been read. The compiler
// lays the plan in `piano` (when the plan is built); the plan read back from a
// file is held in `planimetria`.
struct tabelle {
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  piano_steso piano;
  coordinate_piano planimetria;

  // The last cell index N, or -1 when there is no cell table yet.
  int32_t ultima_cella() const {
    return static_cast<int32_t>(celle.size()) - 1;
  }
};

#endif  // TABLES_TABELLE_H_
