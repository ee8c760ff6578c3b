// Looking inside the compiled files: the station table, the cells and the plan,
// decoded into readable text, JSON or CSV.
#ifndef TOOLS_ISPEZIONA_H_
#define TOOLS_ISPEZIONA_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct opzioni_ispeziona {
  std::vector<std::string> file;
  bool tutto = false;  // every cell and record, not only the non-empty ones
  std::optional<long> metro;  // the cells around this position
  bool json = false;
  bool csv = false;
};

int esegui_ispeziona(const opzioni_ispeziona& o, std::ostream& uscita,
                     std::ostream& errori);

#endif  // TOOLS_ISPEZIONA_H_
