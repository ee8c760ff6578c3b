// The tests' own main. The tests run in Italian, explicitly and alike on every
// machine: LC_ALL goes into the environment, so that every program a test
// starts inherits it, and the test program itself binds the build tree's
// catalogue beside it. The English runs are asked for by the tests that want
// them.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>

#include "cli/lingua.h"

int main(int argc, char** argv) {
  ::setenv("LC_ALL", "it_IT.UTF-8", 1);
  ::setenv("LANG", "it_IT.UTF-8", 1);
  ::unsetenv("LANGUAGE");  // it would come before LC_ALL
  prepara_lingua();
  const char* messaggi = std::setlocale(LC_MESSAGES, nullptr);
  if (messaggi == nullptr || std::string(messaggi) != "it_IT.UTF-8") {
    std::cerr << "it_IT.UTF-8 is not a locale of this machine: run "
                 "scripts/installa_dipendenze.sh\n";
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
