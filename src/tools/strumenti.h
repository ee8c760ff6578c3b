// The tools for scenario authors, reached through the command line.
#ifndef TOOLS_STRUMENTI_H_
#define TOOLS_STRUMENTI_H_

#include <ostream>

int esegui_strumenti(int argc, char** argv, std::ostream& uscita,
                     std::ostream& errori);

#endif  // TOOLS_STRUMENTI_H_
