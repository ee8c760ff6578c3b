// Colour in the messages on standard error, in one place: the words "error"
// and "warning" of a report line (in the language of the run), red and yellow,
// only on a terminal and never when NO_COLOR is set to something or TERM is
// "dumb".
#ifndef CLI_COLORE_H_
#define CLI_COLORE_H_

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

// Whether messages to a stream may have colour: `terminale` tells whether the
// stream is a terminal; `no_color` and `term` are the variables' values, null
// when unset.
bool colori_richiesti(bool terminale, const char* no_color, const char* term);

// The line with its first report word coloured: "error" or "warning" after
// ": " (and the fatal " Error no."), up to the next blank or colon. Other lines
// are returned as they are.
std::string colora_riga(std::string_view riga);

// A stream that writes to another one line by line, each line through
// colora_riga when colour is on, unchanged otherwise.
class flusso_colorato {
 public:
  flusso_colorato(std::ostream& destinazione, bool con_colori);
  ~flusso_colorato();
  flusso_colorato(const flusso_colorato&) = delete;
  flusso_colorato& operator=(const flusso_colorato&) = delete;

  std::ostream& flusso() { return flusso_; }

 private:
  std::unique_ptr<std::streambuf> filtro_;
  std::ostream flusso_;
};

// Standard error as the program writes to it: coloured when the terminal and
// the environment allow it.
std::unique_ptr<flusso_colorato> errori_del_programma();

#endif  // CLI_COLORE_H_
