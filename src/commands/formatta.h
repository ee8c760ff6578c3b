// `fmt`: rewrites descriptions in their canonical layout (formatting/), each
// file replaced atomically, or says which would change, or shows how.
#ifndef COMMANDS_FORMATTA_H_
#define COMMANDS_FORMATTA_H_

#include <istream>
#include <ostream>
#include <string>
#include <vector>

struct opzioni_formatta {
  std::vector<std::string> file;  // "-" is standard input
  bool controlla = false;         // --check: write nothing, list the changes
  bool differenze = false;        // --diff: write nothing, show a diff
};

// Returns the exit status: 0 when every file was formatted (or, with
// `controlla`, none would change), 1 with `controlla` when one would change,
// 3 when a file cannot be read, is refused or cannot be written (the others
// are still done).
int esegui_formatta(const opzioni_formatta& o, std::istream& ingresso,
                    std::ostream& uscita, std::ostream& errori);

// A unified diff of two texts, split into lines as the reader splits them,
// each line shown with its own line end; empty when they are equal.
std::string diff_unificato(std::string_view prima, std::string_view dopo,
                           const std::string& nome);

#endif  // COMMANDS_FORMATTA_H_
