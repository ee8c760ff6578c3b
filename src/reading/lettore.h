// The field reader shared by both descriptions. A description is read whole
// into memory and then cut into fields: a field ends at a comma or at a line
// end (CR LF, a lone LF or a lone CR), a line end separates fields exactly as a
// comma does. Blanks are spaces and tabs.
//
// A failed read (no byte left, a number that is not one or does not fit its
// width) sets `guasto`; every later read then fails too without reading, so a
// caller may read all the values of a line and test `guasto` once, before it
// uses them. A failed read leaves its target unchanged.
#ifndef READING_LETTORE_H_
#define READING_LETTORE_H_

#include <cstdint>
#include <string>
#include <string_view>

struct lettore {
  // The bytes read, which the caller keeps alive and unchanged while reading:
  // a description of tens of megabytes is not copied for each reading.
  std::string_view testo;
  std::size_t pos = 0;
  int riga = 1;                 // line of the next byte
  std::size_t inizio_riga = 0;  // where that line begins
  int riga_campo = 0;           // line of the field read last
  int colonna_campo = 0;        // its column, from 1, blanks in front skipped
  bool guasto = false;          // a read has failed
};

// The blanks around a field, and the bytes that end a line.
inline bool blank(char c) { return c == ' ' || c == '\t'; }
inline bool fine_riga(char c) { return c == '\r' || c == '\n'; }

// True when no byte is left after the last delimiter consumed.
bool fine_file(const lettore& l);

// Reads a text field. A field that begins with a double quote runs to the
// closing quote (the quotes are not kept) and whatever follows it up to the
// delimiter is skipped; an unquoted field loses the blanks at its ends.
bool leggi_testo(lettore& l, std::string& campo);
// The same, with the field viewed in `testo` instead of copied.
bool leggi_testo(lettore& l, std::string_view& campo);

// Reads a whole number in the range [minimo, massimo]: an optional sign and
// decimal digits, ending at a blank, a comma or a line end. An empty field
// reads as 0.
bool leggi_numero(lettore& l, int64_t minimo, int64_t massimo, int64_t& valore);

// The parts of `leggi_numero`, none of which sets `guasto`: the text of a
// number field (blanks in front skipped, up to a blank, a comma or a line
// end), the number that text holds (empty is 0), and the end of the field
// (blanks after it and the delimiter consumed).
bool leggi_cifre(lettore& l, std::string& cifre);
bool leggi_cifre(lettore& l, std::string_view& cifre);
bool numero_di(std::string_view cifre, int64_t& valore);
void chiudi_cifre(lettore& l);

// The three widths of the descriptions' values.
bool leggi_long(lettore& l, int32_t& valore);    // 32-bit signed
bool leggi_intero(lettore& l, int16_t& valore);  // 16-bit signed
bool leggi_byte(lettore& l, uint8_t& valore);    // 0 to 255

// Substring tests on a field: exact case, or without regard to case (ASCII
// letters).
bool contiene(std::string_view campo, std::string_view parte);
bool contiene_ogni_caso(std::string_view campo, std::string_view parte);

// A field in keyword position that holds "-" anywhere is a comment field.
bool campo_commento(std::string_view campo);

#endif  // READING_LETTORE_H_
