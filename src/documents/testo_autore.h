// Text pieces of the author's documents: columns of fixed width, kilometres and
// times as the driver reads them, and the author's UTF-8 text brought into
// Windows-1252 with a clear refusal of what the code page cannot hold.
#ifndef DOCUMENTS_TESTO_AUTORE_H_
#define DOCUMENTS_TESTO_AUTORE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The capital of every Windows-1252 small letter (accented ones included);
// other bytes unchanged.
std::string maiuscole_cp1252(std::string_view testo);

// The text cut to `larghezza` and filled with blanks on the right.
std::string a_sinistra(std::string_view testo, std::size_t larghezza);
// The text cut to `larghezza` and filled with blanks on the left.
std::string a_destra(std::string_view testo, std::size_t larghezza);
// The text cut to `larghezza` and centred; an odd blank goes to the right.
std::string al_centro(std::string_view testo, std::size_t larghezza);

// A kilometric progressive given in metres: "150.200", "-0.050".
std::string chilometri(int64_t metri);

// A time of day as the timetable shows it: "09.58", with "+" when the time
// lies in the second half of the minute. Seconds beyond a day wrap around.
std::string ora_minuti(int64_t secondi);

// Why a text of the author cannot go into a document, and where: the line
// (from 1, in a text of several lines) and the column (from 1, counted in
// characters) of the first character refused.
struct rifiuto_testo {
  enum motivo {
    non_utf8,             // bytes that are not UTF-8
    controllo,            // a control character other than a tab
    non_rappresentabile,  // a character that Windows-1252 cannot hold
  } perche = non_utf8;
  int riga = 1;
  int colonna = 1;
  char32_t codice = 0;  // the character, unless the bytes are not UTF-8
};

// The author's UTF-8 text in Windows-1252, or the refusal of its first
// character that cannot be there (the lines are then unspecified).
struct testo_convertito {
  std::vector<std::string> righe;
  std::optional<rifiuto_testo> rifiuto;
  bool ok() const { return !rifiuto; }
};

// A text of several lines, cut at LF, CR LF or CR; a byte-order mark in front
// is dropped and a tab becomes a blank.
testo_convertito converti_testo(std::string_view utf8);

// A one-line value (a line end is a control character); a tab becomes a
// blank.
testo_convertito converti_voce(std::string_view utf8);

// One paragraph broken at blanks into lines of at most `larghezza` characters;
// runs of blanks become one and a word longer than a line is cut. An empty
// paragraph gives one empty line.
std::vector<std::string> a_capo(std::string_view paragrafo,
                                std::size_t larghezza);

#endif  // DOCUMENTS_TESTO_AUTORE_H_
