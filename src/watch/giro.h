// One build of the watch: the descriptions read, compiled and checked again
// after a save, what the terminal is told, and the page that the browsers get.
// The page shows the latest build's problems and the drawings of the latest
// build that had tables, and says which build the files in the output folder
// come from and since when: only a build without errors (and, with --strict,
// without warnings) replaces them.
#ifndef WATCH_GIRO_H_
#define WATCH_GIRO_H_

#include <cstdint>
#include <memory>
#include <string>

#include "commands/compila.h"

// What the watch keeps from one build to the next.
struct stato_vigilanza {
  int costruzioni = 0;      // builds so far
  int scritta = 0;          // the last build written into the folder, or 0
  std::string ora_scritta;  // and when
  // The last build that had tables, whose drawings the page shows.
  std::shared_ptr<const compilazione_controllata> disegnata;
  int numero_disegnata = 0;
  std::string ora_disegnata;
};

// One build, done.
struct giro_vigilato {
  int numero = 0;
  std::string ora;  // "HH:MM:SS", the local time it started
  std::shared_ptr<compilazione_controllata> c;
  // Why the descriptions could not be had, as the command line says it
  // (UTF-8); empty when they were read.
  std::string illeggibile;
  bool mancante = false;     // a description is not there (deleted, renamed)
  bool da_scrivere = false;  // no error: its files replace the folder's
  // Why its files could not be written (UTF-8), when they could not.
  std::string guasto_scrittura;
};

// Reads, compiles and checks the descriptions of `o` as build number
// `s.costruzioni + 1`, at the local time `ora`.
giro_vigilato costruisci_giro(const opzioni_compila& o, stato_vigilanza& s,
                     std::string ora);

// After the folder was written (or not) and the page published: the build's
// files are the folder's now unless `g.guasto_scrittura` says why not, and its
// drawings are the latest when it had tables.
void registra_giro(const giro_vigilato& g, stato_vigilanza& s);

// The lines for the terminal: the build's time, number and counts and what
// the folder holds, then the problems as check prints them.
std::string riga_del_giro(const opzioni_compila& o, const giro_vigilato& g,
                          const stato_vigilanza& s);
std::string problemi_del_giro(const opzioni_compila& o, const giro_vigilato& g);

// The page that the browsers get for the build, with the live script, as
// page number `numero` of the server.
std::string pagina_del_giro(const opzioni_compila& o, const giro_vigilato& g,
                            const stato_vigilanza& s, uint64_t numero);

#endif  // WATCH_GIRO_H_
