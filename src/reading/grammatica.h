// What each keyword of the two descriptions takes: its values in order, each
// with the width it is read in, its unit and the range that a scenario's data
// can sensibly mean. The readers read exactly these values, in this order; the
// checks and the reference use this table to say what a line should hold.
#ifndef READING_GRAMMATICA_H_
#define READING_GRAMMATICA_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "core/diagnostica.h"
#include "reading/parole_chiave.h"

enum class larghezza_valore {
  long32,    // Long, 32-bit signed
  intero16,  // Integer, 16-bit signed
  byte8,     // Byte, 0 to 255
  testo,     // text, to the end of the field
};

// What a value stands for, where the checks treat it specially.
enum class ruolo_valore {
  qualsiasi,
  posizione,  // metres from the start of the line, placed on the cells
  metri,      // a length or a metre that is not placed on the cells
};

struct valore_chiave {
  std::string_view nome;
  larghezza_valore larghezza;
  ruolo_valore ruolo;
  std::string_view unita;  // "m", "km/h", "per mille", or empty
  // The range of values that mean something for a scenario; outside it the
  // checks warn. Equal bounds: no range.
  int64_t minimo = 0;
  int64_t massimo = 0;
};

struct forma_chiave {
  parola chiave;
  std::string_view scritta;  // the keyword as an author writes it
  fonte_lettura fonte;       // which description
  bool generale;             // only in the line description's general section
  bool una_volta;            // a second line replaces the first
  std::span<const valore_chiave> valori;
};

const forma_chiave& forma(parola p);
std::span<const forma_chiave> forme();

// The section headers an author writes in each description.
std::span<const std::string_view> intestazioni(fonte_lettura fonte);

#endif  // READING_GRAMMATICA_H_
