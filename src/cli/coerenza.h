// The binary files of one scenario checked against each other. Each file
// decodes on its own; only together do they tell whether one was cut short or
// belongs to another scenario: the station table holds the route length L
// (record 84), from which the cell file must hold the cells 0 to
// round((L + 7000) / 50) and the plan the metres 0 to L + 7000.
#ifndef CLI_COERENZA_H_
#define CLI_COERENZA_H_

#include <cstddef>
#include <optional>
#include <string>

#include "tables/tabelle.h"

enum class file_binario { geometria, stazioni, celle };

// The decoded files at hand; a file that was not given stays null.
struct insieme_decodificato {
  const tabella_stazioni* stazioni = nullptr;
  const std::vector<cella>* celle = nullptr;
  const coordinate_piano* piano = nullptr;
};

// A file that does not fit the others: the byte where it stops fitting (its
// end, when it was cut short) and why, in the language of the run (UTF-8).
struct incoerenza {
  file_binario file;
  std::size_t offset = 0;
  std::string motivo;
};

// Checks the files at hand against each other; nothing when they agree (or
// when fewer than two are given).
std::optional<incoerenza> controlla_insieme(const insieme_decodificato& f);

#endif  // CLI_COERENZA_H_
