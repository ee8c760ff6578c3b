// Text pieces of the author's documents: columns of fixed width, kilometres and
// times as the driver reads them, and the author's UTF-8 text brought into
// Windows-1252 with a clear refusal of what the code page cannot hold.
#ifndef DOCUMENTS_TESTO_AUTORE_H_
#define DOCUMENTS_TESTO_AUTORE_H_

#include <cstdint>
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

// The author's UTF-8 text in Windows-1252, cut into lines at LF, CR LF or CR;
// a byte-order mark in front is dropped and a tab becomes a blank. A letter
// that the code page cannot hold, a control character or bytes that are not
// UTF-8 are refused: `errore` then names `campo` and the place, in Italian
// (Windows-1252), and the lines are unspecified.
struct testo_convertito {
  std::vector<std::string> righe;
  std::string errore;
  bool ok() const { return errore.empty(); }
};
testo_convertito converti_testo(std::string_view utf8, std::string_view campo);

// A one-line option (no line ends) in Windows-1252; `errore` as above.
testo_convertito converti_voce(std::string_view utf8, std::string_view campo);

// One paragraph broken at blanks into lines of at most `larghezza` characters;
// runs of blanks become one and a word longer than a line is cut. An empty
// paragraph gives one empty line.
std::vector<std::string> a_capo(std::string_view paragrafo,
                                std::size_t larghezza);

#endif  // DOCUMENTS_TESTO_AUTORE_H_
