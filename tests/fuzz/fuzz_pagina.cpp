// Arbitrary bytes as the three files of a scenario, loaded and checked as
// `report` does (the station table, the cells, the plan when given, checked
// against each other), then drawn into the report page. Input: the three
// files separated by "=#=#".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "core/scenario.h"
#include "dividi.h"
#include "platform/cartella_memoria.h"
#include "cli/file_scenario.h"
#include "page/pagina.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), quanti);
  const std::vector<std::string> parti = dividi(byte, "=#=#", 3);
  const scenario sc;
  cartella_memoria c;
  c.file[nome_tabella_stazioni(sc)] = parti[0];
  c.file[nome_tabella_celle(sc)] = parti[1];
  if (!parti[2].empty()) c.file[nome_geometria_linea(sc)] = parti[2];
  tabelle t;
  std::ostringstream errori;
  if (carica_scenario(c, sc, t, errori) != 0) return 0;
  const std::string pagina = pagina_html(t, std::nullopt);
  if (pagina.empty()) std::abort();
  return 0;
}
