// What the reader takes from a description, reduced to what decides the
// compiled files: the fields that pass a keyword test (with the tests they
// pass), the values read after them and how the reading ends. Fields that pass
// no test, dropped comments and empty fields do nothing to the tables, so they
// are left out: two texts with equal traces compile to the same bytes, record
// the same fault at the same position and end with the same status, whatever
// the partner description. The trace follows the readers' own steps with the
// same field functions; what stops a reading for a reason of the tables (a
// taken cell, a position past the table) is left to the equal prefix.
#ifndef FORMATTING_TRACCIA_H_
#define FORMATTING_TRACCIA_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The three ways a text is read: as a line description with its plan (compile,
// check), without it (compile --no-plan skips the curves), as a train run.
enum class modo_lettura { linea, linea_senza_piano, treno };

enum class tipo_evento {
  generale,  // the start marker
  parola,    // a field that passes tests; `numero` holds them as bits
  numero,    // a value read as a number
  testo,     // a value read as a text
  fine,      // the end: `numero` 0 end of file, 1 a failed read, 2 no
             // [generale] (code 102)
};

struct evento_lettura {
  tipo_evento tipo;
  std::string testo;
  int64_t numero = 0;
  int riga_inizio = 0;  // the lines the read went over
  int riga_fine = 0;

  bool operator==(const evento_lettura& altro) const {
    return tipo == altro.tipo && testo == altro.testo && numero == altro.numero;
  }
};

struct traccia_lettura {
  std::vector<evento_lettura> eventi;
  int riga_generale = 0;  // the line of [generale], 0 when there is none
  int riga_guasto = 0;    // the line of a failed read, 0 when none
  int parole = 0;         // fields that passed a test, [generale] aside
};

traccia_lettura traccia(std::string_view testo, modo_lettura modo);

// The index of the first event that differs, or -1 when the two are equal.
long prima_differenza(const traccia_lettura& a, const traccia_lettura& b);

#endif  // FORMATTING_TRACCIA_H_
