// The problems that the checks find in an author's two descriptions, each at
// its file, line and column, with the fault code where the language has one.
// Messages are kept as a format and its arguments (core/testi.h), and put
// together only when they are shown.
#ifndef VALIDATION_PROBLEMI_H_
#define VALIDATION_PROBLEMI_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/diagnostica.h"
#include "core/testi.h"

enum class gravita { errore, avviso };

struct problema {
  gravita g = gravita::errore;
  fonte_lettura fonte = fonte_lettura::nessuna;
  int riga = 0;
  int colonna = 0;
  int32_t codice = 0;  // the fault code, 0 for a check that has none
  std::string parola;  // the keyword of the line, as written
  messaggio testo;     // its data words in Windows-1252, as the descriptions'
  std::string suggerimento;      // what was probably meant, or empty
  std::optional<int32_t> metro;  // where along the route, the author's metres
  bool registrato = false;       // the fault that the compiler recorded
  std::size_t quanti = 1;        // how many problems it stands for
  // For a fault that stopped the reading of a description: what the compiled
  // files lack, said on a line of its own.
  std::optional<messaggio> non_letto;
  // Said of the whole file at its first line, not of that line's item.
  bool del_file = false;
  // The item already in the cell of a fault on an occupied cell, when known.
  std::optional<luogo_lettura> occupante;
};

// File order: the line description, then the train-run description, each by
// line and column; problems without a line (the route scan) last.
void ordina_problemi(std::vector<problema>& problemi);

// How many problems of gravity `g` the list stands for.
std::size_t conta(const std::vector<problema>& problemi, gravita g);
// How many problems the entries after the first `primi` stand for (an entry
// that sums up the rest stands for many).
std::size_t conta_oltre(const std::vector<problema>& problemi,
                        std::size_t primi);

// Keeps the first `massimo` problems and stands for the rest with one problem
// of each gravity, at the end, that counts them.
void limita_problemi(std::vector<problema>& problemi, std::size_t massimo);

#endif  // VALIDATION_PROBLEMI_H_
