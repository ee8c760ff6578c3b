// Which description a file is and which file goes with it. In one folder the
// line description `L_linea.txt` goes with each train-run description
// `L_T.txt` (the names `new` writes). A name that ends in `_linea.txt` is a
// line description; any other file is told by its content (the description
// whose keywords more of its lines hold), a train-run description when that
// says nothing either. A file open in the editor wins over the file on disk.
#ifndef LSP_ABBINAMENTO_H_
#define LSP_ABBINAMENTO_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostica.h"

// `testo` is Windows-1252, as the compiler reads it.
fonte_lettura ruolo_di(std::string_view percorso, std::string_view testo);

struct file_aperto {
  std::string percorso;
  fonte_lettura ruolo;
};

// The partner of the file at `percorso`: an open file first, then one on
// disk; nothing when the folder holds none. Several train runs for one line:
// the first by name.
std::optional<std::string> trova_compagno(
    const std::string& percorso, fonte_lettura ruolo,
    const std::vector<file_aperto>& aperti);

// Whether `treno` is a train-run description that goes with the line
// description `linea` by the names.
bool vanno_insieme(std::string_view linea, std::string_view treno);

#endif  // LSP_ABBINAMENTO_H_
