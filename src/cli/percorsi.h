// Folders named on the command line: written back without doubled separators,
// and created when a command writes into one that is missing.
#ifndef CLI_PERCORSI_H_
#define CLI_PERCORSI_H_

#include <optional>
#include <ostream>
#include <string>

// The path with each run of separators made one and no separator at the end
// ("out//a/" gives "out/a"); "/" stays "/".
std::string percorso_pulito(std::string percorso);

// Makes sure that `cartella` is a folder, creating it when it is missing and
// its parent exists. Returns the exit status to end with when it cannot be
// had, after saying why on `errori`.
std::optional<int> prepara_cartella(const std::string& cartella,
                                    std::ostream& errori);

#endif  // CLI_PERCORSI_H_
