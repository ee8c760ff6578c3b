// With no argument the program runs the scenario build; with arguments, the
// tools for authors.
#include <iostream>

#include "app/costruzione.h"
#include "tools/strumenti.h"

int main(int argc, char** argv) {
  if (argc <= 1) return costruzione_predefinita(std::cerr);
  return esegui_strumenti(argc, argv, std::cout, std::cerr);
}
