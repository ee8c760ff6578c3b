// Looking inside the compiled files: the station table, the cells and the plan,
// decoded into readable text, JSON or CSV.
#ifndef COMMANDS_ISPEZIONA_H_
#define COMMANDS_ISPEZIONA_H_

#include <optional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/attesa.h"
#include "platform/cartella.h"

struct opzioni_ispeziona {
  std::vector<std::string> file;
  bool tutto = false;  // every cell and record, not only the non-empty ones
  std::optional<long> metro;  // the cells around this position
  bool json = false;
  bool csv = false;
  int attesa_blocco = attesa_predefinita;  // --lock-wait, in seconds
};

// A file given to `inspect`: its path and its bytes, or, for the plan of a
// long route, what reads them as they are needed.
struct file_letto {
  std::string percorso;
  std::string dati;
  std::shared_ptr<lettore_file> lettore;  // when set, `dati` is empty
};

// Decodes the files, checks them against each other (a station table, a cell
// file and a plan given together must be of one scenario), and shows them.
// Returns the exit status: 3 when a file does not decode or does not fit the
// others.
int ispeziona_letti(const std::vector<file_letto>& file,
                    const opzioni_ispeziona& o, std::ostream& uscita,
                    std::ostream& errori);

// `inspect`: reads the files named in `o`, then as `ispeziona_letti`.
int esegui_ispeziona(const opzioni_ispeziona& o, std::ostream& uscita,
                     std::ostream& errori);

#endif  // COMMANDS_ISPEZIONA_H_
