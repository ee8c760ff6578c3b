// Arbitrary bytes as the station table, the cells and the plan given to
// `inspect`, shown in one of its views: text, every cell, around a position,
// JSON or CSV. Input: the view's byte, the position's byte, then the three
// files separated by "=#=#" (an empty part is a file not given). Every view
// must end with status 0 or 3, print no raw control character to a person,
// and print JSON that parses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "dividi.h"
#include "commands/ispeziona.h"

namespace {

void verifica_vista(const std::vector<file_letto>& file,
                    const opzioni_ispeziona& o) {
  std::ostringstream uscita, errori;
  const int esito = ispeziona_letti(file, o, uscita, errori);
  if (esito != 0 && esito != 3) std::abort();
  if (con_controlli(errori.view())) std::abort();
  if (o.json) {
    // The parser's own check, without building the document: a tree of
    // every cell would take most of a run.
    if (!nlohmann::json::accept(uscita.view())) std::abort();
  } else if (con_controlli(uscita.view())) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti < 2) return 0;
  const std::string_view resto(reinterpret_cast<const char*>(dati + 2),
                               quanti - 2);
  const std::vector<std::string> parti = dividi(resto, "=#=#", 3);
  const char* const nomi[] = {"s\x1b/L_T.sim", "s\x1b/L_T.dat",
                              "s\x1b/L_linea.dat"};
  std::vector<file_letto> file;
  for (int i = 0; i < 3; ++i) {
    if (!parti[i].empty()) file.push_back({nomi[i], parti[i], nullptr});
  }
  opzioni_ispeziona o;
  switch (dati[0] % 5) {
    case 0:
      break;
    case 1:
      o.tutto = true;
      break;
    case 2:
      o.metro = long{dati[1]} * 100 - 500;
      break;
    case 3:
      o.json = true;
      break;
    default:
      // CSV is for the cells alone.
      o.csv = true;
      file.assign(1, {nomi[1], parti[1], nullptr});
  }
  verifica_vista(file, o);
  return 0;
}
