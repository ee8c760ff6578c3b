// A build-time helper: writes the manual page or the bash completion script
// of scenario_builder, generated from its command line, into a file. The
// page is in the language of the locale it runs under, with the catalogues
// of the folder given (the build tree's, before anything is installed).
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/lingua.h"
#include "app/strumenti.h"

int main(int argc, char** argv) {
  if (argc == 4) {
    prepara_lingua(argv[3]);
  } else {
    prepara_lingua();
  }
  const std::string_view cosa = argc == 3 || argc == 4 ? argv[1] : "";
  std::string testo;
  if (cosa == "man") {
    testo = pagina_manuale_programma();
  } else if (cosa == "bash-completion") {
    testo = completamento_programma();
  } else {
    std::cerr << traduci(
                     "usage: scenario_builder_documentazione "
                     "man|bash-completion FILE [CATALOGUES]")
              << '\n';
    return 64;
  }
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << testo;
  file.close();
  if (!file) {
    std::cerr << sostituisci(traduci("{0}: not written"), {argv[2]}) << '\n';
    return 3;
  }
  return 0;
}
