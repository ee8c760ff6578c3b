// The tools for scenario authors, reached through the command line.
#ifndef APP_STRUMENTI_H_
#define APP_STRUMENTI_H_

#include <ostream>
#include <string>

int esegui_strumenti(int argc, char** argv, std::ostream& uscita,
                     std::ostream& errori);

// `esito` once standard output is flushed; when it cannot be written, the
// reason on `errori` and the status of a file that cannot be written.
int con_uscita_scritta(int esito, std::ostream& uscita, std::ostream& errori);

// The manual page (roff) and the bash completion script of the command line,
// generated from it at build time.
std::string pagina_manuale_programma();
std::string completamento_programma();

#endif  // APP_STRUMENTI_H_
