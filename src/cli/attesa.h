// Waiting for a folder that another run holds: how long, and what the user is
// told meanwhile.
#ifndef CLI_ATTESA_H_
#define CLI_ATTESA_H_

#include <optional>
#include <ostream>
#include <string>

#include "platform/cartella_reale.h"

// The seconds that a run waits for a folder unless --lock-wait says otherwise.
inline constexpr int attesa_predefinita = 10;

// A wait of at most `secondi` that, after its first second, says on `errori`
// which process holds the folder.
attesa_cartella attesa_con_avviso(int secondi, std::ostream& errori);

// Holds the folder `radice`, which `c` reads, for reading in `lettura`, and
// makes `c` wait as `secondi` says. A folder that is not there is left to the
// reads to report. The exit status to end with when it cannot be held, after
// saying why on `errori`.
std::optional<int> tieni_in_lettura(cartella_reale& c,
                                    const std::string& radice, int secondi,
                                    lettura_cartella& lettura,
                                    std::ostream& errori);

#endif  // CLI_ATTESA_H_
