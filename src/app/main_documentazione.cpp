// A build-time helper: writes the manual page or the bash completion script
// of scenario_builder, generated from its command line, into a file.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/strumenti.h"

int main(int argc, char** argv) {
  const std::string_view cosa = argc == 3 ? argv[1] : "";
  std::string testo;
  if (cosa == "man") {
    testo = pagina_manuale_programma();
  } else if (cosa == "bash-completion") {
    testo = completamento_programma();
  } else {
    std::cerr << "uso: scenario_builder_documentazione man|bash-completion "
                 "FILE\n";
    return 64;
  }
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << testo;
  file.close();
  if (!file) {
    std::cerr << argv[2] << ": non scritto\n";
    return 3;
  }
  return 0;
}
