#include "app/strumenti.h"

#include <CLI/CLI.hpp>

#include "app/esiti.h"

int esegui_strumenti(int argc, char** argv, std::ostream& uscita, std::ostream& errori) {
  CLI::App app{"scenario_builder"};
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      uscita << app.help();
      return 0;
    }
    errori << app.help();
    return uscita_uso_errato;
  }
  return 0;
}
