// The items of a description as its author wrote them, line by line. The
// fields are read with the reader's own rules (keyword tests, comment fields,
// the general section, the end-of-file rule), but the values of an item are
// taken from its own line only: a line that lacks values is reported as such
// and the next line is read on its own, where the reader would take the next
// line's fields as the missing values.
#ifndef VALIDATION_VOCI_H_
#define VALIDATION_VOCI_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostica.h"
#include "reading/grammatica.h"

// A view of a value's text in the description read, whose bytes outlive it
// (a description may hold a million values): a string where one is wanted,
// as among a message's words.
struct testo_letto : std::string_view {
  using std::string_view::basic_string_view;
  testo_letto(std::string_view v) : std::string_view(v) {}
  operator std::string() const { return std::string(data(), size()); }
};

struct valore_letto {
  testo_letto testo;   // as written, blanks at the ends removed
  int64_t numero = 0;  // its number, for a number value that is one
  bool numerico = false;
  int riga = 0;
  int colonna = 0;
  bool a_uno_spazio = false;  // a number that ended at a blank, not a comma
};

struct voce {
  parola chiave;
  fonte_lettura fonte;
  std::string scritta;  // the keyword field as written
  int riga = 0;
  int colonna = 0;
  std::vector<valore_letto> valori;  // the values found on its line
  std::vector<valore_letto> in_piu;  // further fields on its line
  bool generale = false;             // read in the general section
  bool a_meta_riga = false;          // not the first field of its line
  // Its keyword field is a comment that came after as many comments in a
  // row as the reader drops: it is read as a keyword.
  bool da_commento = false;
  // For a quoted text value, by the value's index: what followed its closing
  // quote on the field, which the reader drops. Kept beside the values, not
  // in each, since it is rare and a description may hold a million values.
  std::vector<std::string> dopo_le_virgolette{};

  bool completa() const;
  // What followed the closing quote of value `n` (empty when nothing did).
  std::string_view dopo_le_virgolette_di(std::size_t n) const;
  // Value `n` as a number (0 when missing or not a number).
  int64_t numero(std::size_t n) const;
};

// A field in keyword position that the reader passes over.
struct campo_ignorato {
  std::string testo;
  int riga = 0;
  int colonna = 0;
  bool nel_generale = false;  // read in the line description's general section
};

struct descrizione_letta {
  fonte_lettura fonte;
  bool con_generale = false;  // the start marker was found
  std::vector<voce> voci;
  std::vector<campo_ignorato> ignorati;
  // Where the start marker and the general section's end stand (0: none).
  int riga_generale = 0;
  int riga_fine_generale = 0;
  // Fields in keyword position past the last one kept: a description far
  // longer than any real one is checked up to `campi_controllati` of them.
  std::size_t non_controllati = 0;
};

inline constexpr std::size_t campi_controllati = 200000;

// Reads a description (Windows-1252 bytes), which must outlive the result:
// the values view it. Curves are items only when the plan is built, as in the
// reader.
descrizione_letta leggi_voci(std::string_view testo, fonte_lettura fonte,
                             bool con_piano);
descrizione_letta leggi_voci(std::string&& testo, fonte_lettura fonte,
                             bool con_piano) = delete;

#endif  // VALIDATION_VOCI_H_
